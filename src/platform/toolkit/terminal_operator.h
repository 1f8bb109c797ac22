// TerminalOperator: the person at a terminal.
//
// An alert is printed (message, informative text, numbered buttons) and the
// choice read: a button's number or title, an empty line for the default
// (first) button; end of input answers the cancel button (titled "Cancel"),
// else the last one. Scripts may preset the answer (always the first, always
// the second button); the alert is still printed with the answer taken. A
// file chooser asks for a path; other modal windows cannot be worked on a
// terminal: they are reported and their run ends with Abort.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>

#include "platform/toolkit/operator.h"

namespace orval::tk {

class TerminalOperator : public Operator {
 public:
  // Reads answers from in and prints to out (both must outlive the operator).
  TerminalOperator(std::istream& in, std::ostream& out);

  // Answers every alert with the button at position index (clamped to the
  // last button) without reading; nullopt asks again.
  void setPresetAnswer(std::optional<std::size_t> index) { preset_ = index; }
  const std::optional<std::size_t>& presetAnswer() const { return preset_; }

  std::size_t answerAlert(const Alert& alert, bool asSheet) override;
  void workModalWindow(Window& window) override;

 private:
  std::istream& in_;
  std::ostream& out_;
  std::optional<std::size_t> preset_;
};

}  // namespace orval::tk
