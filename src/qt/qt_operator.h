// QtOperator: the person in front of real Qt windows.
//
// Alerts become message boxes (the buttons in the alert's order, the first
// the default button and rightmost, as on the system the panel comes from;
// a button titled "Cancel" answers Escape); a modal window or sheet is
// rendered and shown modally, and each turn of its run waits for the
// person's next input; the file choosers become Qt file dialogs whose
// choice goes through the model's chooser (choose / chooseURLs).
#pragma once

#include <cstddef>

#include "platform/toolkit/operator.h"

namespace orval::qt {

class QtOperator : public tk::Operator {
 public:
  std::size_t answerAlert(const tk::Alert& alert, bool asSheet) override;
  void workModalWindow(tk::Window& window) override;
};

}  // namespace orval::qt
