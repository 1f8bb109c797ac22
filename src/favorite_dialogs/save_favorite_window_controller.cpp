#include "favorite_dialogs/save_favorite_window_controller.h"

#include <memory>

#include "common/localized_string.h"
#include "favorite_dialogs/favorite_dialog_message.h"
#include "favorites/favorite_item.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/text_field_attach.h"

namespace orval {

namespace {

std::unique_ptr<SaveFavoriteWindowController>& sharedSlot() {
  static std::unique_ptr<SaveFavoriteWindowController> shared;
  return shared;
}

}  // namespace

SaveFavoriteWindowController& SaveFavoriteWindowController::sharedInstance() {
  std::unique_ptr<SaveFavoriteWindowController>& shared = sharedSlot();
  if (!shared) shared = std::make_unique<SaveFavoriteWindowController>();
  return *shared;
}

void SaveFavoriteWindowController::resetSharedInstanceForTesting() { sharedSlot().reset(); }

SaveFavoriteWindowController::SaveFavoriteWindowController() : TDWindowController(kWindowFileName) {}

void SaveFavoriteWindowController::windowDidLoad() {
  tk::Window& dialog = *window();
  _favoriteName = tk::viewWithIdentifier<tk::TextField>(dialog, "favoriteName");
  _comment = tk::viewWithIdentifier<tk::TextField>(dialog, "comment");
  _titleFavoriteName = tk::viewWithIdentifier<tk::TextField>(dialog, "titleFavoriteName");
  _titleComment = tk::viewWithIdentifier<tk::TextField>(dialog, "titleComment");
  _okButton = tk::viewWithIdentifier<tk::Button>(dialog, "okButton");
  _cancelButton = tk::viewWithIdentifier<tk::Button>(dialog, "cancelButton");
  if (_titleFavoriteName != nullptr) _titleFavoriteName->setStringValue(BSLocalizedString("Favorite name"));
  if (_titleComment != nullptr) _titleComment->setStringValue(BSLocalizedString("Comment"));
  if (_okButton != nullptr) _okButton->setTitle(BSLocalizedString("Save"));
  if (_cancelButton != nullptr) _cancelButton->setTitle(BSLocalizedString("Cancel"));
  attachMaxBytesFormatter(_favoriteName, FavoriteItem::maxNameLength(), "Placeholder Max chars");
  attachMaxBytesFormatter(_comment, FavoriteItem::maxCommentLength(), "Placeholder Max chars");
  dialog.setTitle(BSLocalizedString("Save Favorite"));
  tk::bindAction(dialog, "okButton:", [this](tk::Control& sender) { okButton(sender); });
  tk::bindAction(dialog, "cancelButton:", [this](tk::Control& sender) { cancelButton(sender); });
}

int SaveFavoriteWindowController::showAsModalDialog(const std::optional<std::string>& name,
                                                    const std::optional<std::string>& comment) {
  tk::Window* dialog = window();
  if (dialog == nullptr || _favoriteName == nullptr || _comment == nullptr) return tk::ModalResponse::Abort;
  const bool isDefault = FavoriteItem::isEqualToDefaultFavoriteName(name);
  // Editing left open by the last run ends unkept, or a refused keystroke would put its text back.
  _favoriteName->abortEditing();
  _comment->abortEditing();
  _favoriteName->setStringValue(isDefault ? "" : name.value_or(""));
  _comment->setStringValue(isDefault ? "" : comment.value_or(""));
  _favoriteName->selectText();
  const int code = tk::Application::shared().runModalForWindow(*dialog);
  dialog->orderOut();
  return code;
}

std::string SaveFavoriteWindowController::name() const {
  return _favoriteName != nullptr ? _favoriteName->stringValue() : std::string();
}

std::string SaveFavoriteWindowController::comment() const {
  return _comment != nullptr ? _comment->stringValue() : std::string();
}

void SaveFavoriteWindowController::okButton(tk::Control&) {
  if (const std::optional<std::string> refused = FavoriteItem::checkName(name())) {
    showFavoriteDialogMessage(window(), *refused, _favoriteName);
    return;
  }
  if (const std::optional<std::string> refused = FavoriteItem::checkComment(comment())) {
    showFavoriteDialogMessage(window(), *refused, _comment);
    return;
  }
  tk::Application::shared().stopModalWithCode(tk::ModalResponse::OK);
}

void SaveFavoriteWindowController::cancelButton(tk::Control&) {
  tk::Application::shared().stopModalWithCode(tk::ModalResponse::Cancel);
}

}  // namespace orval
