// Enabling controls: enabling and disabling groups of controls, with the
// text of disabled non-editable fields (labels) painted in a disabled colour.
#pragma once

#include <vector>

#include "platform/toolkit/button.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/text_field.h"

namespace orval {

// The colour of disabled label text, chosen once per process: the
// platform's disabled-control text colour from toolkit version 909 on, its
// secondary selected control colour before.
const tk::Color& disabledTextColor();
// Test-only: forgets the chosen colour, so the next use chooses again.
void resetDisabledTextColorForTesting();

// Enables or disables field and colours its text: the control text colour
// when enabled, disabledTextColor() when disabled.
void setEnabledWithColor(tk::TextField* field, bool enabled);
// Enables or disables each control; non-editable text fields through
// setEnabledWithColor. Missing controls are skipped.
void setEnabledConrtols(bool enabled, const std::vector<tk::Control*>& controls);
// setEnabledConrtols with whether checkBox is on and enabled; answers that flag.
bool setEnabledConrtolsByCheckBox(const tk::Button* checkBox, const std::vector<tk::Control*>& controls);

}  // namespace orval
