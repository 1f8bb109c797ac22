// WexoPDEByCocoa: the main pane. Its shortcut controls are ordinary settings
// controls bound to the UI description and registered with the engine, so a
// change made here is seen by the panes and the other way round.
#include <algorithm>

#include "common/bool_string.h"
#include "common/control_helpers.h"
#include "common/localized_string.h"
#include "common/notify_unit.h"
#include "conversion/iot_option_updater.h"
#include "favorites/app_preference.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/pde_automatic_paper_tray_selection.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/ui_description.h"

namespace orval {

namespace keys = tray_selection_keys;

namespace {

constexpr const char* kAutoTraySettingToBypass = "AutoTraySettingToBypass";
// The status of a pop-up value that is not among its items.
constexpr int kPopUpValueNotFound = -30870;
// The panel's view when its interface file cannot be loaded.
constexpr tk::Rect kFallbackPanelFrame{0, 0, 500, 300};

std::optional<std::string> textOf(const PrintOption& options, std::string_view key) {
  const Value* value = options.find(key);
  if (value == nullptr || value->isNull()) return std::nullopt;
  return value->text();
}

bool nonEmpty(const std::optional<std::string>& text) { return text && !text->empty(); }

}  // namespace

const std::vector<std::string>& WexoPDEByCocoa::shortcutKeys() {
  static const std::vector<std::string> keys = {kAutoTraySettingToBypass, "DuplexMode", "PagePrintOnCenter",
                                                "ColorMode", "StapleMode", "Punch_PunchHoles", "Fold",
                                                "OutputTray", "OffsetMode", "QZInputSlot"};
  return keys;
}

KORAUI* WexoPDEByCocoa::shortcutControl(const std::string& key) const {
  const std::pair<const char*, KORAUI*> controls[] = {
      {kAutoTraySettingToBypass, _kora_AutoTraySettingToBypass},
      {"DuplexMode", _kora_DuplexMode},
      {"PagePrintOnCenter", _kora_PagePrintOnCenter},
      {"ColorMode", _kora_ColorMode},
      {"StapleMode", _kora_StapleMode},
      {"Punch_PunchHoles", _kora_Punch_PunchHoles},
      {"Fold", _kora_Fold},
      {"OutputTray", _kora_OutputTray},
      {"OffsetMode", _kora_OffsetMode},
      {"QZInputSlot", _kora_QZInputSlot}};
  for (const auto& [name, control] : controls)
    if (key == name) return control;
  return nullptr;
}

// The panel's view -----------------------------------------------------------------------------------------

// The interface file's window is the mould of the panel's view: its content's
// views move into the view, each "_kora_<Key>" place becomes a settings control
// of that frame, and the buttons' actions are bound by name.
void WexoPDEByCocoa::_loadPanelView() {
  std::unique_ptr<tk::Window> window;
  std::string error;
  const std::optional<std::filesystem::path> path =
      _plugInBundle ? _plugInBundle->pathForResource(kPanelInterfaceName, "plist") : std::nullopt;
  if (path) window = tk::loadInterfaceFile(*path, {}, &error);
  if (!window) {
    logMessage(std::string("###Error: the panel's interface ") + kPanelInterfaceName + " is not loaded" +
               (error.empty() ? "" : ": " + error));
    _view = std::make_unique<tk::View>(kFallbackPanelFrame);
    return;
  }
  tk::bindAction(*window, "clickedJobNameButton:", [this](tk::Control&) { clickedJobNameButton(); });
  tk::bindAction(*window, "clickedShowDetailedSettingsButton:",
                 [this](tk::Control&) { clickedShowDetailedSettingsButton(); });
  tk::bindAction(*window, "clickedRevertToDefaultSettings:",
                 [this](tk::Control&) { clickedRevertToDefaultSettings(); });
  tk::bindAction(*window, "clickedSaveFavoriteButton:", [this](tk::Control&) { clickedSaveFavoriteButton(); });
  tk::bindAction(*window, "clickedDeleteFavoriteButton:", [this](tk::Control&) { clickedDeleteFavoriteButton(); });
  tk::bindAction(*window, "clickedSelectPaperTraySelectionButton:",
                 [this](tk::Control& sender) { clickedSelectPaperTraySelectionButton(sender); });

  const tk::Rect content = window->contentView().frame();
  _view = std::make_unique<tk::View>(tk::Rect{0, 0, content.width, content.height});
  _view->setIdentifier(kPanelInterfaceName);
  for (tk::View* subview : window->contentView().subviews()) {
    std::unique_ptr<tk::View> moved = subview->removeFromSuperview();
    if (moved && moved->identifier().starts_with("_kora_")) {
      auto control = std::make_unique<KORAUI>(moved->frame());
      control->setIdentifier(moved->identifier());
      moved = std::move(control);
    }
    if (moved) _view->addSubview(std::move(moved));
  }
  const auto find = [this]<class T>(T*& field, const std::string& identifier) {
    field = dynamic_cast<T*>(_view->findSubview([&](const tk::View& v) { return v.identifier() == identifier; }));
  };
  find(_deleteFavoriteButton, "_deleteFavoriteButton");
  find(_favorite, "_Favorite");
  if (_favorite != nullptr)
    _favorite->setAction("selectFavorite:", [this](tk::Control& sender) {
      selectFavorite(dynamic_cast<tk::PopUpButton*>(&sender));
    });
  find(_jobName, "_jobName");
  find(_jobNameButton, "_jobNameButton");
  find(_revertToDefaultSettingsButton, "_revertToDefaultSettingsButton");
  find(_saveFavoriteButton, "_saveFavoriteButton");
  find(_showDetailedSettingsButton, "_showDetailedSettingsButton");
  find(_titleFavorite, "_titleFavorite");
  find(_automaticPaperTraySelectionButton, "_automaticPaperTraySelectionButton");
  find(_bypassPaperTraySelectionButton, "_bypassPaperTraySelectionButton");
  for (const std::string& key : shortcutKeys()) {
    KORAUI* control = nullptr;
    find(control, "_kora_" + key);
    KORAUI*& field = key == kAutoTraySettingToBypass ? _kora_AutoTraySettingToBypass
                     : key == "DuplexMode"          ? _kora_DuplexMode
                     : key == "PagePrintOnCenter"   ? _kora_PagePrintOnCenter
                     : key == "ColorMode"           ? _kora_ColorMode
                     : key == "StapleMode"          ? _kora_StapleMode
                     : key == "Punch_PunchHoles"    ? _kora_Punch_PunchHoles
                     : key == "Fold"                ? _kora_Fold
                     : key == "OutputTray"          ? _kora_OutputTray
                     : key == "OffsetMode"          ? _kora_OffsetMode
                                                    : _kora_QZInputSlot;
    field = control;
  }
}

// Building ----------------------------------------------------------------------------------------------

void WexoPDEByCocoa::_bindShortcut(KORAUI* control, const Dict* ui, const std::string& key) {
  if (control == nullptr) return;
  const Dict* description = ui != nullptr ? controlDescriptionNamed(*ui, key) : nullptr;
  if (description != nullptr) {
    control->setControlDictionary(*description, _plugInBundle);
    control->updateControl();
  }
  _panePlugInMgr->setKoraUiToKoraMgr(control);
}

void WexoPDEByCocoa::_buildUi() {
  if (_isIntializedUi) return;
  try {
    if (!_view) panelView();
    const auto title = [](tk::Button* button, const char* key) {
      if (button != nullptr) button->setTitle(BSLocalizedString(key));
    };
    if (_titleFavorite != nullptr) _titleFavorite->setStringValue(BSLocalizedString("Favorites:"));
    title(_saveFavoriteButton, "Save...");
    title(_deleteFavoriteButton, "Delete...");
    title(_jobNameButton, "Job name...");
    if (_jobName != nullptr) _jobName->setStringValue(BSLocalizedString("Auto"));
    title(_showDetailedSettingsButton, "Show Detailed Settings");
    title(_revertToDefaultSettingsButton, "Revert to Default Settings");
    title(_automaticPaperTraySelectionButton, "Automatic Tray...");

    // A restore before the first show has filled it already and chosen the job's favorite.
    _fillFavoritePopup();
    if (_deleteFavoriteButton != nullptr)
      _deleteFavoriteButton->setEnabled(!_currentFavoritePath().value_or("").empty() && _indexOfChangePreset() < 0);

    _isHiddenNumCopies = _panePlugInMgr->isHiddenNumCopies();
    _isHiddenDuplex = _panePlugInMgr->isHiddenDuplex();
    _isHiddenCollate = _panePlugInMgr->isHiddenCollate();

    const Dict* ui = _panePlugInMgr->controlDictionary();
    const bool hasBypass = ui != nullptr && controlDescriptionNamed(*ui, kAutoTraySettingToBypass) != nullptr;
    if (hasBypass) {
      _bindShortcut(_kora_AutoTraySettingToBypass, ui, kAutoTraySettingToBypass);
      title(_bypassPaperTraySelectionButton, "Bypass Tray...");
      if (_bypassPaperTraySelectionButton != nullptr) _bypassPaperTraySelectionButton->setHidden(false);
    }
    for (const std::string& key : shortcutKeys())
      if (key != kAutoTraySettingToBypass) _bindShortcut(shortcutControl(key), ui, key);

    if (!_automaticPaperTraySelection) {
      _automaticPaperTraySelection = std::make_unique<PdeAutomaticPaperTraySelection>();
      _automaticPaperTraySelection->initializePanel(_plugInBundle, false, *_panePlugInMgr);
      _automaticPaperTraySelection->registerControls(*_panePlugInMgr);
    }
    if (hasBypass && !_bypassPaperTraySelection) {
      _bypassPaperTraySelection = std::make_unique<PdeAutomaticPaperTraySelection>();
      _bypassPaperTraySelection->initializePanel(_plugInBundle, true, *_panePlugInMgr);
      _bypassPaperTraySelection->registerControls(*_panePlugInMgr);
    }
    checkDevice();
    updateOutputTrayList();
    updateInputSlotList();
    _isIntializedUi = true;
  } catch (const PlatformException& e) {
    logMessage("###Exception while building the main pane: " + e.reason());
  }
}

// Pushing and pulling values -------------------------------------------------------------------------------

bool WexoPDEByCocoa::_autoTraySettingToBypassExist(const PrintOption& options) {
  return options.contains(kAutoTraySettingToBypass);
}

void WexoPDEByCocoa::_restoreValuesToAutomaticPane(const PrintOption& options) {
  const auto put = [this](std::string_view key, const std::optional<std::string>& value) {
    if (value) _panePlugInMgr->setStringValue(value, std::string(key));
  };
  if (options.contains(keys::kPaperTypeTabbed)) put(keys::kPaperTypeTabbed, textOf(options, keys::kPaperTypeTabbed));
  else put(keys::kPaperType, textOf(options, keys::kPaperType));
  if (const std::optional<std::string> number = textOf(options, "PaperTypeCustomNumber"); nonEmpty(number))
    put("PaperTypeCustomNumber", number);
  else
    put(keys::kPaperTypeCustomName, textOf(options, keys::kPaperTypeCustomName));
  put(keys::kMediaTypeSequence, textOf(options, keys::kMediaTypeSequence));
  put(keys::kPaperColor, textOf(options, keys::kPaperColor));
  put(keys::kPaperColorCustomName, textOf(options, keys::kPaperColorCustomName));
  if (const std::optional<std::string> weight = textOf(options, keys::kMediaTypeWeightValue); nonEmpty(weight))
    put(keys::kMediaTypeWeightValue, weight);
  else
    put(keys::kMediaTypeWeight, textOf(options, keys::kMediaTypeWeight));
  for (std::string_view key : {keys::kMediaTypeCoatingMaterial, keys::kMediaTypeDrilled, keys::kMediaTypeGlossFine,
                               keys::kMediaTypePreprinted})
    if (const std::optional<std::string> value = textOf(options, key); nonEmpty(value)) put(key, value);
}

void WexoPDEByCocoa::_restoreValuesToBypassPane(const PrintOption& options) {
  for (std::string_view key : {keys::kPaperTypeBypass, keys::kMediaTypeSequenceBypass, keys::kPaperColorBypass,
                               keys::kMediaTypeWeightBypass})
    if (std::optional<std::string> value = textOf(options, key)) _panePlugInMgr->setStringValue(value, std::string(key));
}

void WexoPDEByCocoa::_gatherValuesFromAutomaticPane(PrintOption& options) {
  const Dict texts = _automaticPaperTraySelection ? _automaticPaperTraySelection->getTextFieldStringDictionary() : Dict();
  const auto engine = [this](std::string_view key) { return _panePlugInMgr->getStringValueFromKey(std::string(key)); };
  const auto set = [&options](std::string_view key, const std::optional<std::string>& value) {
    if (value) options.set(key, Value(*value));
  };
  if (std::optional<std::string> tabbed = engine(keys::kPaperTypeTabbed)) set(keys::kPaperTypeTabbed, tabbed);
  else set(keys::kPaperType, engine(keys::kPaperType));
  if (const Value* name = texts.find(keys::kPaperTypeCustomName); name != nullptr && !name->text().empty())
    set(keys::kPaperTypeCustomName, name->text());
  if (const Value* sequence = texts.find(keys::kMediaTypeSequence)) set(keys::kMediaTypeSequence, sequence->text());
  else set(keys::kMediaTypeSequence, engine(keys::kMediaTypeSequence));
  set(keys::kPaperColor, engine(keys::kPaperColor));
  if (const Value* colour = texts.find(keys::kPaperColorCustomName)) set(keys::kPaperColorCustomName, colour->text());
  if (const Value* weight = texts.find(keys::kMediaTypeWeightValue); weight != nullptr && !weight->text().empty())
    set(keys::kMediaTypeWeightValue, weight->text());
  else
    set(keys::kMediaTypeWeight, engine(keys::kMediaTypeWeight));
  for (std::string_view key : {keys::kMediaTypeCoatingMaterial, keys::kMediaTypeDrilled, keys::kMediaTypeGlossFine,
                               keys::kMediaTypePreprinted})
    if (const std::optional<std::string> value = engine(key); nonEmpty(value)) set(key, value);
}

void WexoPDEByCocoa::_gatherValuesFromBypassPane(PrintOption& options) {
  const Dict texts = _bypassPaperTraySelection ? _bypassPaperTraySelection->getTextFieldStringDictionary() : Dict();
  for (std::string_view key : {keys::kPaperTypeBypass, keys::kMediaTypeSequenceBypass, keys::kPaperColorBypass,
                               keys::kMediaTypeWeightBypass}) {
    if (const Value* text = texts.find(key)) options.set(key, *text);
    else if (std::optional<std::string> value = _panePlugInMgr->getStringValueFromKey(std::string(key)))
      options.set(key, Value(*value));
  }
}

void WexoPDEByCocoa::_restoreValuesToPane(const PrintOption& options) {
  if (!_isIntializedUi) return;
  _restoreValuesToAutomaticPane(options);
  if (_autoTraySettingToBypassExist(options)) {
    _restoreValuesToBypassPane(options);
    const bool toBypass = options.get(kAutoTraySettingToBypass).truth();
    _panePlugInMgr->setStringValue(toBypass ? "True" : "False", kAutoTraySettingToBypass);
    if (_bypassPaperTraySelectionButton != nullptr) _bypassPaperTraySelectionButton->setEnabled(!toBypass);
  }
  _panePlugInMgr->setStringValue(options.get("PagePrintOnCenter").truth() ? "True" : "False", "PagePrintOnCenter");
  for (const char* key : {"ColorMode", "StapleMode", "Punch_PunchHoles", "Fold", "OutputTray", "OffsetMode",
                          "QZInputSlot", "DuplexMode"}) {
    // A key the set lacks leaves its control as it is.
    const std::optional<std::string> value = textOf(options, key);
    if (!value) continue;
    _panePlugInMgr->setStringValue(value, key);
    if (std::string_view(key) == "OutputTray") _panePlugInMgr->updateOldValue(key);
  }
  if (!_isMyPluginPDE) return;
  const std::optional<std::string> copies = textOf(options, "NumCopies");
  const std::optional<std::string> slot = textOf(options, "QZInputSlot");
  if (copies) setCopies(*copies);
  setQZInputSlot(slot);
  _panePlugInMgr->setStringValue(copies, "NumCopies");
  _panePlugInMgr->setStringValue(slot, "QZInputSlot");
  if (!_printOption) return;
  for (const char* key : {"NumCopies", "InputSlot"})
    if (const Value* value = _printOption->find(key); value != nullptr && !value->isNull())
      _setValueToPpdDictionary(nullptr, nullptr, key, value->text());
}

void WexoPDEByCocoa::_gatherValuesFromPane(PrintOption& options) {
  if (!_isIntializedUi) return;
  const auto engine = [this](const std::string& key) { return _panePlugInMgr->getStringValueFromKey(key); };
  _gatherValuesFromAutomaticPane(options);
  if (_autoTraySettingToBypassExist(options)) {
    _gatherValuesFromBypassPane(options);
    const bool toBypass = engine(kAutoTraySettingToBypass) == std::optional<std::string>("True");
    options.set(kAutoTraySettingToBypass, Value(toBypass));
    if (_bypassPaperTraySelectionButton != nullptr) _bypassPaperTraySelectionButton->setEnabled(!toBypass);
  }
  for (const char* key : {"PagePrintOnCenter", "SpotColorCorrection", "CmykAdjustmentSpotColor"})
    options.set(key, Value(engine(key) == std::optional<std::string>("True")));
  for (const char* key : {"ColorMode", "StapleMode", "Punch_PunchHoles", "Fold", "OutputTray", "OffsetMode",
                          "QZInputSlot"})
    if (std::optional<std::string> value = engine(key)) options.set(key, Value(*value));
  if (std::optional<std::string> copies = getCopies()) options.set("NumCopies", Value(*copies));
  if (std::optional<std::string> collate = getCollate()) options.set("Collate", Value(*collate));
  if (std::optional<std::string> duplex = engine("DuplexMode")) options.set("DuplexMode", Value(*duplex));
}

// A change on the main pane or in a tray dialog may make the engine change settings of the
// panes (a cooperation, a conflict answered Yes). The option set, whose values win when the job
// is saved, must follow, or the job would keep the values from before the change.
void WexoPDEByCocoa::_takeValuesTheEngineChanged(PrintOption& options) {
  const PrintOption engine = _panePlugInMgr->koraMgr().getAllValueDictionary();
  for (const auto& [key, value] : engine)
    if (const Value* held = options.find(key); held != nullptr && held->text() != value.text()) options.set(key, value);
}

void WexoPDEByCocoa::_updatePaneFromModel() {
  if (_printOption) _restoreValuesToPane(*_printOption);
  _updateJobNameUI();
}

void WexoPDEByCocoa::_updateJobNameUI() {
  if (_jobName == nullptr) return;
  if (_specificJobNameValue == "Auto" || _jobNameValue.empty()) _jobName->setStringValue(BSLocalizedString("Auto"));
  else _jobName->setStringValue(_jobNameValue);
}

// The favorites row -------------------------------------------------------------------------------------------

std::optional<std::string> WexoPDEByCocoa::_selectedFavoriteName() const {
  const Value object = representedObjectOfSelectedItem(_favorite);
  if (const std::string* name = object.asString()) return *name;
  return std::nullopt;
}

void WexoPDEByCocoa::_fillFavoritePopup() {
  if (!_view) _loadPanelView();
  if (_favorite != nullptr && _favorite->numberOfItems() == 0) AppPreference::sharedInstance().buildFavoritePopup(_favorite);
}

void WexoPDEByCocoa::_selectFavoriteNamed(const std::string& name) {
  _fillFavoritePopup();
  if (_favorite == nullptr) return;
  const int index = _favorite->indexOfItemWithRepresentedObject(Value(name));
  if (index < 0) return;
  // Selected, not applied: the job's own settings stand, and the comparison
  // that follows the restore marks where they differ from the favorite.
  _favorite->selectItemAtIndex(index);
  _selectedFavorite = _favorite->titleOfSelectedItem();
  if (_isIntializedUi) _backupFavoriteName = _selectedFavorite;
}

// Actions ---------------------------------------------------------------------------------------------------

void WexoPDEByCocoa::clickedSelectPaperTraySelectionButton(tk::Control& button) {
  PdeAutomaticPaperTraySelection* dialog =
      button.tag() == 0 ? _automaticPaperTraySelection.get() : _bypassPaperTraySelection.get();
  if (dialog == nullptr) return;
  dialog->modalWindow(this, [this, dialog] {
    _announceTextsOfTrayDialog(*dialog);
    automaticPapaerTraySelectionDidEnd();
  });
}

// A field announces typed text without the text, and the engine reads and validates a key
// through its first control: for the keys a tray dialog shares with Detailed Settings fields (the
// sequences, the weight, the custom names) that is the Detailed Settings field, which typing in
// the dialog leaves as it was. So each text the person changed in the dialog is set into every
// control of its key and announced with the text, as a pop-up announces its choice: the engine
// asks its conflict questions or refuses the text (putting the old one back in every control),
// and then holds what was kept.
void WexoPDEByCocoa::_announceTextsOfTrayDialog(PdeAutomaticPaperTraySelection& dialog) {
  for (const auto& [key, text] : dialog.getTextFieldStringDictionary()) {
    if (_panePlugInMgr->getStringValueFromKey(key) == std::optional<std::string>(text.text())) continue;
    _panePlugInMgr->setStringValue(text.text(), key);
    NotifyUnit::postNotificationName(key, Dict{{"Paramater", text}});
  }
}

// The reverse: Detailed Settings changes its own fields only, and the next gather would take a
// tray dialog's older text over a name or number changed there.
void WexoPDEByCocoa::_showEngineTextsInTrayDialogs() {
  for (PdeAutomaticPaperTraySelection* dialog : {_automaticPaperTraySelection.get(), _bypassPaperTraySelection.get()}) {
    if (dialog == nullptr) continue;
    for (const auto& [key, text] : dialog->getTextFieldStringDictionary()) {
      const std::optional<std::string> held = _panePlugInMgr->getStringValueFromKey(key);
      if (held && *held != text.text()) _panePlugInMgr->setStringValue(held, key);
    }
  }
}

void WexoPDEByCocoa::automaticPapaerTraySelectionDidEnd() {
  if (!_printOption) return;
  // What the engine changed along with the dialog's choices and texts first (a conflict answered
  // Yes), then the dialog's own values, its texts as its fields hold them.
  _takeValuesTheEngineChanged(*_printOption);
  _gatherValuesFromPane(*_printOption);
  _checkDifferenceFromCurrentFavorite(false);
}

std::vector<std::string> WexoPDEByCocoa::clickedRevertToDefaultSettings() {
  std::vector<std::string> restored;
  if (!_defaultPrintOption) return restored;
  if (std::optional<std::string> tray = textOf(*_defaultPrintOption, "OutputTray"))
    if (auto keys = _panePlugInMgr->setStringValueWithRestoreConfliction(*tray, "OutputTray")) restored = *keys;
  _restoreValuesToPane(*_defaultPrintOption);
  _panePlugInMgr->setStringValue("None", "DuplexMode");
  setCollate(true);
  if (!_printOption) _printOption = PrintOption();
  _gatherValuesFromPane(*_printOption);
  for (const std::string& key : restored)
    if (std::optional<std::string> value = _panePlugInMgr->getStringValueFromKey(key))
      _printOption->set(key, Value(*value));
  _checkDifferenceFromCurrentFavorite(true);
  return restored;
}

// Device-dependent lists ----------------------------------------------------------------------------------

void WexoPDEByCocoa::updateInputSlotList() {
  const std::optional<Value> feeders = _panePlugInMgr->getFeederInfoList();
  const Array* list = feeders ? feeders->asArray() : nullptr;
  if (list != nullptr && !list->empty()) updateInputSlotList(*feeders);
}

void WexoPDEByCocoa::updateInputSlotList(const Value& feederList) {
  Array pairs;
  IOTOptionUpdater::getInputSlotArray(pairs, feederList, Array{Value("0")}, Array{Value("25")}, true, false);
  IOTOptionUpdater::updateInputSlotKORAUI(_kora_QZInputSlot, pairs);
}

void WexoPDEByCocoa::updateOutputTrayList() {
  const std::optional<Value> stackers = _panePlugInMgr->getStackerInfoList();
  const Array* list = stackers ? stackers->asArray() : nullptr;
  if (list == nullptr || list->empty() || _kora_OutputTray == nullptr) return;
  Array pairs;
  IOTOptionUpdater::getOutputTrayArray(pairs, *stackers);
  const std::optional<std::string> value = _kora_OutputTray->getStringValue();
  _kora_OutputTray->setPopupButtonArray(pairs);
  if (_kora_OutputTray->updateWithPrintOption()) return;
  if (value) _kora_OutputTray->setStringValue(value);
  else _kora_OutputTray->setDefault();
}

void WexoPDEByCocoa::checkDevice() {
  const std::optional<Value> devices = _panePlugInMgr->getDeviceList();
  const Dict abilities = IOTOptionUpdater::convertArrayToDict(devices ? *devices : Value());
  Array keyDevices;
  Array keyOptions;
  IOTOptionUpdater::getStapleOptionsWithKeyDevices(keyDevices, keyOptions);
  IOTOptionUpdater::updatePopupButtonComponent(_kora_StapleMode, abilities, keyDevices, keyOptions);
  IOTOptionUpdater::getPunchOptionsWithKeyDevices(keyDevices, keyOptions);
  IOTOptionUpdater::updatePopupButtonComponent(_kora_Punch_PunchHoles, abilities, keyDevices, keyOptions);
  IOTOptionUpdater::getFoldOptionsWithKeyDevices(keyDevices, keyOptions);
  IOTOptionUpdater::updatePopupButtonComponent(_kora_Fold, abilities, keyDevices, keyOptions);
  if (_kora_OffsetMode != nullptr)
    _kora_OffsetMode->setHidden(!IOTOptionUpdater::isEnableWithDict(abilities, Array{Value("offset")}));
}

// Pop-ups of the printer description ---------------------------------------------------------------------

bool WexoPDEByCocoa::_buildPopupByPpd(tk::PopUpButton* popup, tk::TextField* title, const std::string& key) {
  const PpdFileExt* ppd = _ppd();
  if (ppd == nullptr || popup == nullptr) return false;
  const std::optional<std::vector<std::string>> choices = ppd->optionKeywords(key);
  const std::optional<std::vector<std::string>> aliases = ppd->optionAliases(key);
  if (!choices || !aliases) return false;
  popup->removeAllItems();
  for (std::size_t i = 0; i < choices->size() && i < aliases->size(); ++i)
    popup->addItemWithTitle((*aliases)[i]).setRepresentedObject(Value((*choices)[i]));
  if (title != nullptr) setTitleString(title, ppd->mainAlias(key).value_or(key));
  return true;
}

int WexoPDEByCocoa::_restoreValueToControl(tk::PopUpButton* popup, const std::string& key, const Dict& ppdDic) {
  const Value* value = ppdDic.find(key);
  if (popup == nullptr || value == nullptr || value->isNull()) return 0;
  const int index = popup->indexOfItemWithRepresentedObject(*value);
  if (index < 0) return kPopUpValueNotFound;
  popup->selectItemAtIndex(index);
  return 0;
}

}  // namespace orval
