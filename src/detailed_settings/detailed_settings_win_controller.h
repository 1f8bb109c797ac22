// DetailedSettingsWinController: the modal "Detailed Settings" window: every
// pane plug-in's pane in one tab view, a view-style pop-up that switches
// between plain tabs and the tab tree beside a tab view without tabs, and
// buttons to confirm ("Setting"), cancel, revert to the defaults and show the
// version information. It also reformats an option set from all panes.
//
// One shared instance, created on first use. Its window is the interface
// file "DetailedSettings" (views "tabView", "treeContainer" holding the
// outline "outlineview", "viewStyle" with the tags 1 (tabs) and 2 (tree),
// buttons "okButton", "cancelButton", "revertToDefaultButton",
// "versionInfoButton", optionally "downloadButton"); its frame is kept
// under "DetailedSettingsDialog".
//
// Set-up, when the window is loaded: titles localized; the pane plug-ins
// loaded; one tab per top-level node of the panes tree that names a pane
// ("bundleName"): identifier the bundle name, label the pane's name, and the
// pane's view lent to the tab (the pane keeps it). A node whose pane is not
// loaded gets no tab (logged). The tab tree shows when the manager's tab-tree
// setting is on. A PlatformException during set-up is shown in an alert
// titled with its name and raised again.
//
// View styles: tabs (tag 1) hide the tree, move the tab view 200 points
// left (when it stands further right than that) and widen it by as much,
// show its tabs and the fake tab buttons (action "clickedFakeTabButton:"),
// and move the window's other views (not buttons) to x = 187; the tree
// (tag 2) shows the tree, moves the tab view 200 points right (when it
// stands left of that) and narrows it, hides its tabs, border and the fake
// tab buttons, and moves the other views to x = 0. The tree is reloaded.
//
// The modal run works on a copy: the caller's set is replaced only when the
// person confirms a set that passes the consistency check, so that
// cancelling after a refused confirmation leaves the caller's set as it was.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/value.h"
#include "settings_ui/tab_tree_data_source.h"
#include "settings_ui/td_window_controller.h"

namespace orval {

namespace tk {
class Button;
class Control;
class OutlineView;
class PopUpButton;
class TabView;
class View;
}  // namespace tk

class DetailedSettingsWinController : public TDWindowController, public tk::WindowDelegate {
 public:
  static constexpr const char* kWindowFileName = "DetailedSettings";
  // The tags of the view styles.
  static constexpr long kTabStyle = 1;
  static constexpr long kTreeStyle = 2;
  // How far the tab view moves, and where the other views stand, in the tab style.
  static constexpr double kTreeWidth = 200;
  static constexpr double kTabStyleInset = 187;

  // The shared controller, created on first use.
  static DetailedSettingsWinController& sharedInstance();
  // Releases the shared controller and its window (the bundle's unload; the
  // panes get their views back); the next sharedInstance makes a new one.
  static void release();
  // Test-only: releases the shared controller.
  static void resetSharedInstanceForTesting();

  DetailedSettingsWinController();
  ~DetailedSettingsWinController() override;

  // Runs the window modally on options (see above); answers 1 (confirmed) or 0 (cancelled;
  // the abort answer when the window was closed or cannot be loaded).
  int showAsModalDialog(PrintOption& options);
  // Replaces options by the gathered settings of all panes with options' own values laid over
  // them; options stay as they are when nothing is gathered.
  void reformatPrintOption(PrintOption& options);

  // Actions
  void okButton(tk::Control& sender);
  void cancelButton(tk::Control& sender);
  // Puts a copy of the default settings into all panes.
  void clickedRevertToDefault(tk::Control& sender);
  // Runs the version information (About) panel.
  void clickedVersionInfo(tk::Control& sender);
  // Selects the tab whose index is the button's tag.
  void clickedFakeTabButton(tk::Control& sender);
  // Updates the enabled states of the pane named paneName, or of every pane.
  void _updateEnabledStates(const std::optional<std::string>& paneName);
  // Applies the view style selected in popup.
  void setupViewStylePopupButton(tk::PopUpButton* popup);

  // WindowDelegate: NoEmptyTextField and MailAddressTextField are edited with their own editor.
  tk::FieldEditor* fieldEditorForField(tk::Window& window, tk::TextField& field) override;

  tk::TabView* tabView() const { return _tabView; }
  tk::OutlineView* outlineview() const { return _outlineview; }
  tk::PopUpButton* viewStyle() const { return _viewStyle; }
  tk::View* treeContainer() const { return _treeContainer; }
  const std::string& prevSelectedProfileName() const { return _prevSelectedProfileName; }

 protected:
  void windowDidLoad() override;

 private:
  // The tabs of the panes (see above).
  void _setupPaneTabs();

  tk::Button* _cancelButton = nullptr;
  tk::Button* _downloadButton = nullptr;
  tk::Button* _versionInfoButton = nullptr;
  tk::Button* _okButton = nullptr;
  tk::Button* _revertToDefaultButton = nullptr;
  std::string _prevSelectedProfileName;
  tk::TabView* _tabView = nullptr;
  tk::OutlineView* _outlineview = nullptr;
  tk::PopUpButton* _viewStyle = nullptr;
  tk::View* _treeContainer = nullptr;
  DataSource _tabTree;
};

}  // namespace orval
