// PanePlugInMgr: the values of a pane's classic controls, the plain toolkit
// controls that are not settings-engine controls. A control's cell may
// represent a dictionary whose "optionKeywords" lists its choices; a
// pop-up's items represent {"optionKeyword", "mainKeyword"} (setMenuItem).
// Password fields keep their text scrambled in the option set.
#include "conversion/field_scrambler.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/slider.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/max_bytes_formatter.h"
#include "settings_ui/max_length_formatter.h"

namespace orval {

namespace {

// The control's choices ("optionKeywords" of its represented dictionary), or none.
const Array* choicesOf(const tk::Control& control) {
  const Dict* represented = control.representedObject().asDict();
  return represented != nullptr ? represented->get("optionKeywords").asArray() : nullptr;
}

std::int64_t indexOfChoice(const Array* choices, const Value& value) {
  if (choices == nullptr) return -1;
  for (std::size_t i = 0; i < choices->size(); ++i)
    if ((*choices)[i] == value) return static_cast<std::int64_t>(i);
  return -1;
}

bool isCheckBox(const tk::Control& control) {
  const auto* button = dynamic_cast<const tk::Button*>(&control);
  return button != nullptr && button->buttonType() == tk::ButtonType::Switch;
}

// True when field's formatter keeps escapes, so that the value is its object rather than its text.
bool formatsWithEscapes(const tk::TextField& field) {
  const tk::Formatter* formatter = field.formatter();
  return dynamic_cast<const MaxBytesFormatterWithEscape*>(formatter) != nullptr ||
         dynamic_cast<const MaxLengthFormatterWithEscape*>(formatter) != nullptr;
}

}  // namespace

Value PanePlugInMgr::_getValueFromControl(const tk::Control* control) const {
  if (control == nullptr) return {};
  if (const auto* popup = dynamic_cast<const tk::PopUpButton*>(control))
    return representedObjectOfMenuItem(popup->selectedItem(), "optionKeyword");
  if (const auto* slider = dynamic_cast<const tk::Slider*>(control)) {
    const Array* choices = choicesOf(*slider);
    if (choices == nullptr) return {};
    const std::int64_t index = static_cast<std::int64_t>(choices->size()) - slider->intValue() - 1;
    if (index < 0 || index >= static_cast<std::int64_t>(choices->size())) return {};
    return (*choices)[static_cast<std::size_t>(index)];
  }
  if (isCheckBox(*control)) {
    const bool on = static_cast<const tk::Button*>(control)->state() == tk::ControlState::On;
    const Array* choices = choicesOf(*control);
    if (choices != nullptr && choices->size() >= 2) return (*choices)[on ? 1 : 0];
    return Value(on);
  }
  if (const auto* secure = dynamic_cast<const tk::SecureTextField*>(control))
    return Value(encryptString(kFieldScramblerKey, secure->stringValue()));
  if (const auto* field = dynamic_cast<const tk::TextField*>(control)) {
    const Value object = field->objectValue();
    return object.isString() ? object : Value(field->stringValue());
  }
  if (const auto* matrix = dynamic_cast<const tk::Matrix*>(control)) {
    const tk::ButtonCell* cell = matrix->selectedCell();
    return cell != nullptr ? cell->representedObject() : Value();
  }
  return {};
}

void PanePlugInMgr::_setValueToControl(tk::Control* control, const Value& value) const {
  if (control == nullptr || value.isNull()) return;
  if (auto* popup = dynamic_cast<tk::PopUpButton*>(control)) {
    const Value wanted(_stringFromObject(value));
    for (int i = 0; i < popup->numberOfItems(); ++i) {
      if (representedObjectOfMenuItem(popup->itemAtIndex(i), "optionKeyword") == wanted) {
        popup->selectItemAtIndex(i);
        return;
      }
    }
    return;
  }
  if (auto* slider = dynamic_cast<tk::Slider*>(control)) {
    const Array* choices = choicesOf(*slider);
    const std::int64_t index = indexOfChoice(choices, value);
    if (index >= 0) slider->setIntValue(static_cast<std::int64_t>(choices->size()) - index - 1);
    return;
  }
  if (isCheckBox(*control)) {
    auto* box = static_cast<tk::Button*>(control);
    const Array* choices = choicesOf(*control);
    const bool on = choices != nullptr && choices->size() >= 2 ? indexOfChoice(choices, value) > 0 : value.truth();
    box->setState(on ? tk::ControlState::On : tk::ControlState::Off);
    return;
  }
  if (auto* secure = dynamic_cast<tk::SecureTextField*>(control)) {
    secure->setStringValue(decryptString(kFieldScramblerKey, value.text()));
    return;
  }
  if (auto* field = dynamic_cast<tk::TextField*>(control)) {
    if (value.isString() && formatsWithEscapes(*field)) field->setObjectValue(value);
    else field->setStringValue(value.text());
    return;
  }
  if (auto* matrix = dynamic_cast<tk::Matrix*>(control)) {
    for (int row = 0; row < matrix->numberOfRows(); ++row) {
      for (int column = 0; column < matrix->numberOfColumns(); ++column) {
        const tk::ButtonCell* cell = matrix->cellAtRow(row, column);
        if (cell != nullptr && cell->representedObject() == value) {
          matrix->selectCellAtRow(row, column);
          return;
        }
      }
    }
  }
}

}  // namespace orval
