#include "platform/toolkit/button.h"

namespace orval::tk {

Button::Button(Rect frame, ButtonType type) : Control(frame), type_(type) {}

void Button::setState(ControlState state) {
  if (state == ControlState::Mixed && !allowsMixedState_) state = ControlState::On;
  state_ = state;
}

void Button::setObjectValue(const Value& value) {
  const std::int64_t v = value.intValue();
  setState(v == 0 ? ControlState::Off : v < 0 ? ControlState::Mixed : ControlState::On);
}

bool Button::performClick() {
  if (!isUsable()) return false;
  switch (type_) {
    case ButtonType::Switch:
    case ButtonType::PushOnPushOff:
    case ButtonType::Toggle:
      // The platform's cycle: mixed -> on -> off -> (mixed when allowed, else on).
      if (state_ == ControlState::Mixed)
        state_ = ControlState::On;
      else if (state_ == ControlState::On)
        state_ = ControlState::Off;
      else
        state_ = allowsMixedState_ ? ControlState::Mixed : ControlState::On;
      break;
    case ButtonType::Radio:
      state_ = ControlState::On;
      break;
    case ButtonType::MomentaryPushIn:
      break;
  }
  sendAction();
  return true;
}

}  // namespace orval::tk
