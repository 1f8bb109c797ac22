// Building a KORAUI from its control description: the widgets of each
// control type, their frames, the children and the control's height.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/message_format.h"
#include "platform/foundation/log.h"
#include "settings_ui/kora_secure_text_field.h"
#include "settings_ui/kora_text_field.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_internal.h"
#include "settings_ui/label_metrics.h"
#include "settings_ui/ui_description.h"

namespace orval {

using namespace kora_ui_detail;

namespace {

// Row height of the layout, and the indent of a paragraph.
constexpr double kRow = 24;
constexpr double kParagraphIndent = 18;
// Default width of the head column, and of a text field's side button.
constexpr double kDefaultHeadWidth = 36;
// The size of a choice label's (regular) text; measured in the bold face, which is never narrower.
constexpr double kChoiceLabelFontSize = 13;
// A slider's choice labels' line, below the slider's top line.
constexpr double kChoiceLabelDrop = 67.2;
constexpr double kSideButtonWidth = 100;
// Default length limit of a text field.
constexpr int kDefaultMaxDigit = 256;

// The unit code of a text field's input kind ("text_type").
int unitOfTextType(const std::string& textType) {
  if (textType == "EMAIL") return 7;
  if (textType == "NUMOFPAGE") return 9;
  if (textType == "ASCII") return 8;
  return 10;
}

// The number of digits after the "." of a bound, or -1 without one.
int decimalsOfBound(const std::optional<std::string>& bound) {
  if (!bound) return -1;
  const std::size_t point = bound->find('.');
  if (point == std::string::npos) return -1;
  return static_cast<int>(bound->size() - point - 1);
}

// The number of characters (code points) of a UTF-8 text.
std::size_t characterCount(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

struct KORAUI::BuildContext {
  BuildContext(const Dict& description, std::string pane, double width, double height)
      : dict(description), paneName(std::move(pane)), W(width), T(height) {}

  const Dict& dict;
  std::string paneName;
  double W = 0;   // the view's width when the build starts
  double T = 0;   // the current top line
  double P = 0;   // the paragraph indent
  double HW = 0;  // the head column's width
  double R = 0;   // the value row (below the title, when there is one)
  std::string headText;       // localized
  std::string headTitleText;  // as it stands
  bool targetOnlyHidden = false;
};

void KORAUI::createControls(const Dict& dict, const std::string& paneName) {
  _removeWidgets();
  setControlDictionary(dict);
  BuildContext ctx(_controlDictionary, paneName, frame().width, frame().height);

  _readDescription(ctx);
  _buildGroupIcon(ctx);
  _buildGroupTitle(ctx);

  const std::string& type = _controlType;
  if (!_isCheckBoxType() && type != kTextFieldNumber) _buildTitleBlock(ctx);

  if (type == kTextFieldNumber) _buildNumberField(ctx);
  else if (_isTextFieldType()) _buildTextField(ctx);
  else if (type == kSlider) _buildSlider(ctx);
  else if (_isRadioType()) _buildRadioGroup(ctx);
  else if (_isCheckBoxType()) _buildCheckBox(ctx);
  else if (type == kPopupButton) _buildPopupButton(ctx);
  else if (type == kDatePicker) _buildDatePickers(ctx);

  if (entryFlag(ctx.dict, "isHidden")) setHidden(true);
  _buildChildren(ctx);
  _didChange(KORAUIChange::Description);
  setDefault();
}

void KORAUI::_readDescription(BuildContext& ctx) {
  const Dict& d = ctx.dict;
  _isEnableIcon = false;
  _isEnableSpread = false;

  _korakeyword = entryString(d, "mainKeyword");
  std::string titleKey = entryString(d, "text");
  if (!ctx.paneName.empty()) {
    if (auto paneTitle = entryText(d, "text_" + ctx.paneName)) titleKey = *paneTitle;
  }
  _title = _localized(titleKey);
  ctx.headText = _localized(entryString(d, "head_text"));
  ctx.headTitleText = entryString(d, "head_title_text");
  const auto messageName = entryText(d, "text_for_message");
  _keywordText = messageName ? _localized(*messageName) : _title;

  const auto tableCopy = [&d](const char* key) {
    const Dict* table = d.get(key).asDict();
    return table != nullptr ? *table : Dict();
  };
  _conflictDictionary = tableCopy("conflict");
  _unrestorableConflictDictionary = tableCopy("unrestorable_conflict");
  _conditionDictionary = tableCopy("condition");
  _logicalSumConditionDictionary = tableCopy("logical_sum_condition");
  _cooperationDictionary = tableCopy("cooperation");
  _hideDictionary = tableCopy("hide");
  const Array* choices = d.get("choices").asArray();
  _theArray = choices != nullptr ? *choices : Array();
  const Array* disabled = d.get("disableForPDE").asArray();
  _disableForPDE = disabled != nullptr ? *disabled : Array();
  _lineCount = getLineCount(_title);

  _isEnableIcon = entryFlag(d, "isEnabledIcon");
  _isEnableSpread = entryFlag(d, "isEnableSpread");
  _isEnableButton = entryFlag(d, "isEnabledButton");
  ctx.targetOnlyHidden = entryFlag(d, "isTargetOnlyHidden");

  ctx.P = entryFlag(d, "isParagraph") ? kParagraphIndent : 0;
  if (ctx.headText.empty()) {
    ctx.HW = 0;
  } else {
    const std::string width = entryString(d, "head_text_width");
    ctx.HW = width.empty() ? kDefaultHeadWidth : static_cast<double>(integerValueOfString(width));
  }
}

tk::TextField& KORAUI::_addLabel(const std::string& text, tk::Rect frame) {
  auto label = tk::TextField::makeLabel(text, frame);
  label->setEnabled(false);
  label->setControlSize(tk::ControlSize::Regular);
  return add(std::move(label));
}

tk::ImageView& KORAUI::_addImageView(std::optional<tk::Image> image, tk::Rect frame) {
  auto view = std::make_unique<tk::ImageView>(frame);
  view->setImage(std::move(image));
  return add(std::move(view));
}

void KORAUI::_buildGroupIcon(BuildContext& ctx) {
  if (!entryFlag(ctx.dict, "isGroupMain")) return;
  if (_isEnableIcon && (_isCheckBoxType() || _isRadioType())) return;
  std::string name = entryString(ctx.dict, "groupIcon");
  if (name.empty()) name = "group_icon";
  _iconGroup = _resourceImage(name);
  if (!_iconGroup) return;
  const double y = _isCheckBoxType() ? ctx.T - 12 * (_lineCount + 1) : ctx.T - kRow;
  _iconImageviewGroup = &_addImageView(_iconGroup, {0, y, kRow, kRow});
}

void KORAUI::_buildGroupTitle(BuildContext& ctx) {
  const auto groupTitle = entryText(ctx.dict, "groupTitle");
  if (!groupTitle) return;
  ctx.T -= kRow;
  _groupTitleText = &_addLabel(_localized(*groupTitle), {24, ctx.T, ctx.W - 24, 20});
}

void KORAUI::_buildTitleBlock(BuildContext& ctx) {
  const double T = ctx.T, P = ctx.P, HW = ctx.HW, W = ctx.W;
  if (!_title.empty()) {
    if (!ctx.headTitleText.empty() && HW != 0) _headTitleText = &_addLabel(ctx.headTitleText, {P + 24, T - 24, HW, 20});
    _titleText = &_addLabel(_title, {HW + 24 + P, T - 24, W - (HW + 24 + P), 20});
  }
  if (HW != 0) _headText = &_addLabel(ctx.headText, {P + 24, _title.empty() ? T - 24 : T - 48, HW, 20});
  ctx.R = _title.empty() ? T - 24 : T - 48;
}

namespace {

// The settings both text field classes take from the builder.
template <class Field>
void configureTextField(Field& field, const std::string& keyword, const std::string& text, int digits, int unit) {
  field.setKeyword(keyword);
  field.setEditable(true);
  field.setBezeled(true);
  field.setDrawsBackground(true);
  field.setEnabled(true);
  field.setSelectable(true);
  field.setControlSize(tk::ControlSize::Regular);
  field.setWraps(false);
  field.setStringValue(text);
  field.setDigit(digits);
  field.setUnit(unit);
  field.setNum(false);
}

}  // namespace

void KORAUI::_buildTextField(BuildContext& ctx) {
  const Dict& d = ctx.dict;
  const double BW = _isEnableButton ? kSideButtonWidth : 0;
  const double x = ctx.HW + 24 + ctx.P;
  const tk::Rect frame{x, ctx.R, ctx.W - x - 15 - (BW != 0 ? BW + 4 : 0), kRow};
  const std::string text = defchoiceOrDefault(d).value_or(std::string());
  const std::int64_t maxDigit = entryText(d, "max_digit") ? d.get("max_digit").intValue() : 0;
  const int digits = maxDigit >= 1 && maxDigit <= INT32_MAX ? static_cast<int>(maxDigit) : kDefaultMaxDigit;
  const int unit = unitOfTextType(entryString(d, "text_type"));

  if (hasPrefix(_controlType, "SecureTextField")) {
    auto& field = add(std::make_unique<KORASecureTextField>(frame));
    configureTextField(field, _korakeyword, text, digits, unit);
    _text = &field;
  } else {
    auto& field = add(std::make_unique<KORATextField>(frame));
    configureTextField(field, _korakeyword, text, digits, unit);
    _text = &field;
  }
  _text->setAction("textAction:", [this](tk::Control& sender) { textAction(sender); });

  if (BW != 0) {
    auto& button = add(std::make_unique<tk::Button>(tk::Rect{ctx.W - 15 - BW, ctx.R, BW, kRow}));
    button.setBezelStyle(tk::BezelStyle::Rounded);
    button.setTitle(_localized(entryString(d, "button_text")));
    button.setAction("buttonAction:", [this](tk::Control& sender) { buttonAction(sender); });
    _button = &button;
  }
  if (ctx.targetOnlyHidden) _text->setHidden(true);
}

void KORAUI::_buildNumberField(BuildContext& ctx) {
  const Dict& d = ctx.dict;
  const double T = ctx.T, P = ctx.P, HW = ctx.HW, W = ctx.W;
  const auto minText = entryText(d, "min");
  const auto maxText = entryText(d, "max");
  const double FW = (!minText || !maxText) ? 100 : 7.0 * static_cast<double>(std::max(minText->size(), maxText->size())) + 14;
  const double IO = _isEnableIcon ? 48 : 0;
  if (_isEnableIcon) {
    if (auto icon = _resourceImage(_korakeyword)) _iconImageviewNumber = &_addImageView(std::move(icon), {24, T - 48, 48, 48});
  }
  double TO = 0;
  if (!_title.empty()) {
    if (!ctx.headTitleText.empty() && HW != 0) _headTitleText = &_addLabel(ctx.headTitleText, {IO + 24 + P, T - 24, HW, 20});
    _titleText = &_addLabel(_title, {HW + 24 + P + IO, T - 24, W - 24 - P - HW, 20});
    TO = 24;
  }
  if (HW != 0) _headText = &_addLabel(ctx.headText, {IO + 24 + P, T - 24 - TO, HW, 20});
  const double X = HW + P + IO + 24;
  const double Y = T - 24 - TO;

  auto& field = add(std::make_unique<KORATextField>(tk::Rect{X, Y, FW, kRow}));
  _text = &field;
  field.setKeyword(_korakeyword);
  field.setEditable(true);
  field.setAction("textAction:", [this](tk::Control& sender) { textAction(sender); });
  field.setStringValue("1");
  field.setNum(true);
  field.setDelegate(this);

  auto& stepper = add(std::make_unique<tk::Stepper>(tk::Rect{X + FW, Y, kRow, kRow}));
  _stepper = &stepper;
  auto& desc = _addLabel("", {X + FW + 24, Y, W - (X + FW + 24), kRow});
  desc.setControlSize(tk::ControlSize::Small);
  _descText = &desc;

  // The bounds' decimals decide the unit and the step.
  const int maxDecimals = decimalsOfBound(maxText);
  const int minDecimals = decimalsOfBound(minText);
  double step = 1;
  if (maxDecimals < 0 && minDecimals < 0) {
    step = 1;
  } else if (maxDecimals >= 0 && minDecimals >= 0 && maxDecimals <= 1 && minDecimals <= 1) {
    field.setUnit(3);
    step = 0.1;
  } else if (maxDecimals >= 0 && minDecimals >= 0 && maxDecimals <= 2 && minDecimals <= 2) {
    field.setUnit(4);
    step = 0.01;
  } else {
    field.setUnit(5);
    step = 0.001;
  }
  // A missing maximum leaves the field unbounded above (a maximum of 0 would
  // refuse every positive number); a missing minimum is 0.
  const double minimum = minText ? decimalValueOfString(*minText) : 0;
  const double maximum = maxText ? decimalValueOfString(*maxText) : std::numeric_limits<double>::max();
  field.setMax(maximum);
  field.setMin(minimum);
  field.setStringValue(defchoiceOrDefault(d).value_or(std::string()));

  stepper.setControlSize(tk::ControlSize::Regular);
  stepper.setMinValue(minimum);
  stepper.setMaxValue(maximum);
  stepper.setIncrement(step);
  stepper.setAutorepeat(true);
  stepper.setValueWraps(false);
  stepper.setDoubleValue(field.doubleValue());
  stepper.setAction("stepperAction:", [this](tk::Control& sender) { stepperAction(sender); });

  _renderDescText(minText.value_or(std::string()), maxText.value_or(std::string()));
}

void KORAUI::_buildSlider(BuildContext& ctx) {
  const Dict& d = ctx.dict;
  const double W = ctx.W;
  if (_isEnableIcon) {
    if (auto icon = _menuIcon(entryString(d, "icon"))) {
      _minIcon = std::move(icon);
    } else {
      _minIcon = _menuIcon(entryString(d, "min_icon"));
      _maxIcon = _menuIcon(entryString(d, "max_icon"));
      if (_maxIcon) _iconImageviewSliderMax = &_addImageView(_maxIcon, {W - 44, ctx.T - 42, 24, 24});
    }
    if (_minIcon) _iconImageviewSliderMin = &_addImageView(_minIcon, {24, ctx.T - 42, 24, 24});
  }

  const double sliderWidth = W - 92;
  auto& slider = add(std::make_unique<tk::Slider>(tk::Rect{48, ctx.T - 50, sliderWidth, 30}));
  _slider = &slider;
  slider.setTickMarkPosition(tk::TickMarkPosition::Below);
  if (_theArray.empty()) {
    // A free range: any value between the bounds.
    const auto intEntry = [&d](const char* key, std::int64_t fallback) {
      const auto text = entryText(d, key);
      return text ? d.get(key).intValue() : fallback;
    };
    slider.setMinValue(static_cast<double>(intEntry("min", 0)));
    slider.setMaxValue(static_cast<double>(intEntry("max", 100)));
    const auto initial = defchoiceOrDefault(d);
    slider.setDoubleValue(initial ? static_cast<double>(integerValueOfString(*initial)) : 50);
    slider.setNumberOfTickMarks(10);
  } else {
    const int count = static_cast<int>(_theArray.size());
    slider.setMinValue(0);
    slider.setMaxValue(count - 1);
    slider.setNumberOfTickMarks(count);
    slider.setAllowsTickMarkValuesOnly(true);
    // One label per choice, spaced by the tick distance (one choice: a single label at the start).
    const double spacing = count > 1 ? std::trunc((sliderWidth - 13) / (count - 1)) : 0;
    for (int i = 0; i < count; ++i) {
      const Dict* entry = _theArray[static_cast<std::size_t>(i)].asDict();
      const std::string value = entry != nullptr ? entryString(*entry, "choice") : std::string();
      const std::string textKey = entry != nullptr ? entryString(*entry, "text") : std::string();
      _optionsKey.push_back(value);
      _optionsText.push_back(textKey);
      std::string shown = _localized(textKey);
      if (characterCount(shown) == 1) shown = " " + shown;
      // A label is at least as wide as its text, and the last ones end under the slider's right
      // end rather than running past it.
      const double width = std::max(40.0, std::ceil(boldLabelTextWidth(shown, kChoiceLabelFontSize)));
      const double x = std::min(48 + i * spacing, 48 + sliderWidth - width);
      _sliderLavelTextArray.push_back(&_addLabel(shown, {x, ctx.T - kChoiceLabelDrop, width, 20}));
    }
  }
  slider.setAction("sliderAction:", [this](tk::Control& sender) { sliderAction(sender); });

  ctx.T -= kRow;
  _sliderMixText = entryString(d, "min_icon_text");
  _sliderMaxText = entryString(d, "max_icon_text");
  const std::string minText = _localized(_sliderMixText);
  const std::string maxText = _localized(_sliderMaxText);
  const double minWidth = boldLabelTextWidth(minText, kSliderEndLabelFontSize);
  const double maxWidth = boldLabelTextWidth(maxText, kSliderEndLabelFontSize);
  // With choice labels the end labels go below them instead of onto their line.
  const double endLabelY = _sliderLavelTextArray.empty() ? ctx.T - 33.6 : ctx.T + kRow - kChoiceLabelDrop - 20;
  _sliderStartLavelText = &_addLabel(minText, {ctx.P + 12, endLabelY, minWidth, 20});
  _sliderStartLavelText->setAlignment(tk::TextAlignment::Left);
  _sliderEndLavelText = &_addLabel(maxText, {W - maxWidth, endLabelY, maxWidth, 20});
  _sliderEndLavelText->setAlignment(tk::TextAlignment::Right);
}

void KORAUI::_buildRadioGroup(BuildContext& ctx) {
  const double T = ctx.T, W = ctx.W;
  if (_isEnableIcon) {
    const std::string initial = defchoiceOrDefault(ctx.dict).value_or(std::string());
    _iconGroup = _resourceImage(stringWithFormat("%@_%@", _korakeyword, initial));
    // The view exists even without an image: a later choice may have one.
    _iconImageviewGroup = &_addImageView(_iconGroup, {0, T - 24, 24, 24});
  }
  const int count = static_cast<int>(_theArray.size());
  const bool horizontal = _controlType == kHRadioButton;
  tk::Rect frame;
  tk::Size cellSize;
  if (horizontal) {
    frame = {24, ctx.R, W - 24, kRow};
    cellSize = {count > 0 ? (W - 24) / count : W - 24, kRow};
  } else {
    frame = {24, _title.empty() ? T - 24.0 * count : T - 24 - 24.0 * count, W - 24, 24.0 * count};
    cellSize = {W - 24, kRow};
  }
  auto& matrix = add(std::make_unique<tk::Matrix>(frame, horizontal ? 1 : count, horizontal ? count : 1, _radioButton,
                                                  tk::MatrixMode::Radio));
  _radioButtonMatrix = &matrix;
  matrix.setCellSize(cellSize);
  for (int i = 0; i < count; ++i) {
    tk::ButtonCell* cell = horizontal ? matrix.cellAtRow(0, i) : matrix.cellAtRow(i, 0);
    const Dict* entry = _theArray[static_cast<std::size_t>(i)].asDict();
    if (cell == nullptr || entry == nullptr) continue;
    cell->setTitle(_localized(entryString(*entry, "text")));
    cell->setRepresentedObject(entryString(*entry, "choice"));
  }
  matrix.setAction("radioButtonAction:", [this](tk::Control& sender) { radioButtonAction(sender); });
}

void KORAUI::_buildCheckBox(BuildContext& ctx) {
  const double T = ctx.T, P = ctx.P, W = ctx.W;
  const std::string initial = defchoiceOrDefault(ctx.dict).value_or(std::string());
  if (_isEnableIcon) {
    _iconTrue = _resourceImage(_korakeyword + "_True");
    _iconFalse = _resourceImage(_korakeyword + "_False");
    const tk::Rect iconFrame{0, T - 12.0 * (_lineCount + 1), 24, 24};
    _iconImageviewTrue = &_addImageView(_iconTrue, iconFrame);
    _iconImageviewFalse = &_addImageView(_iconFalse, iconFrame);
    const std::optional<std::string> first = _choiceAt(0), second = _choiceAt(1);
    if (first && initial == *first) {
      setIconImage(true);
    } else if (second && initial == *second) {
      setIconImage(false);
    } else {
      _iconImageviewTrue->setHidden(true);
      _iconImageviewFalse->setHidden(true);
    }
  }
  auto& box = add(std::make_unique<tk::Button>(
      tk::Rect{P + 24, T - 24.0 * _lineCount, W - 24 - P, 24.0 * _lineCount}, tk::ButtonType::Switch));
  _checkbox = &box;
  box.setTitle(_title);
  setCheckBoxState(boolStringIsTrue(initial) ? 1 : 0);
  box.setAction("checkboxAction:", [this](tk::Control& sender) { checkboxAction(sender); });
  if (ctx.targetOnlyHidden) box.setHidden(true);
}

void KORAUI::_buildPopupButton(BuildContext& ctx) {
  if (_theArray.size() == 2) {
    for (std::size_t i = 0; i < 2; ++i) {
      _optionsKey.push_back(_choiceAt(i).value_or(std::string()));
      _optionsText.push_back(_choiceTextAt(i).value_or(std::string()));
    }
  }
  const double x = ctx.HW + 24 + ctx.P;
  auto& popup = add(std::make_unique<tk::PopUpButton>(tk::Rect{x, ctx.R, ctx.W - x, kRow}));
  _popupButton = &popup;
  popup.setBordered(true);
  _fillPopupItems();
  popup.setAction("popupButtonAction:", [this](tk::Control& sender) { popupButtonAction(sender); });
  if (ctx.targetOnlyHidden) popup.setHidden(true);
}

void KORAUI::_fillPopupItems() {
  if (_popupButton == nullptr) return;
  _popupButton->removeAllItems();
  if (_hasReplacementList) {
    for (const Value& pair : _popupButtonArray) {
      const Array& entry = *pair.asArray();
      const std::string value = entry[1].text();
      if (isSeparatorEntry(entry)) {
        tk::MenuItem separator = tk::MenuItem::separatorItem();
        separator.setRepresentedObject(value);
        _popupButton->addItem(std::move(separator));
        continue;
      }
      tk::MenuItem item(_localized(entry[0].text()));
      item.setRepresentedObject(value);
      if (_isEnableIcon) item.setImage(_menuIcon(stringWithFormat("%@_%@", _korakeyword, value)));
      _popupButton->addItem(std::move(item));
    }
    return;
  }
  for (const Value& choice : _theArray) {
    const Dict* entry = choice.asDict();
    if (entry == nullptr) continue;
    const std::string text = _localized(entryString(*entry, "text"));
    const std::string value = entryString(*entry, "choice");
    if (text.empty()) {
      if (entry->contains("separator")) {
        tk::MenuItem separator = tk::MenuItem::separatorItem();
        separator.setRepresentedObject(value);
        _popupButton->addItem(std::move(separator));
      }
      continue;
    }
    tk::MenuItem item(text);
    item.setRepresentedObject(value);
    if (_isEnableIcon) item.setImage(_menuIcon(stringWithFormat("%@_%@", _korakeyword, value)));
    _popupButton->addItem(std::move(item));
  }
}

void KORAUI::_buildDatePickers(BuildContext& ctx) {
  const Dict& d = ctx.dict;
  const double D = ctx.HW + ctx.P;
  const double TO = _title.empty() ? 0 : 24;
  const double Y = ctx.T - 24 - TO;
  struct PickerSpec {
    tk::Rect frame;
    tk::DatePickerStyle style;
    unsigned elements;
  };
  const PickerSpec specs[] = {
      {{D + 46, Y, 110, 24}, tk::DatePickerStyle::TextFieldAndStepper, tk::YearMonthDayElements},
      {{D + 196, Y, 95, 24}, tk::DatePickerStyle::TextFieldAndStepper, tk::HourMinuteElements},
      {{D + 24, Y - 155, 155, 155}, tk::DatePickerStyle::ClockAndCalendar, tk::YearMonthDayElements},
      {{D + 179, Y - 130, 130, 130}, tk::DatePickerStyle::ClockAndCalendar, tk::HourMinuteElements},
  };
  const auto dateEntry = [&](const char* key) -> std::optional<Date> {
    const Value& v = d.get(key);
    if (v.isDate() || !v.text().empty()) return datePickerDictionaryValueToDate(v);
    return std::nullopt;
  };
  const std::optional<Date> initial = dateEntry("default");
  const std::optional<Date> minimum = dateEntry("min");
  const std::optional<Date> maximum = dateEntry("max");
  for (const PickerSpec& spec : specs) {
    auto& picker = add(std::make_unique<tk::DatePicker>(spec.frame));
    picker.setDatePickerStyle(spec.style);
    picker.setDatePickerElements(spec.elements);
    picker.setEnabled(true);
    if (initial) picker.setDateValue(*initial);
    if (minimum) picker.setMinDate(minimum);
    if (maximum) picker.setMaxDate(maximum);
    picker.setAction("datePickerAction:", [this](tk::Control& sender) { datePickerAction(sender); });
    if (ctx.targetOnlyHidden) picker.setHidden(true);
    _datePickers.push_back(&picker);
  }
}

void KORAUI::_buildChildren(BuildContext& ctx) {
  const Array* names = ctx.dict.get("other_controls").asArray();
  if (names == nullptr || names->empty()) return;
  if (!_uiDescription) {
    // Nobody handed the parsed description over: read it once, for this
    // control and every child below it.
    if (std::optional<Dict> loaded = loadUIDescription(_bundle.get()))
      _uiDescription = std::make_shared<const Dict>(std::move(*loaded));
  }
  if (!_uiDescription) {
    logMessage("###Error:UISetting Plist file not found!");
    return;
  }
  const Dict& ui = *_uiDescription;
  const std::size_t count = names->size();
  std::vector<std::string> childNames;
  std::vector<Dict> descriptions;
  for (const Value& name : *names) {
    childNames.push_back(name.text());
    const Dict* description = controlDescriptionNamed(ui, childNames.back());
    if (description == nullptr) logMessage("###Error: no control description for " + childNames.back());
    descriptions.push_back(description != nullptr ? *description : Dict());
  }

  const double W = ctx.W;
  double Y = 72;
  double indent = 0;
  int col = 0;
  int n = 1;
  for (std::size_t i = 0; i < count; ++i) {
    Dict description = descriptions[i];
    if (entryFlag(description, "isParagraph")) indent = kParagraphIndent;
    if (n == 1) {
      // Count the row: this child and the following ones that continue it.
      n = 1;
      for (std::size_t j = i; j < count; ++j) {
        if (!entryFlag(descriptions[j], "holizontally")) break;
        ++n;
      }
    }
    if (n > 1) ++col;
    if (i == 0 && n == 1) Y += getControlHeight();

    // Each child of a row gets its own column: a child as wide as the whole row would lie under
    // the ones to its right. A row's first child does not know the row yet (n is 1): it looks ahead.
    std::size_t columns = static_cast<std::size_t>(n);
    if (n == 1)
      while (i + columns < count && entryFlag(descriptions[i + columns], "holizontally")) ++columns;
    const double width = W / static_cast<double>(columns);
    auto child = std::make_unique<KORAUI>(tk::Rect{col * W / n, ctx.T - Y + indent, width, 72 - indent});
    child->_clock = _clock;
    child->_ancestorNames = _ancestorNames;
    if (std::find(_ancestorNames.begin(), _ancestorNames.end(), childNames[i]) != _ancestorNames.end()) {
      logMessage("###Error: control description " + childNames[i] + " contains itself; its children are not built");
      description.remove("other_controls");
    }
    child->_ancestorNames.push_back(childNames[i]);
    child->setControlDictionary(description, _bundle);
    child->setUIDescription(_uiDescription);
    child->updateControl(ctx.paneName);

    if (n > 1 && n <= col + 1) {
      n = 1;
      col = 0;
    }
    if (i + 1 < count && !entryFlag(descriptions[i + 1], "holizontally"))
      Y += child->getControlHeight() + (child->controlType() == kSlider ? 24 : 0);
    _childControls.push_back(&add(std::move(child)));
  }
}

double KORAUI::getControlHeight() const {
  const Dict& d = _controlDictionary;
  const Value* groupMain = d.find("isGroupMain");
  const bool G = groupMain != nullptr && !groupMain->truth() && d.contains("groupTitle");
  const bool titled = !_title.empty();
  const std::string& type = _controlType;
  double height = 0;
  if (_isCheckBoxType()) {
    height = G ? 24.0 * (_lineCount + 1) : 24.0 * _lineCount;
  } else if (hasPrefix(type, "TextField") || hasPrefix(type, "SecureTextField")) {
    height = (G ? 48 : 24) + (titled ? 24 : 0);
  } else if (type == kPopupButton || type == kSlider || type == kHRadioButton) {
    height = titled ? 48 : 24;
  } else if (type == kRadioButton) {
    const double choices = static_cast<double>(_theArray.size());
    height = titled ? 20 * choices + 24 : 20 * choices;
  } else if (type == kDatePicker) {
    height = titled ? 203 : 179;
  }
  const std::int64_t blankLines = entryText(d, "blank_line_count") ? d.get("blank_line_count").intValue() : 0;
  if (blankLines != 0 && height != 0) height += 24.0 * static_cast<double>(blankLines);
  return height;
}

}  // namespace orval
