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

void KORAUI::setEnabled(bool flag) {
  for (tk::Control* widget : _valueWidgets()) widget->setEnabled(flag);
  const tk::Color colour = flag ? tk::Color::controlTextColor() : disabledTextColor();
  for (tk::TextField* label : _labels()) label->setTextColor(colour);
}

void KORAUI::setEnabled(bool flag, const std::string& from) {
  if (!flag) {
    if (!containsSource(_theNameOfDisabledKey, from)) _theNameOfDisabledKey.push_back(from);
    setEnabled(false);
    return;
  }
  if (_theNameOfDisabledKey.empty()) {
    setEnabled(true);
    return;
  }
  if (const auto it = std::find(_theNameOfDisabledKey.begin(), _theNameOfDisabledKey.end(), from);
      it != _theNameOfDisabledKey.end())
    _theNameOfDisabledKey.erase(it);
  if (_theNameOfDisabledKey.empty()) setEnabled(true);
}

void KORAUI::setEnabledPositively(bool flag, const std::string& from) {
  if (flag) {
    if (!containsSource(_theNameOfEnabledKey, from)) _theNameOfEnabledKey.push_back(from);
    setEnabled(true, kLogicalSumSource);
    return;
  }
  if (const auto it = std::find(_theNameOfEnabledKey.begin(), _theNameOfEnabledKey.end(), from);
      it != _theNameOfEnabledKey.end()) {
    _theNameOfEnabledKey.erase(it);
    if (!_theNameOfEnabledKey.empty()) return;  // another source still enables the control
  } else if (!_theNameOfEnabledKey.empty()) {
    return;
  }
  setEnabled(false, kLogicalSumSource);
}

void KORAUI::setEnabledByDictionary(const Dict& dictionary) {
  if (_popupButton == nullptr) return;
  tk::PopUpButton& popup = *_popupButton;
  popup.setAutoenablesItems(false);
  for (int i = 0; i < popup.numberOfItems(); ++i) {
    tk::MenuItem* item = popup.itemAtIndex(i);
    if (item->isSeparatorItem()) continue;
    const Value* entry = dictionary.find(item->representedObject().text());
    item->setEnabled(entry != nullptr && boolValueIfString(*entry));
  }
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
  for (tk::View* widget : _allWidgets()) widget->setHidden(flag);
}

bool KORAUI::isHidden() const {
  const std::vector<tk::Control*> widgets = _valueWidgets();
  return widgets.empty() ? true : widgets.front()->isHidden();
}

bool KORAUI::isEnabled() const {
  const std::vector<tk::Control*> widgets = _valueWidgets();
  return widgets.empty() ? true : widgets.front()->isEnabled();
}

void KORAUI::disableForPDE() {
  if (_radioButtonMatrix == nullptr) return;
  for (tk::ButtonCell* cell : _radioButtonMatrix->cells())
    if (_disableForPDE.contains(cell->representedObject())) cell->setEnabled(false);
}

bool KORAUI::isEmptycheck() const {
  return !(_text != nullptr && _text->isEnabled() && _text->stringValue().empty());
}

}  // namespace orval
