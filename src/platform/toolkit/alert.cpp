#include "platform/toolkit/alert.h"

#include <string>

#include "platform/toolkit/application.h"
#include "platform/toolkit/operator_error.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

Button& Alert::addButtonWithTitle(const std::string& title) {
  auto button = std::make_unique<Button>(Rect{0, 0, 82, 32});
  button->setTitle(title);
  const auto position = static_cast<long>(buttons_.size());
  button->setTag(AlertReturn::FirstButton + position);
  if (position == 0)
    button->setKeyEquivalent("\r");
  else if (title == "Cancel")
    button->setKeyEquivalent("\x1b");
  buttons_.push_back(std::move(button));
  return *buttons_.back();
}

std::vector<Button*> Alert::buttons() const {
  std::vector<Button*> all;
  for (const auto& b : buttons_) all.push_back(b.get());
  return all;
}

std::vector<std::string> Alert::buttonTitles() const {
  std::vector<std::string> titles;
  for (const auto& b : buttons_) titles.push_back(b->title());
  return titles;
}

int Alert::answer(bool asSheet) {
  if (buttons_.empty()) addButtonWithTitle("OK");
  const std::string what = "the alert \"" + messageText_ + "\"";
  const std::size_t pressed = Application::shared().requireOperator(what.c_str()).answerAlert(*this, asSheet);
  if (pressed >= buttons_.size())
    throw OperatorError("the answer " + std::to_string(pressed + 1) + " to " + what + " names no button");
  return AlertReturn::FirstButton + static_cast<int>(pressed);
}

int Alert::runModal() {
  sheetWindow_ = nullptr;
  return answer(false);
}

void Alert::beginSheetModalForWindow(Window* window, std::function<void(int)> completion) {
  sheetWindow_ = window;
  const int code = answer(window != nullptr);
  if (completion) completion(code);
}

}  // namespace orval::tk
