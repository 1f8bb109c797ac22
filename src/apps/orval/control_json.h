// Settings controls as orval shows them, and changed as a person would.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "apps/orval/json_output.h"

namespace orval {
class KORAUI;
}

namespace orval::cli {

// A settings control and its children: key, title, kind, value as kept and as shown, choices
// ({value, title}), enabled, hidden.
Json settingsControlJson(KORAUI& control);
// One line per control (children indented): title [key] = shown (value) {choices} disabled hidden.
void printControl(std::ostream& out, const Json& control, const std::string& indent);

// Sets value on control as a person would: picks the pop-up item, radio
// button or check box state that stands for value, or types value into the
// text field and ends editing; the control then announces the change, and
// the settings engine validates it (asking its questions). Answers the
// reason, naming the control's key, when the person could not: the control
// is hidden or disabled, value is not one of its choices, or the field's
// formatter refuses the text.
std::optional<std::string> changeControlAsAPerson(KORAUI& control, const std::string& value);

}  // namespace orval::cli
