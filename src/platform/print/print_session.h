// PrintSession: one run of the print dialog, with the printer it prints to.
#pragma once

#include <memory>

#include "platform/print/printer.h"

namespace orval {

class PrintSession {
 public:
  // The printer the session prints to, or nullptr when none is chosen.
  Printer* currentPrinter() const { return currentPrinter_.get(); }
  // Chooses the printer (nullptr: none).
  void setCurrentPrinter(std::unique_ptr<Printer> printer) { currentPrinter_ = std::move(printer); }

 private:
  std::unique_ptr<Printer> currentPrinter_;
};

}  // namespace orval
