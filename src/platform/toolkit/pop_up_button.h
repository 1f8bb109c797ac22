// PopUpButton: a pop-up menu of items, one of them selected.
//
// With autoenablesItems on (the default) every item is enabled whatever its
// own flag; switched off, each item's flag decides. Adding or inserting an
// item by title first removes an item of the same title, as the platform
// does. The first item added to an empty pop-up becomes the selected one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/control.h"
#include "platform/toolkit/menu_item.h"

namespace orval::tk {

class PopUpButton : public Control {
 public:
  explicit PopUpButton(Rect frame = {}, bool pullsDown = false);

  std::string className() const override { return "PopUpButton"; }

  bool pullsDown() const { return pullsDown_; }
  void setPullsDown(bool pullsDown) { pullsDown_ = pullsDown; }
  bool isBordered() const { return bordered_; }
  void setBordered(bool bordered) { bordered_ = bordered; }
  bool autoenablesItems() const { return autoenablesItems_; }
  void setAutoenablesItems(bool autoenables) { autoenablesItems_ = autoenables; }

  // Items ----------------------------------------------------------------------

  int numberOfItems() const { return static_cast<int>(items_.size()); }
  // The item at index, or nullptr when out of range.
  MenuItem* itemAtIndex(int index) const;
  std::vector<MenuItem*> itemArray() const;
  std::vector<std::string> itemTitles() const;
  // The item with the title, or nullptr.
  MenuItem* itemWithTitle(const std::string& title) const;
  MenuItem* lastItem() const;
  // Adds an item with title at the end (replacing one of the same title); answers it.
  MenuItem& addItemWithTitle(const std::string& title);
  void addItemsWithTitles(const std::vector<std::string>& titles);
  // Inserts an item with title at index (clamped; replacing one of the same title); answers it.
  MenuItem& insertItemWithTitle(const std::string& title, int index);
  // Adds a ready item (separators included) at the end, keeping any of the same title; answers it.
  MenuItem& addItem(MenuItem item);
  // Inserts a ready item at index (clamped); answers it.
  MenuItem& insertItem(MenuItem item, int index);
  void removeItemAtIndex(int index);
  void removeItemWithTitle(const std::string& title);
  void removeAllItems();

  // True when the item at index can be chosen: not a separator, and enabled
  // (always, while the pop-up enables items itself).
  bool isItemEnabled(int index) const;

  // Finding --------------------------------------------------------------------

  int indexOfItem(const MenuItem* item) const;
  int indexOfItemWithTitle(const std::string& title) const;
  int indexOfItemWithTag(long tag) const;
  int indexOfItemWithRepresentedObject(const Value& object) const;

  // Selection ------------------------------------------------------------------

  // Selects the item at index; -1 (or any index out of range) selects nothing.
  void selectItemAtIndex(int index);
  // Selects the first item with the title; false (selection unchanged) when none has it.
  bool selectItemWithTitle(const std::string& title);
  // Selects the first item with the tag; false (selection unchanged) when none has it.
  bool selectItemWithTag(long tag);
  // Selects item (nullptr selects nothing).
  void selectItem(const MenuItem* item);
  int indexOfSelectedItem() const { return selected_; }
  MenuItem* selectedItem() const { return itemAtIndex(selected_); }
  // The selected item's title, or "".
  std::string titleOfSelectedItem() const;

  // The person chooses the item at index: refused (false) when the pop-up is
  // disabled or hidden or the item cannot be chosen; otherwise it is selected
  // and the action is sent.
  bool chooseItemAtIndex(int index);

  // The value is the index of the selected item.
  Value objectValue() const override { return Value(selected_); }
  void setObjectValue(const Value& value) override { selectItemAtIndex(static_cast<int>(value.intValue())); }
  // The selected item's title.
  std::string stringValue() const override { return titleOfSelectedItem(); }
  void setStringValue(const std::string& title) override { selectItemWithTitle(title); }

 private:
  MenuItem& insertAt(std::unique_ptr<MenuItem> item, int index);

  std::vector<std::unique_ptr<MenuItem>> items_;
  int selected_ = -1;
  bool pullsDown_;
  bool bordered_ = true;
  bool autoenablesItems_ = true;
};

}  // namespace orval::tk
