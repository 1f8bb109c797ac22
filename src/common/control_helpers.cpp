#include "common/control_helpers.h"

namespace orval {

bool selectWithTitle(tk::PopUpButton* popup, const std::string& title, int fallbackIndex) {
  if (popup == nullptr) return false;
  if (popup->selectItemWithTitle(title)) return true;
  if (fallbackIndex >= 0 && fallbackIndex < popup->numberOfItems()) popup->selectItemAtIndex(fallbackIndex);
  return false;
}

Value representedObjectOfSelectedItem(const tk::PopUpButton* popup) {
  if (popup == nullptr) return {};
  const tk::MenuItem* item = popup->selectedItem();
  return item != nullptr ? item->representedObject() : Value();
}

bool isOnAndEnabled(const tk::Button* button) {
  return button != nullptr && button->state() == tk::ControlState::On && button->isEnabled();
}

std::string stringByDeletingControlTitleSuffix(std::string_view text) {
  if (text.ends_with(':')) text.remove_suffix(1);
  return std::string(text);
}

std::string controlTitleString(std::string_view text) {
  std::string title(text);
  title += ':';
  return title;
}

void setTitleString(tk::TextField* field, std::string_view text) {
  if (field == nullptr) return;
  field->setStringValue(controlTitleString(text));
}

Value representedObjectForKey(const tk::Control* control, std::string_view key) {
  if (control == nullptr) return {};
  const Dict* represented = control->representedObject().asDict();
  if (represented == nullptr) return {};
  const Value* entry = represented->find(key);
  return entry != nullptr ? *entry : Value();
}

bool setBrowserCellToColumn(tk::TableView* table, const std::string& columnIdentifier) {
  if (table == nullptr) return false;
  tk::TableColumn* column = table->tableColumnWithIdentifier(columnIdentifier);
  if (column == nullptr) return false;
  column->setDataCell(tk::TableCell::browserCell(/*leaf=*/true, /*wraps=*/true));
  return true;
}

}  // namespace orval
