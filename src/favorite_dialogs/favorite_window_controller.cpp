#include "favorite_dialogs/favorite_window_controller.h"

#include <memory>

#include "common/common_alert.h"
#include "common/control_enabling.h"
#include "common/control_helpers.h"
#include "common/localized_string.h"
#include "common/message_format.h"
#include "common/notify_unit.h"
#include "conversion/print_option_converter.h"
#include "favorite_dialogs/favorite_dialog_message.h"
#include "favorites/app_preference.h"
#include "favorites/favorite_file.h"
#include "favorites/favorite_list.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/user.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/save_panel.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/text_field_attach.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

constexpr tk::Size kIconSize{16, 16};
constexpr const char* kPlaceholderFormat = "Placeholder Max chars";

std::unique_ptr<FavoriteWindowController>& sharedSlot() {
  static std::unique_ptr<FavoriteWindowController> shared;
  return shared;
}

// The folder new favorites go to, or none.
std::optional<fs::path> favoriteFolder() {
  const std::vector<fs::path> folders = AppPreference::sharedInstance().favoriteFolderPathArray(true);
  if (folders.empty()) return std::nullopt;
  return folders.front();
}

// True when path lies directly in the favorite folder (an item that is no import).
bool isInFavoriteFolder(const std::string& path) {
  const std::optional<fs::path> folder = favoriteFolder();
  return folder && fs::path(path).lexically_normal().parent_path() == folder->lexically_normal();
}

}  // namespace

FavoriteWindowController& FavoriteWindowController::sharedInstance() {
  std::unique_ptr<FavoriteWindowController>& shared = sharedSlot();
  if (!shared) shared = std::make_unique<FavoriteWindowController>();
  return *shared;
}

void FavoriteWindowController::resetSharedInstanceForTesting() { sharedSlot().reset(); }

FavoriteWindowController::FavoriteWindowController()
    : TDWindowController(kWindowFileName),
      _normalItemIcon(tk::Image::systemIcon(tk::SystemIcon::GenericDocument).scaledTo(kIconSize)),
      _classicIcon(_normalItemIcon) {}

FavoriteWindowController::~FavoriteWindowController() {
  NotifyUnit::removeObserver(this);
  if (_favoriteListView != nullptr) {
    _favoriteListView->setDelegate(nullptr);
    _favoriteListView->setDataSource(nullptr);
  }
}

// Set-up ---------------------------------------------------------------------------------------------------

void FavoriteWindowController::windowDidLoad() {
  tk::Window& dialog = *window();
  dialog.setTitle(BSLocalizedString("Favorite window title"));
  _favoriteListView = tk::viewWithIdentifier<tk::TableView>(dialog, "favoriteListView");
  _nameEditField = tk::viewWithIdentifier<tk::TextField>(dialog, "nameEditField");
  _commentEditField = tk::viewWithIdentifier<tk::TextField>(dialog, "commentEditField");
  _nameTitle = tk::viewWithIdentifier<tk::TextField>(dialog, "nameTitle");
  _commentTitle = tk::viewWithIdentifier<tk::TextField>(dialog, "commentTitle");
  _titleFavoriteList = tk::viewWithIdentifier<tk::TextField>(dialog, "titleFavoriteList");
  _titleSettingList = tk::viewWithIdentifier<tk::TextField>(dialog, "titleSettingList");
  _treeView = tk::viewWithIdentifier<tk::OutlineView>(dialog, "treeView");
  _importButton = tk::viewWithIdentifier<tk::Button>(dialog, "importButton");
  _exportButton = tk::viewWithIdentifier<tk::Button>(dialog, "exportButton");
  _deleteButton = tk::viewWithIdentifier<tk::Button>(dialog, "deleteButton");
  _okButton = tk::viewWithIdentifier<tk::Button>(dialog, "okButton");
  _cancelButton = tk::viewWithIdentifier<tk::Button>(dialog, "cancelButton");

  for (const auto& [label, key] : {std::pair{_titleFavoriteList, "Favorite list"},
                                   std::pair{_titleSettingList, "Setting list"}, std::pair{_nameTitle, "Name"},
                                   std::pair{_commentTitle, "Comment"}})
    if (label != nullptr) label->setStringValue(BSLocalizedString(key));
  for (const auto& [button, key] : {std::pair{_deleteButton, "Delete"}, std::pair{_importButton, "Import"},
                                    std::pair{_exportButton, "Export"}, std::pair{_cancelButton, "Cancel"},
                                    std::pair{_okButton, "OK"}})
    if (button != nullptr) button->setTitle(BSLocalizedString(key));

  attachMaxBytesFormatter(_nameEditField, FavoriteItem::maxNameLength(), kPlaceholderFormat);
  attachMaxBytesFormatter(_commentEditField, FavoriteItem::maxCommentLength(), kPlaceholderFormat);
  _dataSource.setOutlineView(_treeView, true);
  if (setBrowserCellToColumn(_favoriteListView, FavoriteItem::kNameKey)) {
    if (std::optional<tk::Image> classic = AppPreference::sharedInstance().clasicIcon())
      _classicIcon = classic->scaledTo(kIconSize);
  }
  if (_favoriteListView != nullptr) {
    _favoriteListView->setAllowsEmptySelection(false);
    _favoriteListView->setDataSource(this);
    _favoriteListView->setDelegate(this);
  }
  if (_nameEditField != nullptr)
    NotifyUnit::addObserver(
        this, [this](const Notification& n) { _nameEditFieldDidEndEditing(n); },
        tk::kControlTextDidEndEditingNotification, _nameEditField);

  tk::bindAction(dialog, "okButton:", [this](tk::Control& sender) { okButton(sender); });
  tk::bindAction(dialog, "cancelButton:", [this](tk::Control& sender) { cancelButton(sender); });
  tk::bindAction(dialog, "deleteButton:", [this](tk::Control& sender) { deleteButton(sender); });
  tk::bindAction(dialog, "importButton:", [this](tk::Control& sender) { importButton(sender); });
  tk::bindAction(dialog, "exportButton:", [this](tk::Control& sender) { exportButton(sender); });
}

// The modal run --------------------------------------------------------------------------------------------

int FavoriteWindowController::showAsModalDialog(const std::optional<std::string>& profilePath,
                                                const std::optional<PrintOption>& printOption) {
  tk::Window* dialog = window();
  if (dialog == nullptr || _favoriteListView == nullptr) return tk::ModalResponse::Abort;
  _favoriteItemArray = favoriteListItems();
  _removedItemArray.clear();
  _profilePath = profilePath.value_or("");
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  _defaultPrintOption = manager.defaultSettings();
  if (printOption) {
    _currentPrintOption = _defaultPrintOption;
    for (const auto& [key, value] : *printOption) _currentPrintOption.set(key, value);
  } else {
    manager.updateEnabledStates(std::nullopt, false, false, false);
    _currentPrintOption = manager.gatherPrintOptionValues(std::nullopt, false, false, false).value_or(PrintOption());
  }
  _isOccurEnterOrReturnKeyEventOnNameEditField = false;
  _favoriteListView->reloadData();
  _selectRow(kCurrentSettingRow);

  const int code = tk::Application::shared().runModalForWindow(*dialog);
  dialog->orderOut();
  if (code == tk::ModalResponse::OK) {
    // What could not be done on disk is said, so that no change is lost unnoticed.
    const std::vector<std::string> failures = applyFavoriteList(_favoriteItemArray, _removedItemArray);
    std::string text;
    for (const std::string& failure : failures) text += (text.empty() ? "" : "\n") + failure;
    if (!text.empty()) showInformationalAlert(text);
  }
  _favoriteItemArray.clear();
  _removedItemArray.clear();
  _currentPrintOption = PrintOption();
  return code;
}

// Rows ------------------------------------------------------------------------------------------------------

const FavoriteItem* FavoriteWindowController::_selectedItem() const {
  const int row = _favoriteListView != nullptr ? _favoriteListView->selectedRow() : -1;
  if (row < 0 || row >= static_cast<int>(_favoriteItemArray.size())) return nullptr;
  return &_favoriteItemArray[static_cast<std::size_t>(row)];
}

void FavoriteWindowController::_selectRow(int row) {
  _favoriteListView->selectRow(row);
  tableViewSelectionDidChange(*_favoriteListView);
}

int FavoriteWindowController::numberOfRowsInTableView(tk::TableView&) {
  return static_cast<int>(_favoriteItemArray.size());
}

Value FavoriteWindowController::objectValueForTableColumn(tk::TableView&, const tk::TableColumn* column, int row) {
  if (column == nullptr || row < 0 || row >= static_cast<int>(_favoriteItemArray.size())) return {};
  return _favoriteItemArray[static_cast<std::size_t>(row)].valueForKey(column->identifier());
}

const tk::Image& FavoriteWindowController::iconOfRow(int row) const {
  if (row < 0 || row >= static_cast<int>(_favoriteItemArray.size())) return _normalItemIcon;
  const std::optional<std::string> path = _favoriteItemArray[static_cast<std::size_t>(row)].path();
  if (!path) return _normalItemIcon;
  const std::string home = homeDirectory().lexically_normal().string();
  const bool inHome = !home.empty() && fs::path(*path).lexically_normal().string().starts_with(home + "/");
  return inHome ? _normalItemIcon : _classicIcon;
}

bool FavoriteWindowController::selectionShouldChangeInTableView(tk::TableView&) {
  const tk::Event* event = tk::Application::shared().currentEvent();
  const bool byMouse = event != nullptr && event->type == tk::EventType::LeftMouseDown;
  return !byMouse || _validateSelectedRow();
}

void FavoriteWindowController::tableViewSelectionDidChange(tk::TableView& tableView) {
  const int row = tableView.selectedRow();
  const FavoriteItem* item = _selectedItem();
  setEnabledConrtols(row >= FavoriteItem::kFavoriteListOffset,
                     {_nameEditField, _commentEditField, _nameTitle, _commentTitle, _exportButton, _deleteButton});
  if (_commentEditField != nullptr)
    _commentEditField->setStringValue(item != nullptr ? item->comment().value_or("") : "");
  if (_nameEditField != nullptr) _nameEditField->setStringValue(item != nullptr ? item->name().value_or("") : "");
  _dataSource.updatePrintOption(_printOptionOfRow(row), false);
  _dataSource.markDifferedWithDefault(_defaultPrintOption, false);
  _dataSource.updateProfilePath(_profilePath, true);
}

PrintOption FavoriteWindowController::_printOptionOfRow(int row) {
  if (row == kCurrentSettingRow) return _currentPrintOption;
  PrintOption options = _defaultPrintOption;
  if (row < FavoriteItem::kFavoriteListOffset || row >= static_cast<int>(_favoriteItemArray.size())) return options;
  const std::optional<std::string> path = _favoriteItemArray[static_cast<std::size_t>(row)].path();
  if (!path) return options;
  const FavoriteFile file{fs::path(*path)};
  if (!file.options()) return options;
  // The stored form read back to the form the panes (and the tree's marks) use.
  PrintOption favorite = PrintOptionConverter::sharedInstance().toPpdKeywordFormat(*file.options());
  PrintOptionConverter::convertToInternalPpdKeyword(favorite);
  for (const auto& [key, value] : favorite) options.set(key, value);
  return options;
}

bool FavoriteWindowController::_validateSelectedRow() {
  const int row = _favoriteListView != nullptr ? _favoriteListView->selectedRow() : -1;
  if (row < FavoriteItem::kFavoriteListOffset || row >= static_cast<int>(_favoriteItemArray.size())) return true;
  FavoriteItem& item = _favoriteItemArray[static_cast<std::size_t>(row)];
  const std::string name = _nameEditField != nullptr ? _nameEditField->stringValue() : item.name().value_or("");
  // An import lands in the favorite folder under its name: any row of that name is taken.
  std::optional<std::string> path = item.path();
  if (path && !isInFavoriteFolder(*path)) path.reset();
  // The rules judge a name the person gives. An unchanged one stands: the file exists under it,
  // and a name given under another system encoding may count more bytes in this one.
  std::optional<std::string> failure = name != item.name() ? FavoriteItem::checkName(name) : std::nullopt;
  if (!failure) failure = checkDuplicateFavoriteName(_favoriteItemArray, row, name, path);
  if (failure) {
    _showMessage(*failure, _nameEditField);
    return false;
  }
  item.setName(name);
  if (_commentEditField == nullptr) return true;
  const std::string comment = _commentEditField->stringValue();
  if (const std::optional<std::string> refused = FavoriteItem::checkComment(comment)) {
    _showMessage(*refused, _commentEditField);
    return false;
  }
  item.setComment(comment);
  return true;
}

void FavoriteWindowController::_showMessage(const std::string& message, tk::TextField* field) {
  showFavoriteDialogMessage(window(), message, field);
}

void FavoriteWindowController::_nameEditFieldDidEndEditing(const Notification& notification) {
  const auto movement = static_cast<tk::TextMovement>(notification.userInfo.get(tk::kTextMovementKey).intValue());
  _isOccurEnterOrReturnKeyEventOnNameEditField = movement == tk::TextMovement::Return;
}

// Actions ---------------------------------------------------------------------------------------------------

void FavoriteWindowController::okButton(tk::Control&) {
  if (_isOccurEnterOrReturnKeyEventOnNameEditField) {
    _isOccurEnterOrReturnKeyEventOnNameEditField = false;
    if (_validateSelectedRow()) _favoriteListView->reloadData();
    return;
  }
  if (_validateSelectedRow()) tk::Application::shared().stopModalWithCode(tk::ModalResponse::OK);
}

void FavoriteWindowController::cancelButton(tk::Control&) {
  tk::Application::shared().stopModalWithCode(tk::ModalResponse::Cancel);
}

void FavoriteWindowController::deleteButton(tk::Control&) {
  const int row = _favoriteListView != nullptr ? _favoriteListView->selectedRow() : -1;
  if (row < FavoriteItem::kFavoriteListOffset || row >= static_cast<int>(_favoriteItemArray.size())) return;
  const std::size_t index = static_cast<std::size_t>(row);
  tk::Alert alert;
  alert.setMessageText(stringWithFormat(BSLocalizedString("fmtConfirmationOfDeleteFavorite"),
                                        _favoriteItemArray[index].name().value_or("")));
  alert.addButtonWithTitle(BSLocalizedString("OK"));
  alert.addButtonWithTitle(BSLocalizedString("Cancel"));
  if (alert.runModal() != tk::AlertReturn::FirstButton) return;
  _removedItemArray.push_back(std::move(_favoriteItemArray[index]));
  _favoriteItemArray.erase(_favoriteItemArray.begin() + row);
  sortFavoriteList(_favoriteItemArray);
  _favoriteListView->reloadData();
  _selectRow(kCurrentSettingRow);
}

void FavoriteWindowController::importButton(tk::Control&) {
  // As a click elsewhere would, the row being edited is validated first, so that no edit is lost.
  if (_favoriteListView == nullptr || !_validateSelectedRow()) return;
  tk::OpenPanel panel;
  if (const std::optional<fs::path> folder = favoriteFolder()) panel.setDirectoryURL(folder->string());
  panel.setCanChooseFiles(true);
  panel.setCanChooseDirectories(false);
  panel.setAllowsMultipleSelection(false);
  if (panel.runModal() != tk::ModalResponse::OK || panel.URL().empty()) return;
  if (const std::optional<std::string> failure = importFavorite(_favoriteItemArray, panel.URL())) {
    _showMessage(*failure, nullptr);
    return;
  }
  _favoriteListView->reloadData();
  for (std::size_t row = 0; row < _favoriteItemArray.size(); ++row)
    if (_favoriteItemArray[row].path() == panel.URL()) _selectRow(static_cast<int>(row));
}

void FavoriteWindowController::exportButton(tk::Control&) {
  const int row = _favoriteListView != nullptr ? _favoriteListView->selectedRow() : -1;
  if (row < FavoriteItem::kFavoriteListOffset || row >= static_cast<int>(_favoriteItemArray.size())) return;
  const FavoriteItem item = _favoriteItemArray[static_cast<std::size_t>(row)];
  tk::SavePanel panel;
  if (const std::optional<fs::path> folder = favoriteFolder()) panel.setDirectoryURL(folder->string());
  panel.setNameFieldStringValue(FavoriteFile::stringByAppendingExtension(item.name()).value_or(""));
  if (panel.runModal() != tk::ModalResponse::OK || panel.URL().empty()) return;
  if (const std::optional<std::string> failure = exportFavorite(item, panel.URL())) _showMessage(*failure, nullptr);
}

}  // namespace orval
