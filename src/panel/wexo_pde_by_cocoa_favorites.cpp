// WexoPDEByCocoa: the favorites row of the main pane.
//
// The pop-up lists the default favorite and, after a separator, the saved
// favorites. Choosing one lays it over the job. After every change the
// settings are compared with the current favorite: while they differ, a
// marker item ("Change Setting" + the favorite's name) stands directly above
// the favorite and is selected; once they agree again it goes. The current
// favorite is derived from the selected item each time (the marker stands for
// the item below it).
//
// The default favorite is compared with the default settings, the settings
// that choosing it lays over the job: a change away from the defaults marks
// it like any other favorite, and agreeing settings stay as they are.
#include <filesystem>

#include "common/common_alert.h"
#include "common/localized_string.h"
#include "conversion/field_scrambler.h"
#include "conversion/print_option_converter.h"
#include "detailed_settings/detailed_settings_win_controller.h"
#include "favorite_dialogs/favorite_window_controller.h"
#include "favorite_dialogs/save_favorite_window_controller.h"
#include "favorites/app_preference.h"
#include "favorites/favorite_file.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/image.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/pop_up_button.h"
#include "settings_ui/value_pattern.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

constexpr const char* kChangeSettingKey = "Change Setting";
constexpr const char* kAutoTraySettingToBypass = "AutoTraySettingToBypass";
// The password options, kept scrambled: compared on their clear text.
constexpr std::string_view kPasswordKeys[] = {"QZFormPassword", "QZSecurityPassword"};

std::string changeSettingPrefix() { return BSLocalizedString(kChangeSettingKey); }

bool isMarkerTitle(const std::string& title) {
  const std::string prefix = changeSettingPrefix();
  return !prefix.empty() && title.starts_with(prefix);
}

bool isPasswordKey(std::string_view key) {
  for (std::string_view password : kPasswordKeys)
    if (key == password) return true;
  return false;
}


// "1"/"True" -> true, "0"/"False" -> false, anything else none.
std::optional<bool> switchOf(const Value* value) {
  if (value == nullptr) return std::nullopt;
  const std::string text = value->text();
  if (text == "1" || text == "True") return true;
  if (text == "0" || text == "False") return false;
  return std::nullopt;
}

}  // namespace

// The current favorite ------------------------------------------------------------------------------------

int WexoPDEByCocoa::_currentFavoriteIndex() const {
  if (_favorite == nullptr) return -1;
  const tk::MenuItem* selected = _favorite->selectedItem();
  if (selected == nullptr) return -1;
  const std::string& title = selected->title();
  if (isMarkerTitle(title)) return _favorite->indexOfItemWithTitle(title.substr(changeSettingPrefix().size()));
  return _favorite->indexOfSelectedItem();
}

std::optional<std::string> WexoPDEByCocoa::_currentFavoriteName() const {
  const tk::MenuItem* item = _favorite != nullptr ? _favorite->itemAtIndex(_currentFavoriteIndex()) : nullptr;
  if (item == nullptr) return std::nullopt;
  return item->title();
}

std::optional<std::string> WexoPDEByCocoa::_currentFavoritePath() const {
  const tk::MenuItem* item = _favorite != nullptr ? _favorite->itemAtIndex(_currentFavoriteIndex()) : nullptr;
  if (item == nullptr) return std::nullopt;
  return item->representedObject().stringOr("");
}

int WexoPDEByCocoa::_indexOfChangePreset() const {
  if (_favorite == nullptr) return -1;
  for (int i = 0; i < _favorite->numberOfItems(); ++i)
    if (isMarkerTitle(_favorite->itemAtIndex(i)->title())) return i;
  return -1;
}

// Comparing ---------------------------------------------------------------------------------------------

Value WexoPDEByCocoa::_stringFromBooleanIfNeed(const Value& value) {
  if (const bool* flag = value.asBool()) return Value(*flag ? "True" : "False");
  return value;
}

std::optional<PrintOption> WexoPDEByCocoa::_currentFavoriteDictionary() {
  if (_favorite == nullptr) return std::nullopt;
  const std::optional<std::string> path = _currentFavoritePath();
  if (!path) return std::nullopt;
  if (path->empty()) {
    PrintOption defaults = _panePlugInMgr->defaultSettings();
    PrintOptionConverter::convertToCanonicalPpdKeyword(defaults, true);
    return defaults;
  }
  const FavoriteFile file = FavoriteFile::favoriteFileWithContentsOfFile(fs::path(*path));
  if (file.version() == kFavoriteFile_UnknownVersion || !file.options()) return std::nullopt;
  return PrintOptionConverter::sharedInstance().toPpdKeywordFormat(*file.options());
}

bool WexoPDEByCocoa::_isDifferFromCurrentFavorite(const PrintOption* options) {
  if (options == nullptr) return false;
  std::optional<PrintOption> favorite = _currentFavoriteDictionary();
  if (!favorite) return false;
  PrintOptionConverter::convertToInternalPpdKeyword(*favorite);
  // With the login as the job's owner the owner a favorite holds is its saver's login, which
  // the job never takes: it is no difference.
  const bool ownerIsLogin = options->get("AuthJobUserIdType").text() == "Login";
  for (const auto& [key, value] : *options) {
    const Value* theirs = favorite->find(key);
    if (value.isNull() || theirs == nullptr || theirs->isNull()) continue;
    if (ownerIsLogin && key == "AuthJobUserId") continue;
    const Value mine = _stringFromBooleanIfNeed(value);
    if (!mine.isString()) continue;
    if (!_isSameFavoriteValue(key, *mine.asString(), _stringFromBooleanIfNeed(*theirs).text())) return true;
  }
  return false;
}

bool WexoPDEByCocoa::_isSameFavoriteValue(const std::string& key, std::string mine, std::string theirs) {
  if (isPasswordKey(key)) {
    mine = decryptString(kFieldScramblerKey, mine);
    theirs = decryptString(kFieldScramblerKey, theirs);
  }
  if (mine == theirs) return true;
  return isDecimalNumberText(mine) && isDecimalNumberText(theirs) &&
         decimalValueOfString(mine) == decimalValueOfString(theirs);
}

void WexoPDEByCocoa::_checkDifferenceFromCurrentFavorite(bool reformat) {
  if (_isReflectingFavorite || !_printOption) return;
  PrintOption options = *_printOption;
  if (reformat) DetailedSettingsWinController::sharedInstance().reformatPrintOption(options);
  if (_isDifferFromCurrentFavorite(&options)) {
    const int index = _insertChangingPreset(&_backupFavoriteName);
    if (index >= 0 && _favorite != nullptr) _favorite->selectItemAtIndex(index);
    if (_deleteFavoriteButton != nullptr) _deleteFavoriteButton->setEnabled(false);
    return;
  }
  _removeChangedPresetTitleFromFavoritePopup();
  _reflectCurrentFavoriteToUi();
  if (_deleteFavoriteButton != nullptr) _deleteFavoriteButton->setEnabled(!_currentFavoritePath().value_or("").empty());
}

// The marker ---------------------------------------------------------------------------------------------

int WexoPDEByCocoa::_insertChangingPreset(std::string* title) {
  if (_favorite == nullptr || _indexOfChangePreset() >= 0) return -1;
  const int index = _currentFavoriteIndex();
  if (index < 0) return -1;
  const std::optional<std::string> name = _currentFavoriteName();
  const std::optional<std::string> path = _currentFavoritePath();
  if (!name || !path) return index;
  tk::MenuItem marker(changeSettingPrefix() + *name);
  marker.setRepresentedObject(Value(*path));
  marker.setImage(tk::Image::systemIcon(tk::SystemIcon::UnknownFileSystemObject).scaledTo({16, 16}));
  if (title != nullptr) *title = marker.title();
  _favorite->insertItem(std::move(marker), index);
  return index;
}

int WexoPDEByCocoa::_removeChangeingPreset() {
  const int index = _indexOfChangePreset();
  if (index >= 0) _favorite->removeItemAtIndex(index);
  return index;
}

void WexoPDEByCocoa::_removeChangedPresetTitleFromFavoritePopup() {
  if (_favorite == nullptr) return;
  const int selected = _favorite->indexOfSelectedItem();
  const int removed = _removeChangeingPreset();
  if (removed < 0) return;
  if (removed < selected) _favorite->selectItemAtIndex(selected - 1);
  else if (removed == selected && selected < _favorite->numberOfItems()) _favorite->selectItemAtIndex(selected);
}

// Applying -----------------------------------------------------------------------------------------------

void WexoPDEByCocoa::_reflectCurrentFavoriteToUi() {
  std::optional<PrintOption> favorite = _currentFavoriteDictionary();
  if (!favorite) return;
  PrintOptionConverter::convertToInternalPpdKeyword(*favorite);
  if (!_printOption) _printOption = PrintOption();
  // Texts that read as the same number count as equal ("2024.10" and "2024.1"), but the job's
  // own spelling stays: a folder name or a comment is not rewritten into the favorite's.
  for (const auto& [key, mine] : *_printOption) {
    const Value* theirs = favorite->find(key);
    if (theirs != nullptr && mine.isString() && theirs->isString() && mine.text() != theirs->text() &&
        _isSameFavoriteValue(key, mine.text(), theirs->text()))
      favorite->remove(key);
  }
  _printOption->merge(*favorite);
  {
    // The panes announce the values they take: those are not the person's changes.
    struct Reflecting {
      bool& flag;
      ~Reflecting() { flag = false; }
    } reflecting{_isReflectingFavorite = true};
    if (_defaultPrintOption) _restoreValuesToPane(*_defaultPrintOption);
    _panePlugInMgr->restorePrintOptionValues(&*_printOption);
    if (const Value* copies = _printOption->find("NumCopies"); copies != nullptr && !copies->isNull())
      setCopies(copies->text());
    const Value* slot = _printOption->find("QZInputSlot");
    setQZInputSlot(slot != nullptr && !slot->isNull() ? std::optional<std::string>(slot->text()) : std::nullopt);
  }
  if (const std::optional<bool> toBypass = switchOf(_printOption->find(kAutoTraySettingToBypass));
      toBypass && _bypassPaperTraySelectionButton != nullptr)
    _bypassPaperTraySelectionButton->setEnabled(!*toBypass);
}

// Actions ---------------------------------------------------------------------------------------------------

void WexoPDEByCocoa::selectFavorite(tk::PopUpButton* popup) {
  if (popup == nullptr) return;
  const tk::MenuItem* item = popup->selectedItem();
  const std::string title = item != nullptr ? item->title() : std::string();
  if (item != nullptr) _selectedFavorite = title;
  else popup->selectItemAtIndex(0);
  if (_deleteFavoriteButton != nullptr)
    _deleteFavoriteButton->setEnabled(!_currentFavoritePath().value_or("").empty() && !isMarkerTitle(title));
  if (_isIntializedUi) _backupFavoriteName = _selectedFavorite;
  if (isMarkerTitle(title)) return;
  _removeChangedPresetTitleFromFavoritePopup();
  _reflectCurrentFavoriteToUi();
  if (!_printOption) return;
  // Collate only from the favorite itself: the job's own value may be older than the dialog's.
  const std::optional<PrintOption> favorite = _currentFavoriteDictionary();
  if (const std::optional<bool> collate = switchOf(favorite ? favorite->find("Collate") : nullptr))
    setCollate(*collate);
  if (const Value* duplex = _printOption->find("DuplexMode"); duplex != nullptr && !duplex->isNull())
    _panePlugInMgr->setStringValue(duplex->text(), "DuplexMode");
}

int WexoPDEByCocoa::clickedSaveFavoriteButton() {
  const std::optional<std::string> name = _currentFavoriteName();
  const std::string path = _currentFavoritePath().value_or("");
  std::optional<std::string> comment;
  if (!path.empty()) {
    const FavoriteFile file = FavoriteFile::favoriteFileWithContentsOfFile(fs::path(path));
    if (file.version() != kFavoriteFile_UnknownVersion) comment = file.comment();
  }
  SaveFavoriteWindowController& dialog = SaveFavoriteWindowController::sharedInstance();
  const int answer = dialog.showAsModalDialog(name, comment);
  if (answer != tk::ModalResponse::OK) return answer;

  if (!_printOption) _printOption = PrintOption();
  _gatherValuesFromPane(*_printOption);
  PrintOption canonical = *_printOption;
  PrintOptionConverter::convertToCanonicalPpdKeyword(canonical, true);
  const PrintOption stored = PrintOptionConverter::sharedInstance().toInputMgrFormat(canonical);
  if (_deleteFavoriteButton != nullptr) _deleteFavoriteButton->setEnabled(false);
  if (stored.empty()) return answer;

  std::string error;
  const std::optional<fs::path> saved =
      AppPreference::sharedInstance().saveFavoriteOnFavoriteDirectory(dialog.name(), dialog.comment(), stored, &error);
  // A failed write keeps the favorite it would have replaced; the person is told.
  if (!error.empty()) showInformationalAlert(error);
  if (_favorite == nullptr) return answer;
  AppPreference::sharedInstance().buildFavoritePopup(_favorite);
  if (saved) {
    const int index = _favorite->indexOfItemWithRepresentedObject(Value(saved->string()));
    if (index >= 0) _favorite->selectItemAtIndex(index);
  }
  if (_deleteFavoriteButton != nullptr) _deleteFavoriteButton->setEnabled(!_currentFavoritePath().value_or("").empty());
  return answer;
}

bool WexoPDEByCocoa::clickedDeleteFavoriteButton() {
  const std::string path = _currentFavoritePath().value_or("");
  if (_favorite == nullptr || path.empty()) return false;
  tk::Alert alert;
  alert.setMessageText(BSLocalizedString("Warning"));
  alert.setInformativeText(BSLocalizedString("fmtDeleteSelectionFavorite"));
  alert.addButtonWithTitle(BSLocalizedString("Yes"));
  alert.addButtonWithTitle(BSLocalizedString("No"));
  if (alert.runModal() != tk::AlertReturn::FirstButton) return false;
  // To the trash, not unlinked: a favorite deleted by mistake can be taken back.
  std::string error;
  if (!files::trashItem(path, &error)) {
    logMessage("###Error: the favorite " + path + " was not deleted: " + error);
    return false;
  }
  // A marker (the favorite changed) goes with its favorite.
  _removeChangedPresetTitleFromFavoritePopup();
  _favorite->removeItemAtIndex(_currentFavoriteIndex());
  if (_favorite->numberOfItems() == 2) _favorite->removeItemAtIndex(1);
  _favorite->selectItemAtIndex(0);
  if (_defaultPrintOption) _restoreValuesToPane(*_defaultPrintOption);
  if (!_printOption) _printOption = PrintOption();
  _gatherValuesFromPane(*_printOption);
  if (_deleteFavoriteButton != nullptr) _deleteFavoriteButton->setEnabled(false);
  return true;
}

int WexoPDEByCocoa::clickedBrowseFavoriteButton() {
  const std::string path = _currentFavoritePath().value_or("");
  // The window shows and compares the job as it stands, and applying the current favorite afterwards
  // puts the job's copies back into the dialog: the copies typed since the last gathering among them.
  if (!_printOption) _printOption = PrintOption();
  _gatherValuesFromPane(*_printOption);
  const int answer = FavoriteWindowController::sharedInstance().showAsModalDialog(_selectedProfilePath, _printOption);
  if (answer != tk::ModalResponse::OK || _favorite == nullptr) return answer;
  AppPreference::sharedInstance().buildFavoritePopup(_favorite);
  if (!path.empty()) {
    const int index = _favorite->indexOfItemWithRepresentedObject(Value(path));
    _favorite->selectItemAtIndex(index >= 0 ? index : 0);
  }
  _checkDifferenceFromCurrentFavorite(true);
  return answer;
}

}  // namespace orval
