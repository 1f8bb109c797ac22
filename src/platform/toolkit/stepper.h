// Stepper: two arrows that step a number between a minimum and a maximum.
#pragma once

#include "platform/toolkit/control.h"

namespace orval::tk {

class Stepper : public Control {
 public:
  explicit Stepper(Rect frame = {});

  std::string className() const override { return "Stepper"; }

  double minValue() const { return min_; }
  void setMinValue(double min);
  double maxValue() const { return max_; }
  void setMaxValue(double max);
  double increment() const { return increment_; }
  void setIncrement(double increment) { increment_ = increment; }
  // Stepping past an end continues at the other end (else it stops at the end).
  bool valueWraps() const { return valueWraps_; }
  void setValueWraps(bool wraps) { valueWraps_ = wraps; }
  bool autorepeat() const { return autorepeat_; }
  void setAutorepeat(bool autorepeat) { autorepeat_ = autorepeat; }

  // The value, a real kept within [min, max].
  Value objectValue() const override { return Value(value_); }
  void setObjectValue(const Value& value) override { setDoubleValue(value.doubleValue()); }
  double doubleValue() const override { return value_; }
  // Sets the value, clamped to [min, max].
  void setDoubleValue(double value) override;

  // The person clicks the up / down arrow: refused (false) when disabled or
  // hidden; otherwise steps and sends the action.
  bool clickUp();
  bool clickDown();

 private:
  void step(double delta);

  double min_ = 0;
  double max_ = 59;
  double increment_ = 1;
  double value_ = 0;
  bool valueWraps_ = true;
  bool autorepeat_ = true;
};

}  // namespace orval::tk
