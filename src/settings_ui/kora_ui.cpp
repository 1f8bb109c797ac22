#include "settings_ui/kora_ui.h"

#include <algorithm>

#include "common/localized_string.h"
#include "common/notify_unit.h"
#include "platform/foundation/log.h"
#include "settings_ui/kora_ui_internal.h"
#include "settings_ui/ui_description.h"

namespace orval {

using namespace kora_ui_detail;

KORAUI::KORAUI(tk::Rect frame) : tk::View(frame), _lifeToken(std::make_shared<int>(0)) {}

KORAUI::~KORAUI() {
  // From here on the control counts as gone for everyone who holds its lifetime token.
  _lifeToken.reset();
  _didChange(KORAUIChange::Destroyed);
  _watchers.clear();
  // The value field keeps this control as its delegate: let go of it first.
  if (_text != nullptr) _text->setDelegate(nullptr);
}

// Set-up ----------------------------------------------------------------------------

void KORAUI::setControlDictionary(const Dict& dict, std::shared_ptr<Bundle> pluginBundle) {
  // A UI description read from another bundle is not this bundle's.
  if (pluginBundle != _bundle) _uiDescription.reset();
  setControlDictionary(dict);
  _bundle = std::move(pluginBundle);
}

void KORAUI::setControlDictionary(const Dict& dict) {
  if (&dict != &_controlDictionary) _controlDictionary = dict;
  // The type is known before the build, so that a replacement list can be
  // given to a pop-up before it is built.
  _controlType = entryString(_controlDictionary, "control_type");
  _valueKind = _controlType == kTextFieldNumber                                    ? ValueKind::Number
               : hasPrefix(_controlType, "TextField") || hasPrefix(_controlType, "SecureTextField") ? ValueKind::Text
               : hasPrefix(_controlType, kCheckBox)                                 ? ValueKind::CheckBox
               : _controlType == kPopupButton                                       ? ValueKind::Popup
               : _controlType == kRadioButton || _controlType == kHRadioButton      ? ValueKind::Radio
               : _controlType == kSlider                                            ? ValueKind::Slider
               : _controlType == kDatePicker                                        ? ValueKind::Date
                                                                                    : ValueKind::None;
  _enableChoice = entryText(_controlDictionary, "other_controls_enable_choice");
  _didChange(KORAUIChange::Description);
}

void KORAUI::setMainKeyword(std::string keyword) {
  _korakeyword = std::move(keyword);
  _didChange(KORAUIChange::Description);
}

void KORAUI::updateControl() { createControls(_controlDictionary); }

void KORAUI::updateControl(const std::string& paneName) { createControls(_controlDictionary, paneName); }

void KORAUI::createControls(const Dict& dict) { createControls(dict, std::string()); }

std::optional<std::string> KORAUI::getUIFilePath() const {
  if (!_bundle) return std::nullopt;
  const auto path = uiDescriptionPath(_bundle->bundlePath());
  if (!path) return std::nullopt;
  return path->string();
}

void KORAUI::_removeWidgets() {
  if (_text != nullptr) _text->setDelegate(nullptr);
  removeAllSubviews();
  _iconImageviewGroup = nullptr;
  _iconGroup.reset();
  _groupTitleText = _titleText = _descText = _headText = _headTitleText = nullptr;
  _sliderStartLavelText = _sliderEndLavelText = nullptr;
  _sliderLavelTextArray.clear();
  _checkbox = nullptr;
  _popupButton = nullptr;
  _radioButtonMatrix = nullptr;
  _text = nullptr;
  _stepper = nullptr;
  _slider = nullptr;
  _datePickers.clear();
  _optionsKey.clear();
  _optionsText.clear();
  _iconImageviewTrue = _iconImageviewFalse = nullptr;
  _button = nullptr;
  _iconImageviewSliderMin = _iconImageviewSliderMax = nullptr;
  _iconImageviewNumber = nullptr;
  _iconTrue.reset();
  _iconFalse.reset();
  _minIcon.reset();
  _maxIcon.reset();
  _childControls.clear();
}

void KORAUI::controlRemoveAll() {
  _removeWidgets();
  _controlDictionary.clear();
  _conditionDictionary.clear();
  _logicalSumConditionDictionary.clear();
  _cooperationDictionary.clear();
  _hideDictionary.clear();
  _unrestorableConflictDictionary.clear();
  _conflictDictionary.clear();
  _popupButtonArray.clear();
  _hasReplacementList = false;
  _disableForPDE.clear();
  _theArray.clear();
  _theNameOfEnabledKey.clear();
  _theNameOfDisabledKey.clear();
  _sliderMaxText.clear();
  _sliderMixText.clear();
  _unsportValue.reset();
  _value.reset();
  _oldValue.reset();
  _didChange(KORAUIChange::Description);
}

// Identity ----------------------------------------------------------------------------

KORAUI* KORAUI::getChildKORAUI(const std::string& keyword) const {
  for (KORAUI* child : _childControls)
    if (child->mainKeyword() == keyword) return child;
  return nullptr;
}

std::vector<tk::DatePicker*> KORAUI::getDatePickers() const { return _datePickers; }

// Helpers ----------------------------------------------------------------------------

std::optional<tk::Image> KORAUI::getIconImage(const std::string& path) {
  std::optional<tk::Image> image = tk::Image::fromFile(path);
  if (!image) return std::nullopt;
  const tk::Size size = image->size();
  if (size.width > 16 || size.height > 16) return image->scaledTo({16, 16});
  return image;
}

int KORAUI::getLineCount(const std::string& text) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\r'));
}

std::string KORAUI::getMainKeywordType(const Dict& uiDescription, const std::string& keyword) {
  const Dict* description = controlDescriptionNamed(uiDescription, keyword);
  if (description == nullptr) return "unknown";
  const std::string defchoice = entryString(*description, "defchoice");
  const Array* choices = description->get("choices").asArray();
  if ((defchoice == "True" || defchoice == "False") && choices != nullptr && choices->size() == 2)
    return "checkbox";
  return "unknown";
}

std::string KORAUI::_localized(const std::string& key) const {
  if (key.empty()) return {};
  if (_bundle) return _bundle->localizedString(key, {}, kUIStringTable);
  if (const auto fallback = localizedStringBundle()) return fallback->localizedString(key, {}, kUIStringTable);
  return key;
}

std::optional<std::string> KORAUI::_resourcePath(const std::string& name, const std::string& type) const {
  if (!_bundle || name.empty()) return std::nullopt;
  const auto path = _bundle->pathForResource(name, type);
  if (!path) return std::nullopt;
  return path->string();
}

std::optional<tk::Image> KORAUI::_resourceImage(const std::string& name) const {
  const auto path = _resourcePath(name, "png");
  if (!path) return std::nullopt;
  return tk::Image::fromFile(*path);
}

std::optional<tk::Image> KORAUI::_menuIcon(const std::string& name) const {
  const auto path = _resourcePath(name, "png");
  if (!path) return std::nullopt;
  return getIconImage(*path);
}

bool KORAUI::_isRadioType() const { return _valueKind == ValueKind::Radio; }

bool KORAUI::_isTextFieldType() const { return _valueKind == ValueKind::Text || _valueKind == ValueKind::Number; }

bool KORAUI::_isCheckBoxType() const { return _valueKind == ValueKind::CheckBox; }

void KORAUI::addWatcher(KORAUIWatcher* watcher, std::uint32_t cookie) {
  if (watcher == nullptr) return;
  for (const Watch& watch : _watchers)
    if (watch.watcher == watcher) return;
  _watchers.push_back({watcher, cookie});
}

void KORAUI::removeWatcher(const KORAUIWatcher* watcher) {
  std::erase_if(_watchers, [watcher](const Watch& watch) { return watch.watcher == watcher; });
}

void KORAUI::_didChange(KORAUIChange change) {
  // By index: a watcher told of a destruction may stop watching.
  for (std::size_t i = 0; i < _watchers.size(); ++i) _watchers[i].watcher->controlDidChange(*this, change, _watchers[i].cookie);
}

void KORAUI::_postChange(const std::optional<std::string>& value) {
  if (value) {
    Dict userInfo;
    userInfo.set("Paramater", *value);
    NotifyUnit::postNotificationName(_korakeyword, this, userInfo);
  } else {
    NotifyUnit::postNotificationName(_korakeyword);
  }
}

}  // namespace orval
