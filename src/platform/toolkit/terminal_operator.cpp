#include "platform/toolkit/terminal_operator.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "platform/toolkit/alert.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/save_panel.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

namespace {

std::string trimmed(const std::string& text) {
  const auto begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  const auto end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The button pressed by Escape or end of input: the one titled "Cancel", else the last.
std::size_t cancelButton(const std::vector<std::string>& titles) {
  for (std::size_t i = 0; i < titles.size(); ++i)
    if (titles[i] == "Cancel") return i;
  return titles.empty() ? 0 : titles.size() - 1;
}

}  // namespace

TerminalOperator::TerminalOperator(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

std::size_t TerminalOperator::answerAlert(const Alert& alert, bool) {
  const std::vector<std::string> titles = alert.buttonTitles();
  if (!alert.messageText().empty()) out_ << alert.messageText() << '\n';
  if (!alert.informativeText().empty()) out_ << alert.informativeText() << '\n';
  for (std::size_t i = 0; i < titles.size(); ++i) out_ << "  " << (i + 1) << ") " << titles[i] << '\n';
  if (titles.empty()) return 0;

  if (preset_) {
    const std::size_t answer = std::min(*preset_, titles.size() - 1);
    out_ << "-> " << titles[answer] << '\n';
    return answer;
  }
  for (;;) {
    out_ << "Choose 1-" << titles.size() << " [1]: " << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
      const std::size_t answer = cancelButton(titles);
      out_ << '\n' << "-> " << titles[answer] << '\n';
      return answer;
    }
    const std::string choice = trimmed(line);
    if (choice.empty()) return 0;  // Return presses the default button
    if (std::all_of(choice.begin(), choice.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) &&
        choice.size() <= 9) {
      const std::size_t number = std::stoul(choice);
      if (number >= 1 && number <= titles.size()) return number - 1;
    }
    for (std::size_t i = 0; i < titles.size(); ++i)
      if (equalsIgnoringCase(choice, titles[i])) return i;
    out_ << "Please answer with a number from 1 to " << titles.size() << " or a button's title.\n";
  }
}

void TerminalOperator::workModalWindow(Window& window) {
  auto* chooser = dynamic_cast<SavePanel*>(&window);
  if (!chooser) {
    out_ << "The window \"" << window.title() << "\" cannot be shown on a terminal; it is closed.\n";
    endModalWindow(window, ModalResponse::Abort);
    return;
  }
  const bool opening = dynamic_cast<OpenPanel*>(&window) != nullptr;
  for (;;) {
    if (!chooser->message().empty()) out_ << chooser->message() << '\n';
    out_ << (opening ? "Open file" : "Save as") << " (in " << chooser->directoryURL() << ")";
    if (!opening && !chooser->nameFieldStringValue().empty()) out_ << " [" << chooser->nameFieldStringValue() << "]";
    out_ << ": " << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
      out_ << '\n';
      endModalWindow(window, ModalResponse::Cancel);
      return;
    }
    std::string name = trimmed(line);
    if (name.empty() && !opening) name = chooser->nameFieldStringValue();
    if (name.empty()) {
      endModalWindow(window, ModalResponse::Cancel);
      return;
    }
    if (chooser->choose(name)) {
      endModalWindow(window, ModalResponse::OK);
      return;
    }
    out_ << "\"" << name << "\" cannot be chosen here.\n";
  }
}

}  // namespace orval::tk
