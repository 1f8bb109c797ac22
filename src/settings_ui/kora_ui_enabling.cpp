// Enabling and visibility of a KORAUI: plain, reference-counted by source
// keyword, logical-sum, per pop-up item, and hiding.
#include <algorithm>

#include "common/bool_string.h"
#include "common/control_enabling.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_internal.h"

namespace orval {

using namespace kora_ui_detail;

namespace {

// The source that setEnabledPositively enables and disables through.
constexpr const char* kLogicalSumSource = "logical_sum_condition";

bool containsSource(const std::vector<std::string>& list, const std::string& source) {
  return std::find(list.begin(), list.end(), source) != list.end();
}

}  // namespace

template <class Visit>
void KORAUI::_forEachValueWidget(Visit&& visit) const {
  for (tk::Control* c : {static_cast<tk::Control*>(_checkbox), static_cast<tk::Control*>(_popupButton),
                         static_cast<tk::Control*>(_radioButtonMatrix), static_cast<tk::Control*>(_text),
                         static_cast<tk::Control*>(_stepper), static_cast<tk::Control*>(_slider),
                         static_cast<tk::Control*>(_button)})
    if (c != nullptr) visit(*c);
  for (tk::DatePicker* picker : _datePickers) visit(*picker);
}

template <class Visit>
void KORAUI::_forEachLabel(Visit&& visit) const {
  for (tk::TextField* l : {_titleText, _descText, _headText, _headTitleText, _groupTitleText, _sliderStartLavelText,
                           _sliderEndLavelText})
    if (l != nullptr) visit(*l);
  for (tk::TextField* l : _sliderLavelTextArray) visit(*l);
}

void KORAUI::setEnabled(bool flag) {
  static const tk::Color enabledColour = tk::Color::controlTextColor();
  const tk::Color& colour = flag ? enabledColour : disabledTextColor();
  bool changed = false;
  _forEachValueWidget([&](tk::Control& widget) {
    if (widget.isEnabled() == flag) return;
    widget.setEnabled(flag);
    changed = true;
  });
  _forEachLabel([&](tk::TextField& label) {
    if (label.textColor() == colour) return;
    label.setTextColor(colour);
    changed = true;
  });
  if (changed) _didChange(KORAUIChange::Enabling);
}

void KORAUI::setEnabled(bool flag, const std::string& from) {
  if (!flag) {
    if (!containsSource(_theNameOfDisabledKey, from)) {
      _theNameOfDisabledKey.push_back(from);
      _didChange(KORAUIChange::Enabling);
    }
    setEnabled(false);
    return;
  }
  if (_theNameOfDisabledKey.empty()) {
    setEnabled(true);
    return;
  }
  if (const auto it = std::find(_theNameOfDisabledKey.begin(), _theNameOfDisabledKey.end(), from);
      it != _theNameOfDisabledKey.end()) {
    _theNameOfDisabledKey.erase(it);
    _didChange(KORAUIChange::Enabling);
  }
  if (_theNameOfDisabledKey.empty()) setEnabled(true);
}

void KORAUI::setEnabledPositively(bool flag, const std::string& from) {
  if (flag) {
    if (!containsSource(_theNameOfEnabledKey, from)) {
      _theNameOfEnabledKey.push_back(from);
      _didChange(KORAUIChange::Enabling);
    }
    setEnabled(true, kLogicalSumSource);
    return;
  }
  if (const auto it = std::find(_theNameOfEnabledKey.begin(), _theNameOfEnabledKey.end(), from);
      it != _theNameOfEnabledKey.end()) {
    _theNameOfEnabledKey.erase(it);
    _didChange(KORAUIChange::Enabling);
    if (!_theNameOfEnabledKey.empty()) return;  // another source still enables the control
  } else if (!_theNameOfEnabledKey.empty()) {
    return;
  }
  setEnabled(false, kLogicalSumSource);
}

void KORAUI::setEnabledByDictionary(const Dict& dictionary) {
  if (_popupButton == nullptr) return;
  tk::PopUpButton& popup = *_popupButton;
  bool changed = popup.autoenablesItems();
  popup.setAutoenablesItems(false);
  for (int i = 0; i < popup.numberOfItems(); ++i) {
    tk::MenuItem* item = popup.itemAtIndex(i);
    if (item->isSeparatorItem()) continue;
    const Value* entry = dictionary.find(item->representedObject().text());
    const bool enabled = entry != nullptr && boolValueIfString(*entry);
    if (item->isEnabled() == enabled) continue;
    item->setEnabled(enabled);
    changed = true;
  }
  if (changed) _didChange(KORAUIChange::Enabling);
  const int selected = popup.indexOfSelectedItem();
  if (selected >= 0 && popup.isItemEnabled(selected)) return;
  for (int i = 0; i < popup.numberOfItems(); ++i) {
    if (!popup.isItemEnabled(i)) continue;
    popup.selectItemAtIndex(i);
    popupButtonAction(popup);
    return;
  }
}

void KORAUI::setEnabledChildControl(bool flag) {
  for (KORAUI* child : _childControls) child->setEnabled(flag);
}

void KORAUI::setHidden(bool flag) {
  // Every subview but the children.
  for (std::size_t i = 0; i < subviewCount(); ++i) {
    tk::View* widget = subviewAt(i);
    if (std::find(_childControls.begin(), _childControls.end(), widget) == _childControls.end())
      widget->setHidden(flag);
  }
}

// The first existing value widget, in the order isHidden / isEnabled read them.
const tk::Control* KORAUI::_firstValueWidget() const {
  const tk::Control* first = nullptr;
  _forEachValueWidget([&first](const tk::Control& widget) {
    if (first == nullptr) first = &widget;
  });
  return first;
}

bool KORAUI::isHidden() const {
  const tk::Control* first = _firstValueWidget();
  return first == nullptr ? true : first->isHidden();
}

bool KORAUI::isEnabled() const {
  const tk::Control* first = _firstValueWidget();
  return first == nullptr ? true : first->isEnabled();
}

void KORAUI::disableForPDE() {
  if (_radioButtonMatrix == nullptr) return;
  bool changed = false;
  for (tk::ButtonCell* cell : _radioButtonMatrix->cells()) {
    if (!cell->isEnabled() || !_disableForPDE.contains(cell->representedObject())) continue;
    cell->setEnabled(false);
    changed = true;
  }
  if (changed) _didChange(KORAUIChange::Enabling);
}

bool KORAUI::isEmptycheck() const {
  return !(_text != nullptr && _text->isEnabled() && _text->stringValue().empty());
}

}  // namespace orval
