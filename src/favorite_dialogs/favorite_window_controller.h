// FavoriteWindowController: the favorite manager, a modal window that lists
// the favorites beside the settings of the selected one, and lets the person
// rename, re-comment, import, export and delete them.
//
// The list ("favoriteListView", columns identified by the item keys "name"
// and "comment") begins with two rows that cannot be edited, exported or
// deleted: the current settings and the default favorite. Below the list,
// the name and comment fields edit the selected row; the edit reaches the
// row only when it is validated: when the person leaves the row with the
// mouse, presses Return in the name field (which validates without closing)
// or confirms with OK. Leaving the row with the keyboard drops edits that
// were not validated. Nothing reaches the disk before OK: deleted favorites
// wait in the removed list, imports stay where they are, renames and
// comments stay in the list; OK applies the whole edited list, Cancel
// forgets it. The outline beside the list ("treeView") shows the settings of
// the selected row through the detailed-settings tree, with the settings
// that differ from the defaults marked.
//
// One shared instance, created on first use; its window is the interface
// file "Favorite". Alerts, sheets and file choosers go through the
// application's operator.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "detailed_settings/print_option_tree_data_source.h"
#include "favorites/favorite_item.h"
#include "platform/foundation/value.h"
#include "platform/toolkit/image.h"
#include "platform/toolkit/table_view.h"
#include "settings_ui/td_window_controller.h"

namespace orval {

struct Notification;

namespace tk {
class Button;
class Control;
class OutlineView;
class TextField;
}  // namespace tk

class FavoriteWindowController : public TDWindowController,
                                 public tk::TableViewDataSource,
                                 public tk::TableViewDelegate {
 public:
  static constexpr const char* kWindowFileName = "Favorite";
  // The fixed rows.
  static constexpr int kCurrentSettingRow = 0;
  static constexpr int kDefaultFavoriteRow = 1;

  // The shared controller, created on first use.
  static FavoriteWindowController& sharedInstance();
  // Test-only: releases the shared controller and its window.
  static void resetSharedInstanceForTesting();

  FavoriteWindowController();
  ~FavoriteWindowController() override;

  // Runs the manager on the favorite folder: profilePath goes to the settings
  // tree; printOption (internal form) are the current settings shown in row
  // 0, laid over the defaults (without it, the panes' current values). On 1
  // (OK) the edited list is applied. Answers 1 or 0 (the abort answer when
  // the window cannot be loaded).
  int showAsModalDialog(const std::optional<std::string>& profilePath,
                        const std::optional<PrintOption>& printOption);

  // Actions
  // OK: validates the selected row; after a Return in the name field that is all, else a valid row closes with 1.
  void okButton(tk::Control& sender);
  // Cancel: closes with 0.
  void cancelButton(tk::Control& sender);
  // Delete: asks, then moves the selected favorite to the removed list and selects row 0.
  void deleteButton(tk::Control& sender);
  // Import: validates the selected row, then adds a favorite file the person chooses.
  void importButton(tk::Control& sender);
  // Export: writes the selected favorite to a new file the person names.
  void exportButton(tk::Control& sender);

  // TableViewDataSource: the item's value for the column's identifier.
  int numberOfRowsInTableView(tk::TableView& tableView) override;
  Value objectValueForTableColumn(tk::TableView& tableView, const tk::TableColumn* column, int row) override;
  // TableViewDelegate: a change by mouse validates the row left first; a failure keeps the selection.
  bool selectionShouldChangeInTableView(tk::TableView& tableView) override;
  // Shows the selected row in the fields and the tree.
  void tableViewSelectionDidChange(tk::TableView& tableView) override;

  // The icon of row's name: the classic icon for a favorite kept outside the home folder, else the normal one.
  const tk::Image& iconOfRow(int row) const;

  // While open: the edited list, the removed items, the current settings.
  const std::vector<FavoriteItem>& favoriteItemArray() const { return _favoriteItemArray; }
  const std::vector<FavoriteItem>& removedItemArray() const { return _removedItemArray; }
  const PrintOption& currentPrintOption() const { return _currentPrintOption; }
  // The views (nullptr before the window is loaded).
  tk::TableView* favoriteListView() const { return _favoriteListView; }
  tk::TextField* nameEditField() const { return _nameEditField; }
  tk::TextField* commentEditField() const { return _commentEditField; }
  tk::OutlineView* treeView() const { return _treeView; }
  PrintOptionTreeDataSource& dataSource() { return _dataSource; }

 protected:
  void windowDidLoad() override;

 private:
  // Validates the selected row's fields into its item (rows 0 and 1 always
  // pass); a failure is shown in a sheet and focuses the offending field.
  bool _validateSelectedRow();
  // Shows message in an alert sheet, then gives field the focus.
  void _showMessage(const std::string& message, tk::TextField* field);
  // The settings shown for row (internal form).
  PrintOption _printOptionOfRow(int row);
  // Selects row and shows it, also when the selection stays on the same row index.
  void _selectRow(int row);
  void _nameEditFieldDidEndEditing(const Notification& notification);
  // The item of the selected row, or nullptr.
  const FavoriteItem* _selectedItem() const;

  tk::TableView* _favoriteListView = nullptr;
  tk::TextField* _nameEditField = nullptr;
  tk::TextField* _commentEditField = nullptr;
  tk::TextField* _nameTitle = nullptr;
  tk::TextField* _commentTitle = nullptr;
  tk::TextField* _titleFavoriteList = nullptr;
  tk::TextField* _titleSettingList = nullptr;
  tk::OutlineView* _treeView = nullptr;
  tk::Button* _importButton = nullptr;
  tk::Button* _exportButton = nullptr;
  tk::Button* _deleteButton = nullptr;
  tk::Button* _okButton = nullptr;
  tk::Button* _cancelButton = nullptr;

  std::vector<FavoriteItem> _favoriteItemArray;
  std::vector<FavoriteItem> _removedItemArray;
  std::string _profilePath;
  PrintOptionTreeDataSource _dataSource;
  PrintOption _currentPrintOption;
  PrintOption _defaultPrintOption;
  bool _isOccurEnterOrReturnKeyEventOnNameEditField = false;
  tk::Image _normalItemIcon;
  tk::Image _classicIcon;
};

}  // namespace orval
