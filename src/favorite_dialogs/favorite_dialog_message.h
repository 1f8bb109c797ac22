// The messages of the favorite dialogs: a refused name, comment or job name,
// or a file that could not be imported or exported, shown in an alert sheet
// on the dialog with one localized "OK" button.
#pragma once

#include <string>

namespace orval {

namespace tk {
class TextField;
class Window;
}  // namespace tk

// Shows message in an alert sheet on window and then gives field (when not nullptr) the focus.
void showFavoriteDialogMessage(tk::Window* window, const std::string& message, tk::TextField* field = nullptr);

}  // namespace orval
