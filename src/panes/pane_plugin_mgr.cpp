// PanePlugInMgr: the shared instance, creation and release, the bundle's
// information, the settings engine and the default option set.
#include "panes/pane_plugin_mgr.h"

#include "common/message_format.h"
#include "common/principal_bundle.h"
#include "conversion/password_encoder.h"
#include "panes/print_option_consistency_check.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"
#include "settings_ui/ui_description.h"

namespace orval {

namespace {

std::unique_ptr<PanePlugInMgr>& sharedSlot() {
  static std::unique_ptr<PanePlugInMgr> shared;
  return shared;
}

constexpr const char* kColorModelKey = "ColorModel";

}  // namespace

// The shared instance ---------------------------------------------------------------------------

PanePlugInMgr& PanePlugInMgr::sharedInstance() {
  std::unique_ptr<PanePlugInMgr>& shared = sharedSlot();
  if (!shared) {
    shared = std::make_unique<PanePlugInMgr>();
    shared->setInitializedNetworkData(false);
  }
  return *shared;
}

PanePlugInMgr* PanePlugInMgr::sharedInstanceIfExists() { return sharedSlot().get(); }

void PanePlugInMgr::release() {
  // The slot is cleared before the manager goes, so that nothing reached
  // while it is being released finds a half-released manager.
  std::unique_ptr<PanePlugInMgr> released = std::move(sharedSlot());
}

void PanePlugInMgr::resetSharedInstanceForTesting() { release(); }

// Creation and release ----------------------------------------------------------------------------

PanePlugInMgr::PanePlugInMgr() : _koraMgr(std::make_unique<KORAMgr>()) {
  _koraMgr->setInitializedNetworkDataProvider([this] { return _isInitializedNetworkData; });

  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  _readBundleInformation(bundle.get());

  std::optional<std::string> resourcePath;
  if (bundle) resourcePath = bundle->resourcePath().string();
  if (resourcePath) _koraMgr->setPdeResourcePath(*resourcePath);

  const int status = loadEncDec(resourcePath ? resourcePath->c_str() : nullptr);
  if (status != 0) logMessage(stringWithFormat("###loadEncDec: error %d", status));
}

PanePlugInMgr::~PanePlugInMgr() {
  // The engine goes first: it refers to the controls that the pane
  // controllers own.
  _koraMgr.reset();
  _panesTreeDictionary.reset();
  _plugInTable.clear();
  _ppdFile.reset();
  _defaultDictionary.reset();
  _currentProfilePath.reset();
  unloadEncDec();
}

void PanePlugInMgr::_readBundleInformation(const Bundle* bundle) {
  std::optional<std::filesystem::path> candidate;
  if (bundle != nullptr) {
    const Dict& info = bundle->infoDictionary();
    if (const std::string* pod = info.get(kUIPODKey).asString()) {
      _uiPOD = *pod;
      candidate = bundle->contentsPath() / "Resources" / (*pod + ".plist");
    }
    _uiTabTreeView = info.get(kTabTreeViewKey).truth();
    _isHiddenNumCopies = info.get(kHiddenNumCopiesKey).truth();
    _isHiddenDuplex = info.get(kHiddenDuplexKey).truth();
    _isHiddenCollate = info.get(kHiddenCollateKey).truth();
  }
  if (!candidate || !files::exists(*candidate)) {
    logMessage("###Error:UISetting Plist file not found!");
    return;
  }
  _uiFilePath = candidate->string();
}

std::shared_ptr<const Dict> PanePlugInMgr::uiDescription() {
  if (_uiDescription) return _uiDescription;
  std::optional<Dict> parsed;
  if (_uiFilePath) {
    parsed = dictFromFile(*_uiFilePath);
    if (!parsed) logMessage("###Error:UISetting Plist file cannot be read: " + *_uiFilePath);
  }
  if (!parsed) {
    const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
    const auto fallback = bundle ? bundle->pathForResource(kUIDescriptionFallbackResource, "plist") : std::nullopt;
    if (fallback) parsed = dictFromFile(*fallback);
  }
  if (!parsed) {
    logMessage("###Error:UISetting Plist file not found!");
    return nullptr;
  }
  _uiDescription = std::make_shared<const Dict>(std::move(*parsed));
  return _uiDescription;
}

// The settings engine ------------------------------------------------------------------------------

void PanePlugInMgr::setKoraUiToKoraMgr(KORAUI* control) {
  if (control != nullptr) _registerControls({control});
}

std::optional<std::string> PanePlugInMgr::getStringValueFromKey(const std::string& key) {
  return _koraMgr->getStringValue(key);
}

void PanePlugInMgr::setStringValue(const std::optional<std::string>& value, const std::string& key) {
  _koraMgr->setStringValue(key, value);
}

std::optional<std::vector<std::string>> PanePlugInMgr::setStringValueWithRestoreConfliction(
    const std::string& value, const std::string& key) {
  return _koraMgr->setStringValueWithRestoreConfliction(key, value);
}

void PanePlugInMgr::updateOldValue(const std::string& key) { _koraMgr->updateOldValue(key); }

bool PanePlugInMgr::validateBeforeChange(const std::string& keyword, const std::string& candidate,
                                         const std::optional<std::string>& name) {
  return _koraMgr->validateBeforeChange(keyword, candidate, name);
}

bool PanePlugInMgr::isPrintOptionConsistencyCheck(const PrintOption* options) const {
  return orval::isPrintOptionConsistencyCheck(options);
}

Dict PanePlugInMgr::resloveConflictAlertDuplex(const std::optional<std::string>& duplex,
                                               const std::optional<std::string>& mediaType, int order) const {
  return Dict();
}

// Defaults -------------------------------------------------------------------------------------------

const PrintOption& PanePlugInMgr::_defaultValueDictionary() {
  // Made once from the registered controls: the first request must come
  // after the pane plug-ins have registered theirs.
  if (!_defaultDictionary) _defaultDictionary = _koraMgr->getAllValueDictionary();
  return *_defaultDictionary;
}

PrintOption PanePlugInMgr::defaultSettings() { return _defaultValueDictionary(); }

std::optional<std::string> PanePlugInMgr::_defaultOptionKeyword(const std::string& key) {
  const Value* value = _defaultValueDictionary().find(key);
  if (value == nullptr || value->isNull()) return std::nullopt;
  std::string choice = _stringFromObject(*value);
  // A printer that offers the better CMYK mode defaults to it.
  if (key == kColorModelKey && choice == "CMYK1" && isExistsInPpd(kColorModelKey, std::string("CMYK2")))
    choice = "CMYK2";
  return choice;
}

std::optional<std::string> PanePlugInMgr::selectedOptionKeyword(const std::string& key) {
  return _defaultOptionKeyword(key);
}

// Helpers ---------------------------------------------------------------------------------------------

std::string PanePlugInMgr::_stringFromObject(const Value& value) {
  if (const std::string* text = value.asString()) return *text;
  return value.truth() ? "True" : "False";
}

}  // namespace orval
