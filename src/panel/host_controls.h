// The print dialog's own copies, collate and two-sided controls, found in
// the window that holds the panel.
//
// The dialog does not hand its controls to the panel; the panel finds them
// by what they are: the collate check box is the button whose action is
// "collatedSelected:", the two-sided check box the one whose action is
// "twoSidedSelected:", and the copies field the text field at one of the
// dialog's known copies-field frames. Plain views and boxes are searched
// inside; other containers (tab views, scroll views, settings controls) are not.
#pragma once

#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

namespace tk {
class Control;
class PopUpButton;
class View;
}  // namespace tk

// The keys the host controls are found for.
inline constexpr std::string_view kHostCollateKey = "Collate";
inline constexpr std::string_view kHostDuplexModeKey = "DuplexMode";
inline constexpr std::string_view kHostNumCopiesKey = "NumCopies";

// The host control for key among view's subviews (depth first, in order), or nullptr.
tk::Control* getCocoaPDEsControl(const tk::View* view, std::string_view key);
// Selects the first item of popup whose represented object equals object; false when none does
// (or popup or object is missing).
bool selectItem(tk::PopUpButton* popup, const Value& object);

}  // namespace orval
