// The actions of a KORAUI's widgets and the change notifications they post.
#include "common/message_format.h"
#include "common/notify_unit.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_internal.h"

namespace orval {

using namespace kora_ui_detail;

// Every action follows a change that the person made on a widget: the
// watchers learn of it before the change is announced.

void KORAUI::textAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  if (_stepper != nullptr && _text != nullptr) _stepper->setDoubleValue(_text->doubleValue());
  _postChange(std::nullopt);
}

void KORAUI::controlTextDidChange(tk::TextField& control) {
  _didChange(KORAUIChange::Value);
  if (_stepper != nullptr && _text != nullptr) _stepper->setDoubleValue(_text->doubleValue());
}

void KORAUI::stepperAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  if (_text != nullptr && _stepper != nullptr) _text->takeDoubleValueFrom(*_stepper);
  _postChange(std::nullopt);
}

void KORAUI::sliderAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  _postChange(std::nullopt);
}

void KORAUI::radioAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  _postChange(std::nullopt);
}

void KORAUI::radioButtonAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  if (_radioButtonMatrix != nullptr) {
    const int index =
        _controlType == kHRadioButton ? _radioButtonMatrix->selectedColumn() : _radioButtonMatrix->selectedRow();
    if (index >= 0 && static_cast<std::size_t>(index) < _theArray.size()) {
      const std::string choice = _choiceAt(static_cast<std::size_t>(index)).value_or(std::string());
      updateValue(choice);
      if (_isEnableIcon && _iconImageviewGroup != nullptr) {
        if (auto icon = _resourceImage(stringWithFormat("%@_%@", _korakeyword, choice))) {
          _iconGroup = icon;
          _iconImageviewGroup->setImage(std::move(icon));
        }
      }
    }
  }
  _postChange(std::nullopt);
}

void KORAUI::popupButtonAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  std::optional<std::string> value;
  if (_popupButton != nullptr) {
    if (const tk::MenuItem* item = _popupButton->selectedItem(); item != nullptr && item->representedObject().isString())
      value = *item->representedObject().asString();
  }
  if (value) updateValue(*value);
  _postChange(value);
}

void KORAUI::checkboxAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  const bool checked = checkBoxState() == 1;
  const std::optional<std::string> value = _choiceAt(checked ? 0 : 1);
  if (value) updateValue(*value);
  if (_isEnableIcon) {
    setIconImage(checked);
    setEnabledChildControl(checked);
  }
  _postChange(value);
}

void KORAUI::buttonAction(tk::Control& sender) {
  NotifyUnit::postNotificationName(stringWithFormat("%@_Button", _korakeyword));
}

void KORAUI::datePickerAction(tk::Control& sender) {
  _didChange(KORAUIChange::Value);
  const auto* changed = dynamic_cast<const tk::DatePicker*>(&sender);
  if (changed != nullptr) {
    for (tk::DatePicker* picker : _datePickers)
      if (picker != changed) picker->setDateValue(changed->dateValue());
  }
  _postChange(std::nullopt);
}

void KORAUI::disclosureTriangleAction(tk::Control& sender) {
  if (_disclosureTriangle == nullptr) return;
  const tk::Rect current = frame();
  const double top = current.maxY();
  const bool expanded = _disclosureTriangle->state() == tk::ControlState::On;
  const double height = expanded ? _maxHeight : 24;
  setFrame({current.x, top - height, current.width, height});
}

}  // namespace orval

