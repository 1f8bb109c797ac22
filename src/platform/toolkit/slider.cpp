#include "platform/toolkit/slider.h"

#include <algorithm>
#include <cmath>

namespace orval::tk {

Slider::Slider(Rect frame) : Control(frame) {}

void Slider::setMinValue(double min) {
  min_ = min;
  settle();
}

void Slider::setMaxValue(double max) {
  max_ = max;
  settle();
}

void Slider::setNumberOfTickMarks(int count) {
  ticks_ = std::max(count, 0);
  settle();
}

void Slider::setAllowsTickMarkValuesOnly(bool only) {
  tickValuesOnly_ = only;
  settle();
}

double Slider::tickMarkValueAtIndex(int index) const {
  if (ticks_ <= 0) return min_;
  if (ticks_ == 1) return (min_ + max_) / 2;
  index = std::clamp(index, 0, ticks_ - 1);
  return min_ + (max_ - min_) * index / (ticks_ - 1);
}

double Slider::closestTickMarkValueToValue(double value) const {
  if (ticks_ <= 0) return value;
  if (ticks_ == 1) return tickMarkValueAtIndex(0);
  if (max_ == min_) return min_;
  const double position = (value - min_) / (max_ - min_) * (ticks_ - 1);
  return tickMarkValueAtIndex(static_cast<int>(std::lround(std::clamp(position, 0.0, double(ticks_ - 1)))));
}

void Slider::setDoubleValue(double value) {
  const double low = std::min(min_, max_);
  const double high = std::max(min_, max_);
  value = std::clamp(value, low, high);
  if (tickValuesOnly_) value = closestTickMarkValueToValue(value);
  value_ = value;
}

void Slider::settle() { setDoubleValue(value_); }

bool Slider::slideTo(double value) {
  if (!isUsable()) return false;
  setDoubleValue(value);
  sendAction();
  return true;
}

}  // namespace orval::tk
