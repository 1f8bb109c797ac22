// WexoPDEByCocoa: creation and release, the host's panel protocol, the
// notifications of the main pane and the printer description.
#include "panel/wexo_pde_by_cocoa.h"

#include <algorithm>

#include "common/localized_string.h"
#include "common/notify_unit.h"
#include "common/principal_bundle.h"
#include "panel/pde_callback_slot.h"
#include "panel/print_server_host_name.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/view.h"

namespace orval {

namespace {

// The size of the panel's root view.
constexpr tk::Rect kPanelViewFrame{0, 0, 500, 300};

constexpr const char* kSamplePrintModeKey = "SamplePrintMode";

}  // namespace

const std::vector<std::string>& WexoPDEByCocoa::observedKeys() {
  static const std::vector<std::string> keys = {"PagePrintOnCenter", "ColorMode",  "StapleMode",
                                                "Punch_PunchHoles",  "Fold",       "OutputTray",
                                                "OffsetMode",        "AutoTraySettingToBypass", "QZInputSlot"};
  return keys;
}

// Creation and release ------------------------------------------------------------------------------

WexoPDEByCocoa::WexoPDEByCocoa(PDEPluginCallback* callback, std::shared_ptr<Bundle> bundle) {
  if (callback != nullptr) {
    _pdePluginCallbackObject = callback;
    setSharedPDEPluginCallback(callback);
  }
  if (bundle) {
    _plugInBundle = std::move(bundle);
    SetNSBundleForLocalizedString(_plugInBundle);
    SetBSPrincipalBundle(_plugInBundle);
  }
  _useConstraintHandling =
      _pdePluginCallbackObject != nullptr && _pdePluginCallbackObject->respondsToWillChangePPDOptionKeyValue();

  _panePlugInMgr = &PanePlugInMgr::sharedInstance();
  _panePlugInMgr->loadPlugIns();
  _panePlugInMgr->setPDEObject(this);
  _panePlugInMgr->getAllList();

  if (!_hostName) _takeHostName();
  _setDefaults();
}

WexoPDEByCocoa::~WexoPDEByCocoa() {
  configuringNotification(false);
  // The manager may have been released (and another made) since this panel took it.
  PanePlugInMgr* manager = PanePlugInMgr::sharedInstanceIfExists();
  if (manager != nullptr && manager == _panePlugInMgr) {
    if (manager->pdeObject() == this) manager->setPDEObject(nullptr);
    if (manager->delegate() == this) manager->setDelegate(nullptr);
  }
  if (_pdePluginCallbackObject != nullptr && sharedPDEPluginCallback() == _pdePluginCallbackObject)
    setSharedPDEPluginCallback(nullptr);
  _isIntializedUi = false;
}

void WexoPDEByCocoa::_takeHostName() {
  if (_pdePluginCallbackObject == nullptr) return;
  const PrintSession* session = _pdePluginCallbackObject->printSession();
  const Printer* printer = session != nullptr ? session->currentPrinter() : nullptr;
  if (printer == nullptr || !printer->deviceURI()) return;
  std::optional<std::string> host = printServerHostNameFromDeviceURI(*printer->deviceURI());
  if (!host) return;
  _hostName = std::move(host);
  _panePlugInMgr->setHostName(_hostName);
}

void WexoPDEByCocoa::_setDefaults() {
  // A host without constraint handling would also get every default written
  // into a printer-description dictionary; this system has none.
  PrintOption defaults = _panePlugInMgr->defaultSettings();
  _defaultPrintOption = defaults;
  _printOption = std::move(defaults);
}

// The host's panel protocol ---------------------------------------------------------------------------

std::string WexoPDEByCocoa::panelName() { return kPanelName; }

std::string WexoPDEByCocoa::panelKind() { return kPanelKind; }

tk::View* WexoPDEByCocoa::panelView() {
  if (!_view) _view = std::make_unique<tk::View>(kPanelViewFrame);
  return _view.get();
}

void WexoPDEByCocoa::willShow() {
  try {
    _buildUi();
    _panePlugInMgr->willShowAllBundle();
    configuringNotification(true);
    _isMyPluginPDE = true;
  } catch (const PlatformException& e) {
    logMessage("###Exception in willShow: " + e.reason());
  }
}

bool WexoPDEByCocoa::shouldHide() {
  _isMyPluginPDE = false;
  return true;
}

Dict WexoPDEByCocoa::summaryInfo() {
  if (!_isIntializedUi) {
    _buildUi();
    saveValuesAndReturnError(nullptr);
  }
  if (_printOption) return _panePlugInMgr->summaryInfoFromPrintOption(*_printOption);
  if (_defaultPrintOption) return _panePlugInMgr->summaryInfoFromPrintOption(*_defaultPrintOption);
  return Dict();
}

bool WexoPDEByCocoa::saveValuesAndReturnError(std::string* error) {
  // The options reach the job through the ticket bridge and the main pane,
  // neither of which is part of the panel yet: nothing is stored.
  return true;
}

bool WexoPDEByCocoa::restoreValuesAndReturnError(std::string* error) {
  try {
    _setDefaults();
  } catch (const PlatformException& e) {
    logMessage("###Exception in restoreValuesAndReturnError: " + e.reason());
  }
  return true;
}

void WexoPDEByCocoa::PPDOptionKeyValueDidChange(const std::optional<std::string>& key,
                                                const std::optional<std::string>& choice) {
  if (!key || !choice || !_printOption || !_printOption->contains(*key)) return;
  const PpdFileExt* ppd = _ppd();
  if (ppd == nullptr) return;
  const std::optional<std::vector<std::string>> choices = ppd->optionKeywords(*key);
  if (!choices || std::find(choices->begin(), choices->end(), *choice) == choices->end()) return;
  _printOption->set(*key, Value(*choice));
}

std::optional<Array> WexoPDEByCocoa::supportedPPDOptionKeys() {
  if (!_plugInBundle) return std::nullopt;
  const Array* keys = _plugInBundle->objectForInfoDictionaryKey(kPPDKeysSupportedKey).asArray();
  if (keys == nullptr) return std::nullopt;
  return *keys;
}

// The main pane ------------------------------------------------------------------------------------------

// Builds once: of the main pane's building, the copy of the hidden
// host-control flags is what exists so far.
void WexoPDEByCocoa::_buildUi() {
  if (_isIntializedUi) return;
  _isHiddenNumCopies = _panePlugInMgr->isHiddenNumCopies();
  _isHiddenDuplex = _panePlugInMgr->isHiddenDuplex();
  _isHiddenCollate = _panePlugInMgr->isHiddenCollate();
  _isIntializedUi = true;
}

// Notifications ------------------------------------------------------------------------------------------

void WexoPDEByCocoa::configuringNotification(bool flag) {
  NotifyUnit::removeObserver(this);
  if (!flag) return;
  for (const std::string& key : observedKeys())
    NotifyUnit::addObserver(this, [this](const Notification& n) { keyChangeNotification(n); }, key);
}

void WexoPDEByCocoa::keyChangeNotification(const Notification& notification) {
  if (notification.userInfo.empty() || notification.name.empty()) return;
  if (_isIntializedUi && _printOption) {
    if (std::optional<std::string> sample = _panePlugInMgr->getStringValueFromKey(kSamplePrintModeKey))
      _printOption->set(kSamplePrintModeKey, Value(*sample));
  }
}

// The printer description ------------------------------------------------------------------------------

PpdFileExt* WexoPDEByCocoa::_ppd() {
  if (!_ppdFile && _useConstraintHandling && _pdePluginCallbackObject != nullptr) {
    if (ppd_file_t* handle = _pdePluginCallbackObject->ppdFile()) _ppdFile = std::make_unique<PpdFileExt>(handle);
  }
  return _ppdFile.get();
}

}  // namespace orval
