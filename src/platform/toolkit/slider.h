// Slider: a value between a minimum and a maximum, with optional tick marks
// and values restricted to them.
#pragma once

#include "platform/toolkit/control.h"

namespace orval::tk {

enum class TickMarkPosition { Below, Above, Leading, Trailing };

class Slider : public Control {
 public:
  explicit Slider(Rect frame = {});

  std::string className() const override { return "Slider"; }

  double minValue() const { return min_; }
  void setMinValue(double min);
  double maxValue() const { return max_; }
  void setMaxValue(double max);
  int numberOfTickMarks() const { return ticks_; }
  // Sets the number of tick marks (negative counts as 0).
  void setNumberOfTickMarks(int count);
  TickMarkPosition tickMarkPosition() const { return tickPosition_; }
  void setTickMarkPosition(TickMarkPosition position) { tickPosition_ = position; }
  // When true every value is moved to the closest tick mark.
  bool allowsTickMarkValuesOnly() const { return tickValuesOnly_; }
  void setAllowsTickMarkValuesOnly(bool only);
  // The value of tick mark index: spread evenly from min to max (one tick marks the middle).
  double tickMarkValueAtIndex(int index) const;
  // The tick mark value closest to value (value itself without tick marks).
  double closestTickMarkValueToValue(double value) const;

  Value objectValue() const override { return Value(value_); }
  void setObjectValue(const Value& value) override { setDoubleValue(value.doubleValue()); }
  double doubleValue() const override { return value_; }
  // Sets the value, clamped to [min, max] (and moved to a tick when ticks only).
  void setDoubleValue(double value) override;

  // The person drags the knob to value: refused (false) when disabled or
  // hidden; otherwise sets it as setDoubleValue does and sends the action.
  bool slideTo(double value);

 private:
  void settle();

  double min_ = 0;
  double max_ = 1;
  double value_ = 0;
  int ticks_ = 0;
  TickMarkPosition tickPosition_ = TickMarkPosition::Below;
  bool tickValuesOnly_ = false;
};

}  // namespace orval::tk
