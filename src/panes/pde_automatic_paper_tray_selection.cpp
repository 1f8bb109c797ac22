#include "panes/pde_automatic_paper_tray_selection.h"

#include "common/dictionary_helpers.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/window_description.h"
#include "settings_ui/kora_mgr.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/ui_description.h"

namespace orval {

namespace keys = tray_selection_keys;

namespace {

// The window description's outlets besides the settings controls.
constexpr const char* kSeparatorOutlet = "separator";
constexpr const char* kCloseOutlet = "close";

std::unique_ptr<tk::View> makeView(const std::string& className, const tk::Rect& frame) {
  if (className == "KORAUI") return std::make_unique<KORAUI>(frame);
  return nullptr;
}

}  // namespace

PdeAutomaticPaperTraySelection::PdeAutomaticPaperTraySelection() = default;

// The window goes first: its controls are gone before anything they refer to.
PdeAutomaticPaperTraySelection::~PdeAutomaticPaperTraySelection() { _window.reset(); }

bool PdeAutomaticPaperTraySelection::initializePanel(std::shared_ptr<Bundle> bundle, bool bypassFlag,
                                                     PanePlugInMgr& callback) {
  _plugInBundle = std::move(bundle);
  _uiFilePath = callback.getUIFilePath();
  _bypassFlag = bypassFlag;
  _korauiList.clear();

  std::string reason = "the bundle has no such resource";
  std::optional<tk::DescribedWindow> described;
  if (const auto path = _plugInBundle ? _plugInBundle->pathForResource(kWindowDescriptionName, "plist") : std::nullopt) {
    reason.clear();
    if (const std::optional<Dict> description = dictFromFile(*path, &reason))
      described = tk::windowFromDescription(*description, makeView, &reason);
    else if (reason.empty())
      reason = "not a dictionary";
  }
  // Without its close button the dialog could never be closed.
  if (described && described->outlet<tk::Button>(kCloseOutlet) == nullptr) {
    reason = "no close button";
    described.reset();
  }
  if (!described) {
    logMessage(std::string("###Error: window description ") + kWindowDescriptionName + " not loaded: " + reason);
    _window.reset();
    _view = nullptr;
    _separator = nullptr;
    _close = nullptr;
    return false;
  }

  _window = std::move(described->window);
  _view = &_window->contentView();
  _separator = described->outlet(kSeparatorOutlet);
  _close = described->outlet<tk::Button>(kCloseOutlet);
  _close->setAction("clickButtonClose:", [this](tk::Control&) { clickButtonClose(); });
  const std::pair<std::string_view, KORAUI**> places[] = {
      {keys::kPaperTypeTabbed, &_kora_PaperType_MediaTypeTabbed},
      {keys::kPaperType,
       &_kora_PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_PaperTypeCustomNumber},
      {keys::kPaperTypeCustomName, &_kora_PaperTypeCustomName},
      {keys::kMediaTypeSequence, &_kora_MediaTypeSequence},
      {keys::kPaperColor, &_kora_PaperColor},
      {keys::kPaperColorCustomName, &_kora_PaperColorCustomName},
      {keys::kMediaTypeWeightValue, &_kora_MediaTypeWeightValue},
      {keys::kMediaTypeWeight, &_kora_MediaTypeWeight},
      {keys::kMediaTypeCoatingMaterial, &_kora_MediaTypeCoatingMaterial},
      {keys::kMediaTypeDrilled, &_kora_MediaTypeDrilled},
      {keys::kMediaTypeGlossFine, &_kora_MediaTypeGlossFine},
      {keys::kMediaTypePreprinted, &_kora_MediaTypePreprinted},
      {keys::kPaperTypeBypass,
       &_kora_PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_MediaTypeDrilledBypass_PaperTypeCustomNumberBypass},
      {keys::kMediaTypeSequenceBypass, &_kora_MediaTypeSequenceBypass},
      {keys::kPaperColorBypass, &_kora_PaperColorBypass},
      {keys::kMediaTypeWeightBypass, &_kora_MediaTypeWeightBypass},
  };
  for (const auto& [name, field] : places) *field = described->outlet<KORAUI>(std::string(name));
  initCtrl();
  return true;
}

void PdeAutomaticPaperTraySelection::initCtrl() {
  // A missing UI description leaves every control unconfigured.
  const Dict ui = (_uiFilePath ? dictFromFile(*_uiFilePath)
                               : DictionaryNamed(kUIDescriptionFallbackResource, _plugInBundle.get()))
                      .value_or(Dict());
  const auto has = [&ui](std::string_view name) { return controlDescriptionNamed(ui, std::string(name)) != nullptr; };
  _close->setTitle(_localized("close"));

  if (_bypassFlag) {
    _buildControl(
        ui, std::string(keys::kPaperTypeBypass),
        _kora_PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_MediaTypeDrilledBypass_PaperTypeCustomNumberBypass);
    _buildControl(ui, std::string(keys::kMediaTypeSequenceBypass), _kora_MediaTypeSequenceBypass);
    _buildControl(ui, std::string(keys::kPaperColorBypass), _kora_PaperColorBypass);
    _buildControl(ui, std::string(keys::kMediaTypeWeightBypass), _kora_MediaTypeWeightBypass);
    _window->setTitle(_localized("BypassWindowTitle"));
    _resizeWindow();
    return;
  }

  if (has(keys::kPaperTypeTabbed))
    _buildControl(ui, std::string(keys::kPaperTypeTabbed), _kora_PaperType_MediaTypeTabbed);
  else
    _buildControl(
        ui, std::string(keys::kPaperType),
        _kora_PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_PaperTypeCustomNumber);
  _buildControl(ui, std::string(keys::kPaperTypeCustomName), _kora_PaperTypeCustomName);
  _buildControl(ui, std::string(keys::kMediaTypeSequence), _kora_MediaTypeSequence);
  _buildControl(ui, std::string(keys::kPaperColor), _kora_PaperColor);
  _buildControl(ui, std::string(keys::kPaperColorCustomName), _kora_PaperColorCustomName);
  if (has(keys::kMediaTypeWeightValue))
    _buildControl(ui, std::string(keys::kMediaTypeWeightValue), _kora_MediaTypeWeightValue);
  else
    _buildControl(ui, std::string(keys::kMediaTypeWeight), _kora_MediaTypeWeight);
  bool hasMediaAttributes = false;
  const std::pair<std::string_view, KORAUI*> media[] = {{keys::kMediaTypeCoatingMaterial, _kora_MediaTypeCoatingMaterial},
                                                        {keys::kMediaTypeDrilled, _kora_MediaTypeDrilled},
                                                        {keys::kMediaTypeGlossFine, _kora_MediaTypeGlossFine},
                                                        {keys::kMediaTypePreprinted, _kora_MediaTypePreprinted}};
  for (const auto& [name, control] : media)
    if (_buildControl(ui, std::string(name), control)) hasMediaAttributes = true;
  _window->setTitle(_localized("AutomaticWindowTitle"));
  // Without media attributes the right half of the window would stay empty.
  if (!hasMediaAttributes) _resizeWindow();
}

bool PdeAutomaticPaperTraySelection::_buildControl(const Dict& ui, const std::string& name, KORAUI* control) {
  const Dict* description = controlDescriptionNamed(ui, name);
  if (description == nullptr) return false;
  if (control == nullptr) {
    logMessage(std::string("###Error: ") + kWindowDescriptionName + " has no place for " + name);
    return false;
  }
  control->setControlDictionary(*description, _plugInBundle);
  control->updateControl();
  _korauiList.emplace_back(name, control);
  return true;
}

void PdeAutomaticPaperTraySelection::registerControls(PanePlugInMgr& manager) const {
  for (const auto& [name, control] : _korauiList) manager.setKoraUiToKoraMgr(control);
}

KORAUI* PdeAutomaticPaperTraySelection::_paperTypeControl() const {
  KORAUI* const bypass =
      _kora_PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_MediaTypeDrilledBypass_PaperTypeCustomNumberBypass;
  KORAUI* const fivePart =
      _kora_PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_PaperTypeCustomNumber;
  KORAUI* const candidates[] = {_bypassFlag ? bypass : _kora_PaperType_MediaTypeTabbed, _bypassFlag ? nullptr : fivePart};
  for (KORAUI* control : candidates)
    if (_isInUse(control)) return control;
  return nullptr;
}

bool PdeAutomaticPaperTraySelection::_isInUse(const KORAUI* control) const {
  if (control == nullptr) return false;
  for (const auto& [name, used] : _korauiList)
    if (used == control) return true;
  return false;
}

// Texts -----------------------------------------------------------------------------------------------

// Bypass instance: the sequence. Automatic instance: the sequence, and the
// custom paper type name, the custom colour name ("" when empty) and the
// weight value when those controls are in use.
Dict PdeAutomaticPaperTraySelection::getTextFieldStringDictionary() {
  Dict texts;
  const auto put = [this, &texts](std::string_view key, KORAUI* control, bool emptyWhenNone) {
    if (!_isInUse(control)) return;
    const std::optional<std::string> text = control->getStringValue();
    if (text || emptyWhenNone) texts.set(key, Value(text.value_or(std::string())));
  };
  if (_bypassFlag) {
    put(keys::kMediaTypeSequenceBypass, _kora_MediaTypeSequenceBypass, false);
    return texts;
  }
  put(keys::kPaperTypeCustomName, _kora_PaperTypeCustomName, true);
  put(keys::kMediaTypeSequence, _kora_MediaTypeSequence, false);
  put(keys::kPaperColorCustomName, _kora_PaperColorCustomName, true);
  put(keys::kMediaTypeWeightValue, _kora_MediaTypeWeightValue, false);
  return texts;
}

std::string PdeAutomaticPaperTraySelection::_localized(const std::string& key) const {
  return _plugInBundle ? _plugInBundle->localizedString(key) : key;
}

// The server's custom paper types -------------------------------------------------------------------

namespace {

// Adds list to control's pop-up. A value the pop-up could not show yet (a custom
// type restored before the list came) is the value to keep: it may be among the
// new items.
void addKeepingValue(KORAUI& control, const Value& list) {
  std::optional<std::string> value = control.getUnsportValue();
  if (!value) value = control.getStringValue();
  control.addPopupButtonArray(list);
  control.setStringValue(value);
}

}  // namespace

void PdeAutomaticPaperTraySelection::setPaperTypeCustomList(const Value& list, const KORAMgr* engine) {
  KORAUI* const own = _paperTypeControl();
  if (own == nullptr) return;
  addKeepingValue(*own, list);
  if (engine == nullptr) return;
  for (const KORAControlRegistry::ControlRef& ref : engine->getControlsDictionary().allLiving())
    if (KORAUI* other = ref.get(); other != nullptr && other != own && other->mainKeyword() == own->mainKeyword())
      addKeepingValue(*other, list);
}

// Opening and closing ----------------------------------------------------------------------------------

void PdeAutomaticPaperTraySelection::modalWindow(const void* parent, std::function<void()> didEndSelecter) {
  if (!_window) return;
  _parentPnaeController = parent;
  _parentDidEndSelector = std::move(didEndSelecter);
  // Controls that depend on the paper type follow its current value.
  if (KORAUI* paperType = _paperTypeControl(); paperType != nullptr && paperType->popupButton() != nullptr)
    paperType->popupButtonAction(*paperType->popupButton());
  if (_isInUse(_kora_PaperColorCustomName)) {
    const bool custom = _isInUse(_kora_PaperColor) && _kora_PaperColor->getStringValue() == kStockCustomColor;
    _kora_PaperColorCustomName->setEnabled(custom);
  }
  tk::Application::shared().runModalForWindow(*_window);
}

void PdeAutomaticPaperTraySelection::clickButtonClose() {
  if (!_window) return;
  // A text being typed is committed (and announced) before the values are read.
  if (!_window->makeFirstResponder(nullptr)) _window->endEditingFor(nullptr);
  _window->orderOut();
  if (_parentPnaeController != nullptr && _parentDidEndSelector) _parentDidEndSelector();
  tk::Application& application = tk::Application::shared();
  const bool running = application.modalWindow() == _window.get();
  _window->close();
  // Only this dialog's run ends (never a run around it).
  if (running) application.stopModal();
}

void PdeAutomaticPaperTraySelection::_resizeWindow() {
  if (_separator != nullptr) {
    tk::Rect line = _separator->frame();
    line.width = line.width / 2 + 16;
    _separator->setFrame(line);
  }
  tk::Rect frame = _window->frame();
  frame.width = frame.width / 2 + 32;
  _window->setFrame(frame);
  _view->setFrameSize({frame.width, _view->frame().height});
  _view->setNeedsDisplay();
}

}  // namespace orval
