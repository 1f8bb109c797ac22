// ScriptedOperator: an operator that follows a script, for tests.
//
// The script is a queue of steps, consumed in order as dialogs need the
// person: an alert answer (by button position or title) for each alert, an
// action for each turn of a modal window, sheet or file chooser. An action
// runs inside the modal run with the window: it can click buttons, type into
// fields and end the run. A dialog that finds no step left, or a step of the
// wrong kind, throws OperatorError naming the dialog, so a test never hangs.
// Every alert shown is recorded.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/toolkit/operator.h"

namespace orval::tk {

class ScriptedOperator : public Operator {
 public:
  using Action = std::function<void(Window& window)>;

  // What an alert looked like when it was shown.
  struct AlertRecord {
    std::string messageText;
    std::string informativeText;
    std::vector<std::string> buttons;
    bool asSheet = false;
    // The position of the button the script pressed.
    std::size_t answer = 0;
  };

  // Answers the next alert with the button at position index (0 first).
  ScriptedOperator& answerAlert(std::size_t index);
  // Answers the next alert with the button titled title.
  ScriptedOperator& answerAlert(std::string title);
  // Works the next turn of a modal window, sheet or file chooser with action.
  ScriptedOperator& act(Action action);
  // Ends the next modal run (or sheet) at once with code.
  ScriptedOperator& stopWith(int code);
  // At the next file chooser: chooses name (OpenPanel: an existing path) and
  // ends with OK; a refused choice ends with Cancel.
  ScriptedOperator& chooseFile(std::string name);
  // At the next file chooser: ends with Cancel.
  ScriptedOperator& cancelFileChooser();

  // Steps not yet used.
  std::size_t remainingSteps() const { return steps_.size(); }
  const std::vector<AlertRecord>& alertsShown() const { return alerts_; }
  // The titles of the windows worked, one entry per turn.
  const std::vector<std::string>& windowsWorked() const { return windows_; }

  std::size_t answerAlert(const Alert& alert, bool asSheet) override;
  void workModalWindow(Window& window) override;

 private:
  struct AlertByIndex {
    std::size_t index;
  };
  struct AlertByTitle {
    std::string title;
  };
  using Step = std::variant<AlertByIndex, AlertByTitle, Action>;

  std::deque<Step> steps_;
  std::vector<AlertRecord> alerts_;
  std::vector<std::string> windows_;
};

// Ends window's modal run (or, for a sheet, the sheet) with code.
void endModalWindow(Window& window, int code);

// Clicks the first button titled title in window (as the person would);
// OperatorError when the window has no such button, false when it is disabled or hidden.
bool clickButton(Window& window, const std::string& title);

}  // namespace orval::tk
