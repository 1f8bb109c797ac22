#include "platform/toolkit/scripted_operator.h"

#include <algorithm>

#include "platform/toolkit/alert.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/operator_error.h"
#include "platform/toolkit/save_panel.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

void endModalWindow(Window& window, int code) {
  if (Window* parent = window.sheetParent())
    parent->endSheet(window, code);
  else
    Application::shared().stopModalWithCode(code);
}

bool clickButton(Window& window, const std::string& title) {
  View* found = window.contentView().findSubview([&](const View& v) {
    const auto* button = dynamic_cast<const Button*>(&v);
    return button && button->title() == title;
  });
  if (!found) throw OperatorError("the window \"" + window.title() + "\" has no button \"" + title + "\"");
  return static_cast<Button*>(found)->performClick();
}

ScriptedOperator& ScriptedOperator::answerAlert(std::size_t index) {
  steps_.push_back(AlertByIndex{index});
  return *this;
}

ScriptedOperator& ScriptedOperator::answerAlert(std::string title) {
  steps_.push_back(AlertByTitle{std::move(title)});
  return *this;
}

ScriptedOperator& ScriptedOperator::act(Action action) {
  steps_.push_back(std::move(action));
  return *this;
}

ScriptedOperator& ScriptedOperator::stopWith(int code) {
  return act([code](Window& window) { endModalWindow(window, code); });
}

ScriptedOperator& ScriptedOperator::chooseFile(std::string name) {
  return act([name](Window& window) {
    auto* panel = dynamic_cast<SavePanel*>(&window);
    if (!panel) throw OperatorError("the script chose a file, but \"" + window.title() + "\" is no file chooser");
    endModalWindow(window, panel->choose(name) ? ModalResponse::OK : ModalResponse::Cancel);
  });
}

ScriptedOperator& ScriptedOperator::cancelFileChooser() { return stopWith(ModalResponse::Cancel); }

std::size_t ScriptedOperator::answerAlert(const Alert& alert, bool asSheet) {
  AlertRecord record{alert.messageText(), alert.informativeText(), alert.buttonTitles(), asSheet, 0};
  const std::string what = "the alert \"" + alert.messageText() + "\"";
  if (steps_.empty()) throw OperatorError("the script has no step left for " + what);
  Step step = std::move(steps_.front());
  steps_.pop_front();
  if (auto* byIndex = std::get_if<AlertByIndex>(&step)) {
    if (byIndex->index >= record.buttons.size())
      throw OperatorError("the script presses button " + std::to_string(byIndex->index + 1) + " of " + what +
                          ", which has " + std::to_string(record.buttons.size()));
    record.answer = byIndex->index;
  } else if (auto* byTitle = std::get_if<AlertByTitle>(&step)) {
    auto it = std::find(record.buttons.begin(), record.buttons.end(), byTitle->title);
    if (it == record.buttons.end())
      throw OperatorError("the script presses \"" + byTitle->title + "\", which " + what + " does not have");
    record.answer = static_cast<std::size_t>(it - record.buttons.begin());
  } else {
    throw OperatorError("the script's next step is an action, but " + what + " needs an answer");
  }
  alerts_.push_back(record);
  return record.answer;
}

void ScriptedOperator::workModalWindow(Window& window) {
  const std::string what = "the modal run of window \"" + window.title() + "\"";
  if (steps_.empty()) throw OperatorError("the script has no step left for " + what);
  auto* action = std::get_if<Action>(&steps_.front());
  if (!action) throw OperatorError("the script's next step answers an alert, but " + what + " needs an action");
  Action run = std::move(*action);
  steps_.pop_front();
  windows_.push_back(window.title());
  run(window);
}

}  // namespace orval::tk
