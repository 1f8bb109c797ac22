#include "platform/toolkit/pop_up_button.h"

#include <algorithm>

namespace orval::tk {

PopUpButton::PopUpButton(Rect frame, bool pullsDown) : Control(frame), pullsDown_(pullsDown) {}

MenuItem* PopUpButton::itemAtIndex(int index) const {
  if (index < 0 || index >= numberOfItems()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

std::vector<MenuItem*> PopUpButton::itemArray() const {
  std::vector<MenuItem*> all;
  for (const auto& item : items_) all.push_back(item.get());
  return all;
}

std::vector<std::string> PopUpButton::itemTitles() const {
  std::vector<std::string> titles;
  for (const auto& item : items_) titles.push_back(item->title());
  return titles;
}

MenuItem* PopUpButton::itemWithTitle(const std::string& title) const { return itemAtIndex(indexOfItemWithTitle(title)); }

MenuItem* PopUpButton::lastItem() const { return items_.empty() ? nullptr : items_.back().get(); }

MenuItem& PopUpButton::insertAt(std::unique_ptr<MenuItem> item, int index) {
  index = std::clamp(index, 0, numberOfItems());
  MenuItem& ref = *item;
  items_.insert(items_.begin() + index, std::move(item));
  if (selected_ >= index) ++selected_;
  if (selected_ < 0 && !pullsDown_ && numberOfItems() == 1) selected_ = 0;
  return ref;
}

MenuItem& PopUpButton::addItemWithTitle(const std::string& title) {
  removeItemWithTitle(title);
  return insertAt(std::make_unique<MenuItem>(title), numberOfItems());
}

void PopUpButton::addItemsWithTitles(const std::vector<std::string>& titles) {
  for (const std::string& title : titles) addItemWithTitle(title);
}

MenuItem& PopUpButton::insertItemWithTitle(const std::string& title, int index) {
  const int existing = indexOfItemWithTitle(title);
  if (existing >= 0) {
    removeItemAtIndex(existing);
    if (existing < index) --index;
  }
  return insertAt(std::make_unique<MenuItem>(title), index);
}

MenuItem& PopUpButton::addItem(MenuItem item) {
  return insertAt(std::make_unique<MenuItem>(std::move(item)), numberOfItems());
}

MenuItem& PopUpButton::insertItem(MenuItem item, int index) {
  return insertAt(std::make_unique<MenuItem>(std::move(item)), index);
}

void PopUpButton::removeItemAtIndex(int index) {
  if (index < 0 || index >= numberOfItems()) return;
  items_.erase(items_.begin() + index);
  if (selected_ == index)
    selected_ = items_.empty() ? -1 : 0;
  else if (selected_ > index)
    --selected_;
}

void PopUpButton::removeItemWithTitle(const std::string& title) { removeItemAtIndex(indexOfItemWithTitle(title)); }

void PopUpButton::removeAllItems() {
  items_.clear();
  selected_ = -1;
}

bool PopUpButton::isItemEnabled(int index) const {
  const MenuItem* item = itemAtIndex(index);
  if (!item || item->isSeparatorItem()) return false;
  return autoenablesItems_ || item->isEnabled();
}

int PopUpButton::indexOfItem(const MenuItem* item) const {
  for (int i = 0; i < numberOfItems(); ++i)
    if (items_[static_cast<std::size_t>(i)].get() == item) return i;
  return -1;
}

int PopUpButton::indexOfItemWithTitle(const std::string& title) const {
  for (int i = 0; i < numberOfItems(); ++i)
    if (items_[static_cast<std::size_t>(i)]->title() == title) return i;
  return -1;
}

int PopUpButton::indexOfItemWithTag(long tag) const {
  for (int i = 0; i < numberOfItems(); ++i)
    if (items_[static_cast<std::size_t>(i)]->tag() == tag) return i;
  return -1;
}

int PopUpButton::indexOfItemWithRepresentedObject(const Value& object) const {
  for (int i = 0; i < numberOfItems(); ++i)
    if (items_[static_cast<std::size_t>(i)]->representedObject() == object) return i;
  return -1;
}

void PopUpButton::selectItemAtIndex(int index) { selected_ = (index >= 0 && index < numberOfItems()) ? index : -1; }

bool PopUpButton::selectItemWithTitle(const std::string& title) {
  const int index = indexOfItemWithTitle(title);
  if (index < 0) return false;
  selected_ = index;
  return true;
}

bool PopUpButton::selectItemWithTag(long tag) {
  const int index = indexOfItemWithTag(tag);
  if (index < 0) return false;
  selected_ = index;
  return true;
}

void PopUpButton::selectItem(const MenuItem* item) { selected_ = item ? indexOfItem(item) : -1; }

std::string PopUpButton::titleOfSelectedItem() const {
  const MenuItem* item = selectedItem();
  return item ? item->title() : std::string();
}

bool PopUpButton::chooseItemAtIndex(int index) {
  if (!isUsable() || !isItemEnabled(index) || itemAtIndex(index)->isHidden()) return false;
  selected_ = index;
  sendAction();
  return true;
}

}  // namespace orval::tk
