#include "platform/toolkit/stepper.h"

#include <algorithm>

namespace orval::tk {

Stepper::Stepper(Rect frame) : Control(frame) {}

void Stepper::setMinValue(double min) {
  min_ = min;
  if (max_ < min_) max_ = min_;
  setDoubleValue(value_);
}

void Stepper::setMaxValue(double max) {
  max_ = max;
  if (min_ > max_) min_ = max_;
  setDoubleValue(value_);
}

void Stepper::setDoubleValue(double value) { value_ = std::clamp(value, min_, max_); }

void Stepper::step(double delta) {
  double next = value_ + delta;
  if (next > max_)
    next = valueWraps_ ? min_ : max_;
  else if (next < min_)
    next = valueWraps_ ? max_ : min_;
  value_ = next;
}

bool Stepper::clickUp() {
  if (!isUsable()) return false;
  step(increment_);
  sendAction();
  return true;
}

bool Stepper::clickDown() {
  if (!isUsable()) return false;
  step(-increment_);
  sendAction();
  return true;
}

}  // namespace orval::tk
