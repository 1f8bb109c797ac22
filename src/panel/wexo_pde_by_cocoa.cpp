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
#include "panes/pde_automatic_paper_tray_selection.h"
#include "settings_ui/kora_ui.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/text_field.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/view.h"

namespace orval {

namespace {

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
    // The engine outlives the panel: it lets go of the main pane's controls.
    for (const std::string& key : shortcutKeys())
      if (KORAUI* control = shortcutControl(key)) manager->koraMgr().removeControl(control);
    for (const auto* dialog : {_automaticPaperTraySelection.get(), _bypassPaperTraySelection.get()})
      if (dialog != nullptr)
        for (const auto& [name, control] : dialog->getListKORAUI()) manager->koraMgr().removeControl(control);
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
  if (!_view) _loadPanelView();
  return _view.get();
}

void WexoPDEByCocoa::willShow() {
  try {
    _buildUi();
    if (std::optional<Value> custom = _panePlugInMgr->getPrePostDeviceList()) {
      const Array* list = custom->asArray();
      if (list != nullptr && !list->empty()) {
        const KORAMgr* engine = &_panePlugInMgr->koraMgr();
        if (_automaticPaperTraySelection) _automaticPaperTraySelection->setPaperTypeCustomList(*custom, engine);
        if (_bypassPaperTraySelection) _bypassPaperTraySelection->setPaperTypeCustomList(*custom, engine);
      }
    }
    _panePlugInMgr->willShowAllBundle();
    _updatePaneFromModel();
    // The favorites row takes no room on this desktop: hidden, and its
    // container shrunk below the save button.
    for (tk::View* view : {static_cast<tk::View*>(_favorite), static_cast<tk::View*>(_titleFavorite),
                           static_cast<tk::View*>(_saveFavoriteButton)})
      if (view != nullptr) view->setHidden(true);
    if (_saveFavoriteButton != nullptr && _saveFavoriteButton->superview() != nullptr) {
      tk::View* container = _saveFavoriteButton->superview();
      container->setFrameSize({container->frame().width, _saveFavoriteButton->frame().y});
    }
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
    _updatePaneFromModel();
    saveValuesAndReturnError(nullptr);
  }
  if (_printOption) return _panePlugInMgr->summaryInfoFromPrintOption(*_printOption);
  if (_defaultPrintOption) return _panePlugInMgr->summaryInfoFromPrintOption(*_defaultPrintOption);
  return Dict();
}

bool WexoPDEByCocoa::saveValuesAndReturnError(std::string* error) {
  try {
    const int status = _gatherPrintOptionFromUi(nullptr, nullptr);
    if (status != 0) {
      if (error != nullptr) *error = "the job's settings conflict (status " + std::to_string(status) + ")";
      return false;
    }
  } catch (const PlatformException& e) {
    logMessage("###Exception in saveValuesAndReturnError: " + e.reason());
  }
  return true;
}

bool WexoPDEByCocoa::restoreValuesAndReturnError(std::string* error) {
  try {
    _setDefaults();
    if (_defaultPrintOption) _restoreValuesToPane(*_defaultPrintOption);
    const int status = _restorePrintOptionToUi(nullptr, nullptr);
    if (status != 0) {
      if (error != nullptr) *error = "the job's settings could not be restored (status " + std::to_string(status) + ")";
      return false;
    }
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
  // The engine too, or the next change it reports would bring its older value back (and the
  // panes show the other panel's choice).
  if (_panePlugInMgr != nullptr) _panePlugInMgr->setStringValue(choice, *key);
  _updatePaneFromModel();
}

std::optional<Array> WexoPDEByCocoa::supportedPPDOptionKeys() {
  if (!_plugInBundle) return std::nullopt;
  const Array* keys = _plugInBundle->objectForInfoDictionaryKey(kPPDKeysSupportedKey).asArray();
  if (keys == nullptr) return std::nullopt;
  return *keys;
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
  if (!_printOption) _printOption = PrintOption();
  _gatherValuesFromPane(*_printOption);
  _takeValuesTheEngineChanged(*_printOption);
  if (_isIntializedUi) {
    if (std::optional<std::string> sample = _panePlugInMgr->getStringValueFromKey(kSamplePrintModeKey))
      _printOption->set(kSamplePrintModeKey, Value(*sample));
  }
  _checkDifferenceFromCurrentFavorite(false);
}

// The printer description ------------------------------------------------------------------------------

PpdFileExt* WexoPDEByCocoa::_ppd() {
  if (!_ppdFile && _useConstraintHandling && _pdePluginCallbackObject != nullptr) {
    if (ppd_file_t* handle = _pdePluginCallbackObject->ppdFile()) _ppdFile = std::make_unique<PpdFileExt>(handle);
  }
  return _ppdFile.get();
}

}  // namespace orval
