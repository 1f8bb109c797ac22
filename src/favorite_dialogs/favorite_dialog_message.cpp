#include "favorite_dialogs/favorite_dialog_message.h"

#include "common/localized_string.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/text_field.h"

namespace orval {

void showFavoriteDialogMessage(tk::Window* window, const std::string& message, tk::TextField* field) {
  tk::Alert alert;
  alert.setMessageText(message);
  alert.addButtonWithTitle(BSLocalizedString("OK"));
  alert.beginSheetModalForWindow(window, [field](int) {
    if (field != nullptr) field->selectText();
  });
}

}  // namespace orval
