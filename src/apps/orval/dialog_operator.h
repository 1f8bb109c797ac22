// The person at the dialogs of one orval command, and a job whose dialogs that person works.
//
// A command that works a dialog opens it as the panel does (its button or
// action), and the DialogOperator works each modal window with the command's
// next step: typing into its fields and clicking its buttons, so that the
// dialog's own rules and messages apply. A question (an alert of two buttons
// or more) is asked on the terminal, or answered by --yes / --no; a message
// (one button) is taken note of, and fails the command.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "apps/orval/job_session.h"
#include "platform/toolkit/operator.h"
#include "platform/toolkit/terminal_operator.h"

namespace orval::tk {
class TextField;
}

namespace orval::cli {

class DialogOperator : public tk::Operator {
 public:
  using Step = std::function<void(tk::Window&)>;

  // Questions are answered Yes with yes, No with no, else asked on the terminal.
  DialogOperator(bool yes, bool no);
  // The next modal window is worked by step (none left, or a refusal noted: the window is cancelled).
  DialogOperator& then(Step step);
  // Notes a refusal the command found itself.
  void refuse(std::string message) { _messages.push_back(std::move(message)); }
  const std::vector<std::string>& messages() const { return _messages; }

  std::size_t answerAlert(const tk::Alert& alert, bool asSheet) override;
  void workModalWindow(tk::Window& window) override;

 private:
  tk::TerminalOperator _terminal;
  std::deque<Step> _steps;
  std::vector<std::string> _messages;
};

// A job session whose dialogs are worked by a DialogOperator.
struct DialogSession {
  explicit DialogSession(const JobOptions& options);
  WexoPDEByCocoa& panel() { return job.panel(); }
  // Throws the refusals noted, as one message after what.
  void failOnRefusal(const std::string& what) const;

  JobSession job;
  std::shared_ptr<DialogOperator> person;
};

// The person replaces the field's text by text, keystroke by keystroke; false when the field did
// not take all of it (its formatter refused a character, or the text is too long).
bool typeInto(tk::TextField* field, const std::string& text);
// The person clicks the button of identifier in window (nothing when there is none).
void click(tk::Window& window, const char* identifier);

}  // namespace orval::cli
