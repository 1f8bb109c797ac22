// KORAUI's value: mapping the value string to and from the widgets of each
// control type, defaults and dates, the old value and the pending print option.
#include <algorithm>
#include <cmath>
#include <string>

#include "common/message_format.h"
#include "common/notify_unit.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/application.h"
#include "settings_ui/kora_secure_text_field.h"
#include "settings_ui/kora_text_field.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_internal.h"

namespace orval {

using namespace kora_ui_detail;

namespace {

// The process-wide pending print option of updateWithPrintOption.
std::optional<PrintOption>& pendingOption() {
  static std::optional<PrintOption> pending;
  return pending;
}

// The display format of a value field's unit ("%.0f" for a plain toolkit field).
std::string unitFormatOf(const tk::TextField* field) {
  if (const auto* plain = dynamic_cast<const KORATextField*>(field)) return plain->unitFormat();
  if (const auto* secure = dynamic_cast<const KORASecureTextField*>(field)) return secure->unitFormat();
  return "%.0f";
}

// The decimal integer text of a date's whole seconds since 1970.
std::string secondsText(Date date) {
  const double seconds = secondsWithinDates(date.secondsSinceReferenceDate + kSecondsFrom1970ToReferenceDate);
  return std::to_string(static_cast<long long>(std::trunc(seconds)));
}

}  // namespace

double kora_ui_detail::secondsWithinDates(double seconds) {
  if (std::isnan(seconds)) {
    logMessage("###KORAUI: a date value that is not a number counts as 1970-01-01");
    return 0;
  }
  const double held = std::clamp(seconds, kEarliestSecondsSince1970, kLatestSecondsSince1970);
  if (held != seconds)
    logMessage(stringWithFormat("###KORAUI: the date value %@ lies beyond the calendar; %@ is taken",
                                formatReal(seconds), formatReal(held)));
  return held;
}

// Choices ----------------------------------------------------------------------------

std::optional<std::string> KORAUI::_choiceAt(std::size_t index) const {
  const Value* entry = _theArray.at(index);
  if (entry == nullptr || !entry->isDict()) return std::nullopt;
  return entryText(*entry->asDict(), "choice");
}

std::optional<std::string> KORAUI::_choiceTextAt(std::size_t index) const {
  const Value* entry = _theArray.at(index);
  if (entry == nullptr || !entry->isDict()) return std::nullopt;
  return entryText(*entry->asDict(), "text");
}

int KORAUI::getChoicesCount() const {
  const Array* choices = _controlDictionary.get("choices").asArray();
  return choices != nullptr ? static_cast<int>(choices->size()) : -1;
}

std::optional<std::string> KORAUI::minValue() const { return entryText(_controlDictionary, "min"); }

std::optional<std::string> KORAUI::maxValue() const { return entryText(_controlDictionary, "max"); }

// Reading and writing ----------------------------------------------------------------------

const std::string* KORAUI::_shownChoice() const {
  switch (_valueKind) {
    case ValueKind::Popup:
      if (_popupButton != nullptr)
        if (const tk::MenuItem* item = _popupButton->selectedItem()) return item->representedObject().asString();
      return nullptr;
    case ValueKind::Radio: {
      const std::string* shown = nullptr;
      if (_radioButtonMatrix != nullptr) {
        // The last cell that is on, in row order.
        for (int row = 0; row < _radioButtonMatrix->numberOfRows(); ++row) {
          for (int column = 0; column < _radioButtonMatrix->numberOfColumns(); ++column) {
            const tk::ButtonCell* cell = _radioButtonMatrix->cellAtRow(row, column);
            if (cell != nullptr && cell->state() == tk::ControlState::On && cell->representedObject().isString())
              shown = cell->representedObject().asString();
          }
        }
      }
      return shown;
    }
    case ValueKind::Slider:
      if (_slider != nullptr && !_optionsKey.empty()) {
        const double position = std::trunc(_slider->doubleValue());
        if (position >= 0 && position < static_cast<double>(_optionsKey.size()))
          return &_optionsKey[static_cast<std::size_t>(position)];
      }
      return nullptr;
    default:
      return nullptr;
  }
}

std::optional<std::string> KORAUI::_widgetValue() const {
  switch (_valueKind) {
    case ValueKind::Number:
    case ValueKind::Text:
      if (_text != nullptr) return _text->stringValue();
      return std::nullopt;
    case ValueKind::CheckBox:
      if (_checkbox != nullptr) {
        const int state = checkBoxState();
        if (state == 1) return _choiceAt(0);
        if (state == 0) return _choiceAt(1);
      }
      return std::nullopt;
    case ValueKind::Popup:
    case ValueKind::Radio:
      if (const std::string* shown = _shownChoice()) return *shown;
      return std::nullopt;
    case ValueKind::Slider:
      if (_slider == nullptr) return std::nullopt;
      if (_optionsKey.empty()) return _slider->stringValue();
      if (const std::string* shown = _shownChoice()) return *shown;
      return std::nullopt;
    case ValueKind::Date:
      if (!_datePickers.empty()) return secondsText(_datePickers.front()->dateValue());
      return std::nullopt;
    case ValueKind::None:
      return std::nullopt;
  }
  return std::nullopt;
}

const std::optional<std::string>& KORAUI::getStringValue() {
  // The widgets may show another value than the one stored: a change made
  // on the widgets themselves, which the watchers learn of now.
  if (const std::string* shown = _shownChoice()) {
    if (!_value || *_value != *shown) {
      _value = *shown;
      _didChange(KORAUIChange::Value);
    }
  } else if (std::optional<std::string> read = _widgetValue(); read && read != _value) {
    _value = std::move(read);
    _didChange(KORAUIChange::Value);
  }
  return _value;
}

void KORAUI::setStringValue(const std::optional<std::string>& value) {
  std::optional<std::string> before = _widgetValue();
  if (!before) before = _value;
  _showValue(value);
  std::optional<std::string> after = _widgetValue();
  if (!after) after = _value;
  if (after != before) _didChange(KORAUIChange::Value);
}

void KORAUI::_showValue(const std::optional<std::string>& value) {
  if (value) {
    _value = value;
    if (_enableChoice) setEnabledChildControl(*value == *_enableChoice);
  }
  const std::string shown = _value.value_or(std::string());
  if (_valueKind == ValueKind::Number) {
    if (_text != nullptr) _showNumber(shown);
  } else if (_isTextFieldType()) {
    if (_text != nullptr) _text->setStringValue(shown);
  } else if (_isCheckBoxType()) {
    if (_checkbox != nullptr && _value) {
      if (_value == _choiceAt(0)) setCheckBoxState(1);
      else if (_value == _choiceAt(1)) setCheckBoxState(0);
    }
  } else if (_valueKind == ValueKind::Popup) {
    if (_popupButton != nullptr) {
      bool shownByAnItem = false;
      for (int i = 0; i < _popupButton->numberOfItems(); ++i) {
        const Value& itemValue = _popupButton->itemAtIndex(i)->representedObject();
        if (_value && itemValue.isString() && *itemValue.asString() == *_value) {
          _popupButton->selectItemAtIndex(i);
          shownByAnItem = true;
        }
      }
      _unsportValue = shownByAnItem ? std::nullopt : _value;
    }
  } else if (_isRadioType()) {
    if (_radioButtonMatrix != nullptr) _selectRadioCells(shown);
  } else if (_valueKind == ValueKind::Slider) {
    if (_slider != nullptr) {
      if (_optionsKey.empty()) {
        _slider->setDoubleValue(decimalValueOfString(shown));
      } else {
        for (std::size_t i = 0; i < _optionsKey.size(); ++i) {
          if (_optionsKey[i] == shown) {
            _slider->setDoubleValue(static_cast<double>(i));
            break;
          }
        }
      }
    }
  } else if (_valueKind == ValueKind::Date) {
    const Date date = datePickerDictionaryValueToDate(Value(shown));
    for (tk::DatePicker* picker : _datePickers) picker->setDateValue(date);
  }
}

void KORAUI::_selectRadioCells(const std::string& value) {
  tk::Matrix& matrix = *_radioButtonMatrix;
  const bool horizontal = _controlType == kHRadioButton;
  int matched = -1;
  const std::vector<tk::ButtonCell*> cells = matrix.cells();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const Value& choice = cells[i]->representedObject();
    const bool on = _value && choice.isString() && *choice.asString() == value;
    cells[i]->setState(on ? tk::ControlState::On : tk::ControlState::Off);
    if (on) matched = static_cast<int>(i);
  }
  _unsportValue = matched >= 0 ? std::nullopt : _value;
  if (matched < 0) return;
  // The matrix's own selection follows on the next turn of the run loop (also
  // inside a modal panel), as the platform's radio groups need.
  std::weak_ptr<int> alive = _lifeToken;
  tk::Application::shared().runLoop().performOnNextTurn(
      [this, alive, matched, horizontal] {
        if (alive.expired() || _radioButtonMatrix == nullptr) return;
        if (horizontal) _radioButtonMatrix->selectCellAtRow(0, matched);
        else _radioButtonMatrix->selectCellAtRow(matched, 0);
      },
      {tk::RunLoopMode::Default, tk::RunLoopMode::ModalPanel});
}

int KORAUI::_decimalsOf(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return -1;
  return static_cast<int>(text.size() - point - 1);
}

std::string KORAUI::_formatWithUnit(double number) const {
  return stringWithFormat(unitFormatOf(_text), number);
}

void KORAUI::_showNumber(const std::string& value) {
  // A value with the decimals that the field shows already is shown as it is;
  // any other is re-formatted to the field's decimals.
  if (_decimalsOf(_text->stringValue()) == _decimalsOf(value)) _text->setStringValue(value);
  else _text->setStringValue(_formatWithUnit(decimalValueOfString(value)));
  if (_stepper != nullptr) _stepper->setDoubleValue(_text->doubleValue());
}

void KORAUI::updateValue(const std::string& value) {
  if (!_value) setValue(value);
  if (*_value != value) setStringValue(value);
}

void KORAUI::updateValueFont(const std::string& value) {
  if (!_value) setValue(value);
  setStringValue(value);
}

void KORAUI::setValue(std::optional<std::string> value) {
  if (value == _value) return;
  _value = std::move(value);
  _didChange(KORAUIChange::Value);
}

// Defaults and dates ---------------------------------------------------------------------

std::optional<std::string> KORAUI::getDefault() const {
  const Value& entry = _controlDictionary.get("default");
  if (_controlType == kDatePicker) {
    if (!entry.isDate() && entry.text().empty()) return std::nullopt;
    return datePickerDictionaryValueToStringValue(entry);
  }
  std::string text = entry.text();
  if (text.empty()) return std::nullopt;
  return text;
}

void KORAUI::setDefault() {
  if (const auto initial = getDefault()) setStringValue(*initial);
  NotifyUnit::postNotificationName(_korakeyword);
}

std::chrono::system_clock::time_point KORAUI::_now() const {
  return _clock ? _clock() : std::chrono::system_clock::now();
}

Date KORAUI::datePickerDictionaryValueToDate(const Value& value) const {
  if (const Date* date = value.asDate()) return *date;
  double seconds = 0;
  const std::string text = value.text();
  if (text.rfind("now", 0) == 0) {
    const auto now = std::chrono::duration<double>(_now().time_since_epoch()).count();
    seconds = now + (text.size() > 3 ? decimalValueOfString(std::string_view(text).substr(3)) : 0);
  } else {
    seconds = value.doubleValue();
  }
  return Date{secondsWithinDates(seconds) - kSecondsFrom1970ToReferenceDate};
}

std::string KORAUI::datePickerDictionaryValueToStringValue(const Value& value) const {
  return secondsText(datePickerDictionaryValueToDate(value));
}

// Old value and the pending print option -------------------------------------------------------

void KORAUI::updateOldValue() { _oldValue = getStringValue(); }

void KORAUI::setUpdateWithPrintOption(std::optional<PrintOption> printOption) {
  pendingOption() = std::move(printOption);
}

const PrintOption* KORAUI::pendingPrintOption() {
  const auto& pending = pendingOption();
  return pending ? &*pending : nullptr;
}

bool KORAUI::updateWithPrintOption() {
  const PrintOption* pending = pendingPrintOption();
  if (pending == nullptr || _korakeyword.empty()) return false;
  const Value* value = pending->find(_korakeyword);
  if (value == nullptr || value->isNull()) return false;
  setStringValue(value->text());
  updateOldValue();
  return true;
}

// Display texts ------------------------------------------------------------------------------

std::optional<std::string> KORAUI::getOptionText(const std::optional<std::string>& value) {
  if (_isCheckBoxType()) return value == "True" ? _choiceTextAt(0) : _choiceTextAt(1);
  if (_controlType == kPopupButton || _isRadioType()) {
    if (!value) return std::nullopt;
    if (_controlType == kPopupButton) {
      for (const Value& pair : _popupButtonArray) {
        const Array& entry = *pair.asArray();
        if (!isSeparatorEntry(entry) && entry[1].text() == *value) return entry[0].text();
      }
    }
    for (std::size_t i = 0; i < _theArray.size(); ++i)
      if (_choiceAt(i) == value) return _choiceTextAt(i);
  }
  return std::nullopt;
}

std::optional<std::string> KORAUI::getSelectedOptionText() const {
  if (_isTextFieldType()) return _text != nullptr ? std::optional<std::string>(_text->stringValue()) : std::nullopt;
  if (_isCheckBoxType()) {
    if (_checkbox == nullptr) return std::nullopt;
    return checkBoxState() == 1 ? _choiceTextAt(0) : _choiceTextAt(1);
  }
  if (_controlType == kPopupButton) {
    return _popupButton != nullptr ? std::optional<std::string>(_popupButton->titleOfSelectedItem()) : std::nullopt;
  }
  if (_isRadioType() && _radioButtonMatrix != nullptr) {
    const std::vector<tk::ButtonCell*> cells = _radioButtonMatrix->cells();
    std::optional<std::string> text;
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (cells[i]->state() == tk::ControlState::On) text = _choiceTextAt(i);
    return text;
  }
  return std::nullopt;
}

// Numbers ------------------------------------------------------------------------------------

void KORAUI::setDoubleValue(double number) {
  if (_text == nullptr) return;
  _text->setStringValue(_formatWithUnit(number));
  _didChange(KORAUIChange::Value);
}

void KORAUI::_renderDescText(const std::string& min, const std::string& max) {
  if (_descText == nullptr) return;
  const std::string desc = _localized(entryString(_controlDictionary, "desc_text"));
  if (desc.find("%@") != std::string::npos && !min.empty() && !max.empty())
    _descText->setStringValue(stringWithFormat(desc, min, max));
  else
    _descText->setStringValue(desc);
}

void KORAUI::updateMin(double min, double max) {
  if (_controlType != kTextFieldNumber || _text == nullptr) return;
  const std::string minText = _formatWithUnit(min);
  const std::string maxText = _formatWithUnit(max);
  const double minimum = decimalValueOfString(minText);
  const double maximum = decimalValueOfString(maxText);
  if (auto* field = dynamic_cast<KORATextField*>(_text)) {
    field->setMin(minimum);
    field->setMax(maximum);
  }
  if (_stepper != nullptr) {
    _stepper->setMinValue(minimum);
    _stepper->setMaxValue(maximum);
  }
  if (entryString(_controlDictionary, "desc_text").find("%@") != std::string::npos) _renderDescText(minText, maxText);
  _didChange(KORAUIChange::Value);
}

// Check box ----------------------------------------------------------------------------------

int KORAUI::checkBoxState() const {
  if (_controlDictionary.empty() || _checkbox == nullptr) {
    logMessage("###checkbox object is invalid");
    return 1;
  }
  const tk::ControlState state = _checkbox->state();
  if (entryFlag(_controlDictionary, "isInvert")) return state != tk::ControlState::On ? 1 : 0;
  return static_cast<int>(state);
}

void KORAUI::setCheckBoxState(int state) {
  if (_controlDictionary.empty() || _checkbox == nullptr) {
    logMessage("###checkbox object is invalid");
    return;
  }
  const bool on = (state != 0) != entryFlag(_controlDictionary, "isInvert");
  const tk::ControlState shown = on ? tk::ControlState::On : tk::ControlState::Off;
  if (_checkbox->state() == shown) return;
  _checkbox->setState(shown);
  _didChange(KORAUIChange::Value);
}

void KORAUI::setIconImage(bool flag) {
  if (_iconImageviewTrue != nullptr) _iconImageviewTrue->setHidden(!flag);
  if (_iconImageviewFalse != nullptr) _iconImageviewFalse->setHidden(flag);
}

}  // namespace orval
