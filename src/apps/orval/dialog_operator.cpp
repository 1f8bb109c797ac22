#include "apps/orval/dialog_operator.h"

#include <iostream>

#include "apps/orval/commands.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/text_field.h"

namespace orval::cli {

DialogOperator::DialogOperator(bool yes, bool no) : _terminal(std::cin, std::cerr) {
  if (yes) _terminal.setPresetAnswer(0);
  if (no) _terminal.setPresetAnswer(1);
}

DialogOperator& DialogOperator::then(Step step) {
  _steps.push_back(std::move(step));
  return *this;
}

std::size_t DialogOperator::answerAlert(const tk::Alert& alert, bool asSheet) {
  if (alert.buttonTitles().size() > 1) return _terminal.answerAlert(alert, asSheet);
  // Some messages say it all in their informative text (the message text left empty).
  std::string text = alert.messageText();
  if (!alert.informativeText().empty()) text += (text.empty() ? "" : " ") + alert.informativeText();
  _messages.push_back(std::move(text));
  return 0;
}

void DialogOperator::workModalWindow(tk::Window& window) {
  if (_steps.empty() || !_messages.empty()) return tk::endModalWindow(window, tk::ModalResponse::Cancel);
  Step step = std::move(_steps.front());
  _steps.pop_front();
  step(window);
}

DialogSession::DialogSession(const JobOptions& options)
    : job(options), person(std::make_shared<DialogOperator>(options.yes, options.no)) {
  tk::Application::shared().setOperator(person);
}

void DialogSession::failOnRefusal(const std::string& what) const {
  std::string text;
  for (const std::string& message : person->messages()) text += (text.empty() ? "" : "; ") + message;
  if (!text.empty()) throw CommandError(what + ": " + text);
}

bool typeInto(tk::TextField* field, const std::string& text) {
  if (field == nullptr || !field->selectText()) return false;
  field->currentEditor()->selectAll();
  field->currentEditor()->deleteBackward();
  return field->currentEditor()->typeText(text) && field->stringValue() == text;
}

void click(tk::Window& window, const char* identifier) {
  if (auto* button = tk::viewWithIdentifier<tk::Button>(window, identifier)) button->performClick();
}

}  // namespace orval::cli
