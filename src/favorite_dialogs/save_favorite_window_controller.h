// SaveFavoriteWindowController: the modal dialog that asks for the name and
// comment under which the current settings are saved as a favorite.
//
// The name must pass the favorite name rules and the comment the comment
// rules; a refusal is shown in a sheet and the offending field gets the
// focus. No duplicate check is made: saving under an existing name replaces
// that favorite, as the person chose its name. One shared instance, created
// on first use; its window is the interface file "SaveFavorite".
#pragma once

#include <optional>
#include <string>

#include "settings_ui/td_window_controller.h"

namespace orval {

namespace tk {
class Button;
class Control;
class TextField;
}  // namespace tk

class SaveFavoriteWindowController : public TDWindowController {
 public:
  static constexpr const char* kWindowFileName = "SaveFavorite";

  // The shared controller, created on first use.
  static SaveFavoriteWindowController& sharedInstance();
  // Test-only: releases the shared controller and its window.
  static void resetSharedInstanceForTesting();

  SaveFavoriteWindowController();

  // Runs the dialog with name and comment shown (both empty when name is the
  // default favorite's); answers 1 (Save) or 0 (Cancel), the abort answer
  // when the window cannot be loaded.
  int showAsModalDialog(const std::optional<std::string>& name, const std::optional<std::string>& comment);
  // The texts of the two fields ("" before the window is loaded).
  std::string name() const;
  std::string comment() const;

  // Actions
  // Save: ends with 1 when the name and the comment pass their rules.
  void okButton(tk::Control& sender);
  void cancelButton(tk::Control& sender);

 protected:
  void windowDidLoad() override;

 private:
  tk::TextField* _favoriteName = nullptr;
  tk::TextField* _comment = nullptr;
  tk::TextField* _titleFavoriteName = nullptr;
  tk::TextField* _titleComment = nullptr;
  tk::Button* _okButton = nullptr;
  tk::Button* _cancelButton = nullptr;
};

}  // namespace orval
