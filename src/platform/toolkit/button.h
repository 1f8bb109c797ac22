// Button: push button, check box (switch) and radio button.
#pragma once

#include <optional>
#include <string>

#include "platform/toolkit/control.h"
#include "platform/toolkit/image.h"

namespace orval::tk {

enum class ButtonType { MomentaryPushIn, PushOnPushOff, Toggle, Switch, Radio };
enum class BezelStyle { Rounded, RegularSquare, SmallSquare, Disclosure, Recessed, Inline };
// A check box's state: off, on, or mixed (neither).
enum class ControlState : int { Off = 0, On = 1, Mixed = -1 };

class Button : public Control {
 public:
  explicit Button(Rect frame = {}, ButtonType type = ButtonType::MomentaryPushIn);

  std::string className() const override { return "Button"; }

  ButtonType buttonType() const { return type_; }
  void setButtonType(ButtonType type) { type_ = type; }
  BezelStyle bezelStyle() const { return bezelStyle_; }
  void setBezelStyle(BezelStyle style) { bezelStyle_ = style; }
  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) { image_ = std::move(image); }
  // The key that presses the button ("\r" Return, "\x1b" Escape, or a letter).
  const std::string& keyEquivalent() const { return keyEquivalent_; }
  void setKeyEquivalent(std::string key) { keyEquivalent_ = std::move(key); }

  ControlState state() const { return state_; }
  // Sets the state; Mixed becomes On unless the button allows the mixed state.
  void setState(ControlState state);
  bool allowsMixedState() const { return allowsMixedState_; }
  void setAllowsMixedState(bool allows) { allowsMixedState_ = allows; }

  // The value is the state (0, 1 or -1).
  Value objectValue() const override { return Value(static_cast<int>(state_)); }
  void setObjectValue(const Value& value) override;

  // The person clicks: nothing when disabled or hidden (false); otherwise a
  // check box / toggle moves to its next state, a radio button turns on, and
  // the action is sent.
  bool performClick();

 private:
  ButtonType type_;
  BezelStyle bezelStyle_ = BezelStyle::Rounded;
  std::string title_;
  std::optional<Image> image_;
  std::string keyEquivalent_;
  ControlState state_ = ControlState::Off;
  bool allowsMixedState_ = false;
};

}  // namespace orval::tk
