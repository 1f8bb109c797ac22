#include "detailed_settings/detailed_settings_win_controller.h"

#include "common/common_alert.h"
#include "common/localized_string.h"
#include "common/message_format.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/scroll_view.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/about_panel.h"

namespace orval {

namespace {

constexpr const char* kFakeTabAction = "clickedFakeTabButton:";

std::unique_ptr<DetailedSettingsWinController>& sharedSlot() {
  static std::unique_ptr<DetailedSettingsWinController> shared;
  return shared;
}

bool isFakeTabButton(const tk::View* view) {
  const auto* button = dynamic_cast<const tk::Button*>(view);
  return button != nullptr && button->action() == kFakeTabAction;
}

}  // namespace

DetailedSettingsWinController& DetailedSettingsWinController::sharedInstance() {
  std::unique_ptr<DetailedSettingsWinController>& shared = sharedSlot();
  if (!shared) shared = std::make_unique<DetailedSettingsWinController>();
  return *shared;
}

void DetailedSettingsWinController::release() {
  std::unique_ptr<DetailedSettingsWinController> released = std::move(sharedSlot());
}

void DetailedSettingsWinController::resetSharedInstanceForTesting() { release(); }

DetailedSettingsWinController::DetailedSettingsWinController() : TDWindowController(kWindowFileName) {}

DetailedSettingsWinController::~DetailedSettingsWinController() {
  // The outline must not ask the tab tree, which goes first, while the window goes.
  if (_outlineview != nullptr) {
    _outlineview->setDelegate(nullptr);
    _outlineview->setDataSource(nullptr);
  }
  if (isWindowLoaded()) window()->setDelegate(nullptr);
}

// Set-up ---------------------------------------------------------------------------------------------------

void DetailedSettingsWinController::windowDidLoad() {
  tk::Window& dialog = *window();
  try {
    dialog.setTitle(BSLocalizedString("Detailed Settings"));
    dialog.setDelegate(this);
    _tabView = tk::viewWithIdentifier<tk::TabView>(dialog, "tabView");
    _outlineview = tk::viewWithIdentifier<tk::OutlineView>(dialog, "outlineview");
    _treeContainer = tk::viewWithIdentifier<tk::View>(dialog, "treeContainer");
    _viewStyle = tk::viewWithIdentifier<tk::PopUpButton>(dialog, "viewStyle");
    _okButton = tk::viewWithIdentifier<tk::Button>(dialog, "okButton");
    _cancelButton = tk::viewWithIdentifier<tk::Button>(dialog, "cancelButton");
    _revertToDefaultButton = tk::viewWithIdentifier<tk::Button>(dialog, "revertToDefaultButton");
    _versionInfoButton = tk::viewWithIdentifier<tk::Button>(dialog, "versionInfoButton");
    _downloadButton = tk::viewWithIdentifier<tk::Button>(dialog, "downloadButton");
    if (_tabView == nullptr || _outlineview == nullptr || _treeContainer == nullptr || _viewStyle == nullptr)
      throw PlatformException("NSInternalInconsistencyException",
                              "the window DetailedSettings lacks its tab view, tree or view style");
    for (const auto& [button, title] : {std::pair{_cancelButton, "Cancel"}, std::pair{_okButton, "Setting"},
                                        std::pair{_revertToDefaultButton, "Revert to Default Settings"},
                                        std::pair{_versionInfoButton, "version info..."}})
      if (button != nullptr) button->setTitle(BSLocalizedString(title));
    // The view style row's label and items come from the window file in English.
    if (tk::View* row = _viewStyle->superview())
      for (tk::TextField* label : row->descendantsOfType<tk::TextField>())
        label->setStringValue(BSLocalizedString(label->stringValue()));
    for (int i = 0; i < _viewStyle->numberOfItems(); ++i)
      if (tk::MenuItem* item = _viewStyle->itemAtIndex(i); item != nullptr && !item->isSeparatorItem())
        item->setTitle(BSLocalizedString(item->title()));

    tk::bindAction(dialog, "okButton:", [this](tk::Control& sender) { okButton(sender); });
    tk::bindAction(dialog, "cancelButton:", [this](tk::Control& sender) { cancelButton(sender); });
    tk::bindAction(dialog, "clickedRevertToDefault:", [this](tk::Control& sender) { clickedRevertToDefault(sender); });
    tk::bindAction(dialog, "clickedVersionInfo:", [this](tk::Control& sender) { clickedVersionInfo(sender); });
    tk::bindAction(dialog, kFakeTabAction, [this](tk::Control& sender) { clickedFakeTabButton(sender); });
    tk::bindAction(dialog, "setupViewStylePopupButton:",
                   [this](tk::Control& sender) { setupViewStylePopupButton(dynamic_cast<tk::PopUpButton*>(&sender)); });

    PanePlugInMgr::sharedInstance().loadPlugIns();
    _setupPaneTabs();
    _outlineview->setDelegate(&_tabTree);
    _outlineview->setDataSource(&_tabTree);
    if (PanePlugInMgr::sharedInstance().getTabTreeView()) {
      _treeContainer->setHidden(false);
      _outlineview->reloadData();
      _viewStyle->selectItemWithTag(kTreeStyle);
    } else {
      _viewStyle->selectItemWithTag(kTabStyle);
    }
    setupViewStylePopupButton(_viewStyle);
  } catch (const PlatformException& e) {
    showInformationalAlert(e.name(), stringWithFormat(BSLocalizedString("Exception: %@"), BSLocalizedString(e.reason())));
    // The window goes (see TDWindowController): nothing may point into it.
    if (_outlineview != nullptr) {
      _outlineview->setDelegate(nullptr);
      _outlineview->setDataSource(nullptr);
    }
    dialog.setDelegate(nullptr);
    _tabView = nullptr;
    _outlineview = nullptr;
    _treeContainer = nullptr;
    _viewStyle = nullptr;
    _okButton = _cancelButton = _revertToDefaultButton = _versionInfoButton = _downloadButton = nullptr;
    throw;
  }
}

void DetailedSettingsWinController::_setupPaneTabs() {
  while (_tabView->numberOfTabViewItems() > 0) _tabView->removeTabViewItem(_tabView->tabViewItemAtIndex(0));
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  const Dict* tree = manager.panesTreeDictionary();
  const Array* nodes = tree != nullptr ? tree->get("items").asArray() : nullptr;
  if (nodes == nullptr) return;
  for (const Value& node : *nodes) {
    const std::string* bundleName = node.isDict() ? node.asDict()->get("bundleName").asString() : nullptr;
    if (bundleName == nullptr) continue;
    const std::optional<std::string> name = manager.panelNameOfBundleName(*bundleName);
    tk::View* view = name ? manager.panelViewOfBundleName(*bundleName) : nullptr;
    if (view == nullptr) {
      logMessage("###Error: the panes tree names the pane " + *bundleName + ", which is not loaded");
      continue;
    }
    auto item = std::make_unique<tk::TabViewItem>(Value(*bundleName));
    item->setLabel(*name);
    auto holder = std::make_unique<tk::View>(_tabView->bounds());
    // The pane stands at the top of its tab.
    view->setFrameOrigin({0, holder->frame().height - view->frame().height});
    holder->addLentSubview(*view);
    item->setView(std::move(holder));
    _tabView->addTabViewItem(std::move(item));
  }
}

void DetailedSettingsWinController::setupViewStylePopupButton(tk::PopUpButton* popup) {
  if (popup == nullptr || _tabView == nullptr || !isWindowLoaded()) return;
  const tk::MenuItem* selected = popup->selectedItem();
  const long style = selected != nullptr ? selected->tag() : 0;
  tk::Rect tabs = _tabView->frame();
  double othersX = 0;
  if (style == kTabStyle) {
    _treeContainer->setHidden(true);
    if (tabs.x >= kTreeWidth) tabs = {tabs.x - kTreeWidth, tabs.y, tabs.width + kTreeWidth, tabs.height};
    _tabView->setTabViewType(tk::TabViewType::TopTabsBezelBorder);
    othersX = kTabStyleInset;
  } else if (style == kTreeStyle) {
    _treeContainer->setHidden(false);
    if (tabs.x < kTreeWidth) tabs = {tabs.x + kTreeWidth, tabs.y, std::max(0.0, tabs.width - kTreeWidth), tabs.height};
    _tabView->setTabViewType(tk::TabViewType::NoTabsNoBorder);
    othersX = 0;
  } else {
    return;
  }
  _tabView->setFrame(tabs);
  // Each pane is itself a tab view, which the tree switched to no tabs where it listed its tabs.
  _tabTree.setNestedTabsShown(style == kTabStyle);
  for (tk::View* view : window()->contentView().subviews()) {
    if (isFakeTabButton(view)) {
      view->setHidden(style != kTabStyle);
    } else if (view != _tabView && view != _treeContainer && dynamic_cast<tk::Button*>(view) == nullptr) {
      view->setFrameOrigin({othersX, view->frame().y});
    }
  }
  _outlineview->setNeedsDisplay();
  _outlineview->reloadData();
}

// The modal run -------------------------------------------------------------------------------------------

int DetailedSettingsWinController::showAsModalDialog(PrintOption& options) {
  _prevSelectedProfileName.clear();
  tk::Window* dialog = window();
  if (dialog == nullptr) return tk::ModalResponse::Abort;
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  tk::Application& application = tk::Application::shared();
  int code = tk::ModalResponse::Cancel;
  while ((code = application.runModalForWindow(*dialog)) == tk::ModalResponse::OK) {
    // A field that refuses to end its editing keeps the window open.
    if (!dialog->makeFirstResponder(dialog)) continue;
    const std::optional<PrintOption> gathered = manager.gatherPrintOptionValues(std::nullopt, false, false, false);
    const PrintOption& candidate = gathered ? *gathered : options;
    if (manager.isPrintOptionConsistencyCheck(&candidate)) {
      options = candidate;
      break;
    }
  }
  dialog->orderOut();
  return code;
}

void DetailedSettingsWinController::reformatPrintOption(PrintOption& options) {
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  manager.updateEnabledStates(std::nullopt, true, false, false);
  std::optional<PrintOption> gathered = manager.gatherPrintOptionValues(std::nullopt, true, false, false);
  if (!gathered) return;
  for (const auto& [key, value] : options) gathered->set(key, value);
  options = std::move(*gathered);
}

// Actions ----------------------------------------------------------------------------------------------------

void DetailedSettingsWinController::okButton(tk::Control&) {
  tk::Application::shared().stopModalWithCode(tk::ModalResponse::OK);
}

void DetailedSettingsWinController::cancelButton(tk::Control&) {
  tk::Application::shared().stopModalWithCode(tk::ModalResponse::Cancel);
}

void DetailedSettingsWinController::clickedRevertToDefault(tk::Control&) {
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  const PrintOption defaults = manager.defaultSettings();
  manager.restorePrintOptionValues(&defaults);
}

void DetailedSettingsWinController::clickedVersionInfo(tk::Control&) { AboutPanelController::runModal(); }

void DetailedSettingsWinController::clickedFakeTabButton(tk::Control& sender) {
  if (_tabView != nullptr) _tabView->selectTabViewItemAtIndex(static_cast<int>(sender.tag()));
}

void DetailedSettingsWinController::_updateEnabledStates(const std::optional<std::string>& paneName) {
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  if (paneName) manager.updateEnabledStatesByBundleName(*paneName, std::nullopt, false, false, false);
  else manager.updateEnabledStates(std::nullopt, false, false, false);
}

tk::FieldEditor* DetailedSettingsWinController::fieldEditorForField(tk::Window& window, tk::TextField& field) {
  const std::string kind = field.className();
  if (kind == "NoEmptyTextField" || kind == "MailAddressTextField") return field.customFieldEditor();
  return &window.fieldEditor();
}

}  // namespace orval
