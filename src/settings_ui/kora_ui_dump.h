// The widget tree of a built settings control, rendered for people and for
// machines: every view with its class, frame, title, value, hidden and
// enabled state and, for pop-ups and radio groups, its items.
#pragma once

#include <string>

#include "platform/foundation/value.h"
#include "settings_ui/kora_ui.h"

namespace orval {

// The tree as a Value ready for JSON: a dictionary per view with "class",
// "frame" ([x, y, width, height]), "hidden" and, as the view has them,
// "enabled", "title", "value", "items" and "subviews"; a KORAUI adds
// "mainKeyword" and "controlType".
Value controlTreeValue(const KORAUI& control);

// The tree as indented text, one view per line.
std::string controlTreeText(const KORAUI& control);

}  // namespace orval
