// PanePlugInMgr: the services it offers the pane plug-ins and the
// detailed-settings window: binding, registering and finding settings
// controls, menu items and their represented dictionaries, images, hiding
// and enabling, panes by name and role, rebuilding, gathering and enabling
// every pane, and deferred actions.
#include <algorithm>

#include "common/control_enabling.h"
#include "common/control_helpers.h"
#include "common/notify_unit.h"
#include "common/principal_bundle.h"
#include "favorites/app_preference.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/image.h"
#include "platform/toolkit/menu_item.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/ui_description.h"

namespace orval {

namespace {

// The text a control without a tool tip formats its tool tip as.
constexpr const char* kNoToolTip = "(null)";

}  // namespace

// Binding and registering --------------------------------------------------------------------------

const Dict* PanePlugInMgr::controlDictionary() { return uiDescription().get(); }

bool PanePlugInMgr::setupKORAUIControls(const std::vector<KORAUI*>* controls, const Dict* controlDictionary,
                                        KORAUIControlTable* outputDictionary, const std::shared_ptr<Bundle>& bundle,
                                        const std::string& paneName) {
  if (controls == nullptr || controlDictionary == nullptr || outputDictionary == nullptr) return false;
  // Controls with children build them from the whole description: they share the manager's
  // parse when given it, else one copy for this call.
  std::shared_ptr<const Dict> shared = _uiDescription;
  if (shared.get() != controlDictionary) shared = std::make_shared<const Dict>(*controlDictionary);
  for (KORAUI* control : *controls) {
    if (control == nullptr || !control->hasToolTip()) continue;
    const std::string key = control->toolTip();
    if (key == kNoToolTip) continue;
    // A key the description lacks binds the control to no description: it
    // builds nothing but its (empty) title part.
    const Dict* description = controlDescriptionNamed(*controlDictionary, key);
    if (description == nullptr) logMessage("###Error: no control description for " + key);
    control->setControlDictionary(description != nullptr ? *description : Dict(), bundle);
    control->setUIDescription(shared);
    if (paneName.empty()) control->updateControl();
    else control->updateControl(paneName);
    control->setToolTip(std::nullopt);
    (*outputDictionary)[key] = control;
  }
  return true;
}

void PanePlugInMgr::_registerControls(const std::vector<KORAUI*>& controls) {
  for (KORAUI* control : controls)
    if (control != nullptr) _koraMgr->addControl(control);
  for (const KORAUI* control : controls) {
    if (control == nullptr) continue;
    NotifyUnit::postNotificationName(control->mainKeyword());
    for (const KORAUI* child : control->childControls()) NotifyUnit::postNotificationName(child->mainKeyword());
  }
}

void PanePlugInMgr::buildPaneUi(PanePlugInInterface* paneController, const std::shared_ptr<Bundle>& bundle) {
  if (paneController == nullptr) return;
  try {
    if (const auto profiles = paneController->profileUiInformations()) {
      for (const ProfileUiInformation& profile : *profiles)
        _addProfileItem(profile.key, profile.profileUiControl, profile.profileNo_Max, profile.fmtOptionKeywod,
                        bundle);
    }
    if (const auto controls = paneController->getListKORAUI()) _registerControls(*controls);
  } catch (const PlatformException& e) {
    logMessage("###Exception while building a pane: " + e.reason());
  }
}

std::vector<KORAUI*> PanePlugInMgr::getKORAUIControls(const tk::View* view) {
  std::vector<KORAUI*> controls;
  if (view == nullptr) return controls;
  for (tk::View* subview : view->subviews()) {
    if (subview->className().find("KORAUI") != std::string::npos) {
      if (auto* control = dynamic_cast<KORAUI*>(subview)) controls.push_back(control);
    } else if (auto* tabs = dynamic_cast<tk::TabView*>(subview)) {
      for (tk::TabViewItem* item : tabs->tabViewItems()) {
        const std::vector<KORAUI*> inTab = getKORAUIControls(item->view());
        controls.insert(controls.end(), inTab.begin(), inTab.end());
      }
    }
  }
  return controls;
}

KORAUI* PanePlugInMgr::getKORAUIOneControl(const std::vector<KORAUI*>& controls, const std::string& key) {
  const auto found = std::find_if(controls.begin(), controls.end(),
                                  [&key](const KORAUI* control) { return control && control->mainKeyword() == key; });
  return found != controls.end() ? *found : nullptr;
}

// Menu items, images, hiding and enabling ------------------------------------------------------------

void PanePlugInMgr::addMenuItem(tk::PopUpButton* menu, const std::optional<std::string>& mainKeyword,
                                const std::optional<std::string>& optionAlias,
                                const std::optional<std::string>& optionKeyword) {
  if (menu == nullptr || !mainKeyword || !optionAlias || !optionKeyword) return;
  tk::MenuItem item;
  setMenuItem(&item, mainKeyword, optionAlias, optionKeyword);
  menu->addItem(std::move(item));
}

void PanePlugInMgr::setMenuItem(tk::MenuItem* item, const std::optional<std::string>& mainKeyword,
                                const std::optional<std::string>& optionAlias,
                                const std::optional<std::string>& optionKeyword) {
  if (item == nullptr || !mainKeyword || !optionAlias || !optionKeyword) return;
  item->setTitle(*optionAlias);
  item->setRepresentedObject(Value(Dict{{"optionKeyword", Value(*optionKeyword)}, {"mainKeyword", Value(*mainKeyword)}}));
}

Value PanePlugInMgr::representedObjectOfMenuItem(const tk::MenuItem* item, const std::string& key) {
  const Dict* represented = item != nullptr ? item->representedObject().asDict() : nullptr;
  const Value* entry = represented != nullptr ? represented->find(key) : nullptr;
  return entry != nullptr ? *entry : Value();
}

Value PanePlugInMgr::representedObject(const tk::Control* control, const std::string& key) {
  return representedObjectForKey(control, key);
}

std::optional<tk::Image> PanePlugInMgr::imageWithName(const std::string& name, const Bundle* bundle) {
  if (bundle == nullptr || name.empty()) return std::nullopt;
  const std::optional<std::filesystem::path> path = bundle->pathForResource(name, "png");
  if (!path) return std::nullopt;
  return tk::Image::fromFile(path->string());
}

bool PanePlugInMgr::_buildControl(tk::Control* control, const std::string& key, tk::TextField* title) {
  const PpdFileExt* ppd = ppdInformation();
  if (control == nullptr || ppd == nullptr) return false;
  const auto keywords = ppd->optionKeywords(key);
  const auto aliases = ppd->optionAliases(key);
  if (!keywords || !aliases || keywords->size() != aliases->size()) return false;
  if (auto* popup = dynamic_cast<tk::PopUpButton*>(control)) {
    popup->removeAllItems();
    for (std::size_t i = 0; i < keywords->size(); ++i) addMenuItem(popup, key, (*aliases)[i], (*keywords)[i]);
  }
  if (title != nullptr) setTitleString(title, ppd->mainAlias(key).value_or(key));
  return true;
}

void PanePlugInMgr::setHidden(bool hidden, const std::vector<tk::View*>& conrtols) {
  for (tk::View* control : conrtols)
    if (control != nullptr) control->setHidden(hidden);
}

void PanePlugInMgr::setEnabled(bool enabled, const std::vector<tk::Control*>& dependentConrtols) {
  setEnabledConrtols(enabled, dependentConrtols);
}

// Panes by name --------------------------------------------------------------------------------------

std::optional<std::string> PanePlugInMgr::panelNameOfBundleName(const std::string& bundleName) {
  const PlugInEntry* entry = _entryNamed(bundleName);
  if (entry == nullptr) return std::nullopt;
  return entry->paneConroller->panelName();
}

tk::View* PanePlugInMgr::panelViewOfBundleName(const std::string& bundleName) {
  const PlugInEntry* entry = _entryNamed(bundleName);
  return entry != nullptr ? safeInvokePanelViewFor(entry->paneConroller) : nullptr;
}

PanePlugInInterface* PanePlugInMgr::paneControllerOfBundleName(const std::string& bundleName) {
  const PlugInEntry* entry = _entryNamed(bundleName);
  if (entry == nullptr) return nullptr;
  safeInvokePanelViewFor(entry->paneConroller);
  return entry->paneConroller;
}

std::optional<std::string> PanePlugInMgr::roleName(const PanePlugInInterface* paneController) const {
  if (paneController == nullptr) return std::nullopt;
  std::vector<const std::string*> names;
  for (const PlugInEntry& entry : _plugInTable)
    if (entry.paneConroller == paneController) names.push_back(&entry.name);
  if (_loadingController == paneController) names.push_back(&_loadingName);
  if (names.size() != 1) return std::nullopt;
  const std::size_t plus = names.front()->find('+');
  if (plus == std::string::npos) return std::nullopt;
  return names.front()->substr(plus + 1);
}

bool PanePlugInMgr::rebuildPanes(const Value& rebuildPanes, const std::optional<std::string>& panesTreeName) {
  _panesTreeDictionary.reset();
  loadPlugIns();
  bool reopened = true;
  if (_ppdFile) {
    reopened = false;
    const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
    const std::optional<std::filesystem::path> path =
        bundle && panesTreeName ? bundle->pathForResource(*panesTreeName, "") : std::nullopt;
    std::string error;
    std::unique_ptr<PpdFileExt> ppd = path ? PpdFileExt::initWithContentsOfFile(*path, &error) : nullptr;
    if (ppd) {
      _ppdFile = std::move(ppd);
      reopened = true;
    } else {
      logMessage("###Error: cannot open the printer description " + panesTreeName.value_or("(none)") +
                 (error.empty() ? "" : ": " + error));
    }
  }
  _defaultDictionary.reset();
  for (std::size_t i = 0; i < _plugInTable.size(); ++i) safeInvokePanelViewFor(_plugInTable[i].paneConroller);
  return reopened;
}

// Gathering, enabling, deferred actions ----------------------------------------------------------------

std::optional<PrintOption> PanePlugInMgr::gatherPrintOptionValues(const std::optional<std::string>& fileType,
                                                                  bool useServerSetting, bool sameSettingForNext,
                                                                  bool unifiedFileType) {
  if (unifiedFileType) return std::nullopt;
  return _koraMgr->getAllValueDictionary();
}

const std::vector<PanePlugInMgr::PlugInEntry>& PanePlugInMgr::_requirePlugInTable() const {
  if (_plugInTable.empty()) throw PlatformException("NSInternalInconsistencyException", "## plug-in table is nil");
  return _plugInTable;
}

void PanePlugInMgr::updateEnabledStates(const std::optional<std::string>& fileType, bool unifiedFileType,
                                        bool useServerSetting, bool sameSettingForNext) {
  const std::vector<PlugInEntry>& table = _requirePlugInTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    updateEnabledStatesByBundleName(table[i].name, fileType, unifiedFileType, useServerSetting, sameSettingForNext);
}

void PanePlugInMgr::delayedAction(tk::Control* control) {
  if (control == nullptr) return;
  // The control may be gone by the next turn: then nothing is sent.
  std::weak_ptr<const void> alive = control->viewLifetime();
  tk::Application::shared().runLoop().performOnNextTurn(
      [control, alive] {
        if (!alive.expired()) control->sendAction();
      },
      {tk::RunLoopMode::ModalPanel});
}

}  // namespace orval
