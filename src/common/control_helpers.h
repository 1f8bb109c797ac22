// Control helpers: the small operations on pop-ups, buttons, titles and
// tables that code all over the system shares.
//
// Every helper tolerates a missing control (nullptr): it does nothing and
// answers false, none or an empty text.
#pragma once

#include <string>
#include <string_view>

#include "platform/foundation/value.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/table_view.h"
#include "platform/toolkit/text_field.h"

namespace orval {

// Selects popup's item titled title and answers true; otherwise selects the
// item at fallbackIndex when that is within the items, and answers false.
bool selectWithTitle(tk::PopUpButton* popup, const std::string& title, int fallbackIndex);
// The represented object of popup's selected item, or none (a null Value).
Value representedObjectOfSelectedItem(const tk::PopUpButton* popup);
// True when button is on and enabled.
bool isOnAndEnabled(const tk::Button* button);

// text without one trailing ":".
std::string stringByDeletingControlTitleSuffix(std::string_view text);
// text with ":" appended, as a control's title label shows it.
std::string controlTitleString(std::string_view text);
// Shows text with ":" appended in field.
void setTitleString(tk::TextField* field, std::string_view text);

// The entry for key of the dictionary that control's cell represents, or none.
Value representedObjectForKey(const tk::Control* control, std::string_view key);

// Gives table's column with the identifier a new leaf browser cell that
// wraps; false when there is no such column.
bool setBrowserCellToColumn(tk::TableView* table, const std::string& columnIdentifier);

}  // namespace orval
