#include "platform/toolkit/control.h"

namespace orval::tk {

Control::Control(Rect frame) : View(frame) {}

void Control::setEnabled(bool enabled) { enabled_ = enabled; }

void Control::setAction(std::string name, ActionHandler handler) {
  actionName_ = std::move(name);
  handler_ = std::move(handler);
}

void Control::clearAction() {
  actionName_.clear();
  handler_ = nullptr;
}

bool Control::sendAction() {
  if (!handler_) return false;
  // A copy: the handler may replace the control's action while it runs.
  ActionHandler handler = handler_;
  handler(*this);
  return true;
}

void Control::setObjectValue(const Value& value) { objectValue_ = value; }

std::string Control::stringValue() const { return objectValue().text(); }

void Control::setStringValue(const std::string& text) { setObjectValue(Value(text)); }

std::int64_t Control::intValue() const { return objectValue().intValue(); }

void Control::setIntValue(std::int64_t value) { setObjectValue(Value(static_cast<long long>(value))); }

double Control::doubleValue() const { return objectValue().doubleValue(); }

void Control::setDoubleValue(double value) { setObjectValue(Value(value)); }

double Control::fontSize() const {
  if (fontSize_ > 0) return fontSize_;
  switch (controlSize_) {
    case ControlSize::Small:
      return 11;
    case ControlSize::Mini:
      return 9;
    case ControlSize::Regular:
      break;
  }
  return 13;
}

}  // namespace orval::tk
