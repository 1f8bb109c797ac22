// PanePlugInMgr: the panes tree, loading the pane plug-ins into the plug-in
// table, and the operations that walk the loaded plug-ins.
#include <sys/stat.h>

#include <algorithm>
#include <unordered_set>

#include "common/common_alert.h"
#include "common/dictionary_helpers.h"
#include "common/principal_bundle.h"
#include "favorites/app_preference.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/application.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundleExtension = ".bundle";

// Name (the plain name) and what follows its first "+" (the role), if anything does.
std::pair<std::string, std::optional<std::string>> splitBundleName(const std::string& bundleName) {
  const std::size_t plus = bundleName.find('+');
  if (plus == std::string::npos) return {bundleName, std::nullopt};
  return {bundleName.substr(0, plus), bundleName.substr(plus + 1)};
}

void noteRole(const Value& bundleName, std::unordered_map<std::string, std::vector<std::string>>& roles) {
  const std::string* name = bundleName.asString();
  if (name == nullptr) return;
  auto [plain, role] = splitBundleName(*name);
  if (role) roles[plain].push_back(*role);
}

// Every path under folder, depth first in name order, that ends in ".bundle".
// Folders reached through symbolic links are not entered, so a link that
// points back up cannot make the walk endless.
void collectBundlePaths(const fs::path& folder, std::vector<fs::path>& found) {
  const std::optional<std::vector<std::string>> names = files::contentsOfDirectory(folder);
  if (!names) return;
  for (const std::string& name : *names) {
    const fs::path path = folder / name;
    if (path.extension() == kBundleExtension) found.push_back(path);
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) collectBundlePaths(path, found);
  }
}

// The controls registered in engine, every list of every keyword.
std::unordered_set<const KORAUI*> registeredControls(const KORAMgr& engine) {
  std::unordered_set<const KORAUI*> controls;
  for (const KORAControlRegistry::Entry& entry : engine.getControlsDictionary())
    controls.insert(entry.controls.begin(), entry.controls.end());
  return controls;
}

}  // namespace

// The panes tree -------------------------------------------------------------------------------------

const Dict* PanePlugInMgr::panesTreeDictionary() {
  if (!_panesTreeDictionary) {
    const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
    const std::optional<std::string> name = AppPreference::sharedInstance().panesTreeFileNameWithAppName();
    if (name) _panesTreeDictionary = DictionaryNamed(*name, bundle.get());
    if (!_panesTreeDictionary) {
      logMessage("###Error: panesTreeDictionary does not loaded.");
      return nullptr;
    }
  }
  return &*_panesTreeDictionary;
}

void PanePlugInMgr::_gatherPlugInRoleNames(const Dict& node, RoleNames& roles) {
  noteRole(node.get("bundleName"), roles);
  if (const Dict* dependency = node.get("dependency").asDict()) {
    for (const auto& [key, entry] : *dependency) {
      if (key == "mainKeyword") continue;
      if (const Dict* dependent = entry.asDict()) noteRole(dependent->get("bundleName"), roles);
    }
  }
  if (const Array* items = node.get("items").asArray()) {
    for (const Value& item : *items)
      if (const Dict* child = item.asDict()) _gatherPlugInRoleNames(*child, roles);
  }
}

// Loading ---------------------------------------------------------------------------------------------

bool PanePlugInMgr::loadPlugIns() {
  RoleNames roles;
  if (const Dict* tree = panesTreeDictionary()) _gatherPlugInRoleNames(*tree, roles);

  std::vector<fs::path> candidates;
  if (const std::shared_ptr<Bundle> bundle = BSPrincipalBundle())
    collectBundlePaths(bundle->builtInPlugInsPath(), candidates);

  for (const fs::path& path : candidates) {
    const auto found = roles.find(path.stem().string());
    if (found == roles.end()) {
      _loadPaneControllerAtPath(path, std::nullopt);
      continue;
    }
    for (const std::string& role : found->second) _loadPaneControllerAtPath(path, role);
  }
  return !_plugInTable.empty();
}

PanePlugInInterface* PanePlugInMgr::_loadPaneControllerAtPath(const fs::path& path,
                                                              const std::optional<std::string>& roleName) {
  const std::string plainName = path.stem().string();
  const std::string tableName = roleName ? plainName + "+" + *roleName : plainName;
  // A name is loaded once: a later controller under the same name would
  // replace one whose controls the engine already holds.
  if (_entryNamed(plainName) != nullptr || _entryNamed(tableName) != nullptr) return nullptr;

  std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(path);
  if (!bundle) return nullptr;
  std::string error;
  std::unique_ptr<BundlePrincipal> object = bundle->makePrincipalObject(&error);
  auto* controller = dynamic_cast<PanePlugInInterface*>(object.get());
  if (controller == nullptr) return nullptr;

  // Controls that a refused pane registered go with it, so the engine is
  // never left holding controls whose owner is gone.
  const std::unordered_set<const KORAUI*> before = registeredControls(*_koraMgr);
  bool accepted = false;
  // While it initializes, the pane learns its role from roleName.
  _loadingController = controller;
  _loadingName = tableName;
  try {
    accepted = controller->initializePanel(bundle, *this);
  } catch (const std::exception& e) {
    logMessage("###Error: pane plug-in " + tableName + " failed to initialize: " + e.what());
  }
  _loadingController = nullptr;
  _loadingName.clear();
  if (!accepted) {
    for (const KORAUI* control : registeredControls(*_koraMgr))
      if (!before.contains(control)) _koraMgr->removeControl(control);
    return nullptr;
  }

  _plugInTable.push_back(PlugInEntry{tableName, std::move(bundle), std::move(object), controller});
  return controller;
}

PanePlugInInterface* PanePlugInMgr::_loadPaneControllerWithName(const std::string& name) {
  if (name.empty() || _entryNamed(name) != nullptr) return nullptr;
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  if (!bundle) return nullptr;
  return _loadPaneControllerAtPath(bundle->builtInPlugInsPath() / (name + kBundleExtension), std::nullopt);
}

const PanePlugInMgr::PlugInEntry* PanePlugInMgr::_entryNamed(const std::string& name) const {
  const auto found = std::find_if(_plugInTable.begin(), _plugInTable.end(),
                                  [&name](const PlugInEntry& entry) { return entry.name == name; });
  return found != _plugInTable.end() ? &*found : nullptr;
}

PanePlugInInterface* PanePlugInMgr::paneControllerNamed(const std::string& name) const {
  const PlugInEntry* entry = _entryNamed(name);
  return entry != nullptr ? entry->paneConroller : nullptr;
}

// Walking the loaded plug-ins ---------------------------------------------------------------------------

// The walks go by index: a pane may have the manager load another plug-in
// meanwhile, which grows the table.

void PanePlugInMgr::willShowAllBundle() {
  for (std::size_t i = 0; i < _plugInTable.size(); ++i) _plugInTable[i].paneConroller->willShow();
  setInitializedNetworkData(true);
}

tk::View* PanePlugInMgr::safeInvokePanelViewFor(PanePlugInInterface* paneController) {
  if (paneController == nullptr) return nullptr;
  // A pane that loads an interface file must not re-run the host's own hook.
  const tk::SuspendedInterfaceLoadedHook suspended;
  try {
    return paneController->panelView();
  } catch (const PlatformException& e) {
    logMessage("###Exception while making a pane's view: " + e.reason());
    return nullptr;
  }
}

bool PanePlugInMgr::loadPanelView() {
  if (_panelViewCount >= _plugInTable.size()) return false;
  safeInvokePanelViewFor(_plugInTable[_panelViewCount++].paneConroller);
  return true;
}

bool PanePlugInMgr::restorePrintOptionValues(const PrintOption* options) {
  if (_plugInTable.empty() || options == nullptr) return true;
  try {
    _koraMgr->setSettings(*options);
    for (std::size_t i = 0; i < _plugInTable.size(); ++i) {
      PanePlugInInterface* controller = _plugInTable[i].paneConroller;
      if (_plugInTable[i].name == kPagePlugInName) controller->writeAutomaticPapaerTraySelection();
      safeInvokePanelViewFor(controller);
    }
  } catch (const PlatformException& e) {
    showExceptionAlert(e);
  }
  return true;
}

}  // namespace orval
