#include "settings_ui/text_entry_messages.h"

#include "common/control_helpers.h"
#include "common/localized_string.h"
#include "platform/toolkit/alert.h"

namespace orval {

std::string localizedMessage(const std::string& key) {
  std::string text = BSLocalizedString(key);
  return text.empty() ? key : text;
}

std::string fieldTitle(const tk::Control& field) {
  const Value title = representedObjectForKey(&field, "title");
  const std::string* text = title.asString();
  return text ? *text : std::string("--");
}

void showFieldSheet(tk::Window* window, const std::string& message) {
  tk::Alert alert;
  alert.setMessageText(message);
  alert.addButtonWithTitle(localizedMessage("OK"));
  alert.beginSheetModalForWindow(window, nullptr);
}

}  // namespace orval
