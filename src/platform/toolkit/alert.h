// Alert: a message with buttons, answered by the person in front of it.
//
// Buttons are added in order; the first answers 1000, the second 1001, the
// third 1002. The first button presses on Return; a button titled "Cancel"
// presses on Escape. An alert without buttons gets an "OK" button when it is
// shown. The application's operator (see Operator) gives the answer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/button.h"
#include "platform/toolkit/image.h"
#include "platform/toolkit/modal_response.h"

namespace orval::tk {

class Window;

enum class AlertStyle { Warning, Informational, Critical };

class Alert {
 public:
  Alert() = default;
  Alert(const Alert&) = delete;
  Alert& operator=(const Alert&) = delete;

  const std::string& messageText() const { return messageText_; }
  void setMessageText(std::string text) { messageText_ = std::move(text); }
  const std::string& informativeText() const { return informativeText_; }
  void setInformativeText(std::string text) { informativeText_ = std::move(text); }
  AlertStyle alertStyle() const { return style_; }
  void setAlertStyle(AlertStyle style) { style_ = style; }
  const std::optional<Image>& icon() const { return icon_; }
  void setIcon(std::optional<Image> icon) { icon_ = std::move(icon); }

  // Adds a button (tag 1000 + its position); answers it.
  Button& addButtonWithTitle(const std::string& title);
  std::vector<Button*> buttons() const;
  // The titles of the buttons in order.
  std::vector<std::string> buttonTitles() const;

  // Shows the alert and waits for the answer: 1000 + the pressed button's position.
  int runModal();
  // Shows the alert as a sheet on window (modally when window is nullptr) and
  // calls completion with the answer once the person has answered; the
  // answer is given before this returns, as no other event can come first.
  void beginSheetModalForWindow(Window* window, std::function<void(int returnCode)> completion);
  // The window the alert was last shown as a sheet on, or nullptr.
  Window* sheetWindow() const { return sheetWindow_; }

 private:
  int answer(bool asSheet);

  std::string messageText_;
  std::string informativeText_;
  AlertStyle style_ = AlertStyle::Warning;
  std::optional<Image> icon_;
  std::vector<std::unique_ptr<Button>> buttons_;
  Window* sheetWindow_ = nullptr;
};

}  // namespace orval::tk
