// Operator: the person in front of the dialogs.
//
// Modal runs, sheets, file choosers and alerts wait for a person; in this
// headless model an Operator stands in: it answers alerts and works modal
// windows (clicks, types, and ends the run). The application holds the
// current operator: a ScriptedOperator in tests, a TerminalOperator on the
// command line, a graphical one in a windowed host.
#pragma once

#include <cstddef>

namespace orval::tk {

class Alert;
class Window;

class Operator {
 public:
  virtual ~Operator() = default;

  // Answers an alert: the position of the button pressed (0 for the first).
  // asSheet is true when the alert hangs on a window as a sheet.
  virtual std::size_t answerAlert(const Alert& alert, bool asSheet) = 0;
  // One turn of the person at a modal window, a sheet or a file chooser:
  // whatever the person does, and eventually ending the run
  // (Application::stopModalWithCode / abortModal, or the parent's endSheet).
  // It is called again, turn after turn, until the run ends.
  virtual void workModalWindow(Window& window) = 0;
};

}  // namespace orval::tk
