#include "platform/toolkit/tab_view.h"

#include <algorithm>

namespace orval::tk {

TabViewItem::TabViewItem(Value identifier)
    : identifier_(std::move(identifier)), ownedView_(std::make_unique<View>()), view_(ownedView_.get()) {}

TabViewItem::~TabViewItem() = default;

void TabViewItem::setView(std::unique_ptr<View> view) {
  if (!view) view = std::make_unique<View>();
  TabView* holder = tabView_;
  const bool shown = holder && holder->selectedTabViewItem() == this;
  if (shown) view_->removeFromSuperview();  // the old view is destroyed here
  ownedView_ = std::move(view);
  view_ = ownedView_.get();
  if (shown) {
    view_->setFrame(holder->bounds());
    holder->addSubview(std::move(ownedView_));
  }
}

TabView::TabView(Rect frame) : View(frame) {}

TabView::~TabView() {
  // The shown tab's view is a subview; hand it back to its item first so
  // every view is destroyed exactly once, by its item.
  if (selected_) selected_->ownedView_ = selected_->view_->removeFromSuperview();
}

TabViewItem& TabView::addTabViewItem(std::unique_ptr<TabViewItem> item) {
  return insertTabViewItem(std::move(item), numberOfTabViewItems());
}

TabViewItem& TabView::insertTabViewItem(std::unique_ptr<TabViewItem> item, int index) {
  index = std::clamp(index, 0, numberOfTabViewItems());
  TabViewItem& ref = *item;
  ref.tabView_ = this;
  items_.insert(items_.begin() + index, std::move(item));
  if (!selected_) showSelected(&ref);
  return ref;
}

std::unique_ptr<TabViewItem> TabView::removeTabViewItem(TabViewItem* item) {
  const int index = indexOfTabViewItem(item);
  if (index < 0) return nullptr;
  if (selected_ == item) showSelected(nullptr);
  std::unique_ptr<TabViewItem> removed = std::move(items_[static_cast<std::size_t>(index)]);
  items_.erase(items_.begin() + index);
  removed->tabView_ = nullptr;
  if (!selected_ && !items_.empty()) showSelected(items_.front().get());
  return removed;
}

TabViewItem* TabView::tabViewItemAtIndex(int index) const {
  if (index < 0 || index >= numberOfTabViewItems()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

std::vector<TabViewItem*> TabView::tabViewItems() const {
  std::vector<TabViewItem*> all;
  for (const auto& item : items_) all.push_back(item.get());
  return all;
}

int TabView::indexOfTabViewItem(const TabViewItem* item) const {
  for (int i = 0; i < numberOfTabViewItems(); ++i)
    if (items_[static_cast<std::size_t>(i)].get() == item) return i;
  return -1;
}

int TabView::indexOfTabViewItemWithIdentifier(const Value& identifier) const {
  for (int i = 0; i < numberOfTabViewItems(); ++i)
    if (items_[static_cast<std::size_t>(i)]->identifier() == identifier) return i;
  return -1;
}

void TabView::showSelected(TabViewItem* item) {
  if (selected_) selected_->ownedView_ = selected_->view_->removeFromSuperview();
  selected_ = item;
  if (selected_) {
    selected_->view_->setFrame(bounds());
    addSubview(std::move(selected_->ownedView_));
  }
}

bool TabView::selectTabViewItem(TabViewItem* item) {
  if (!item || indexOfTabViewItem(item) < 0) return false;
  if (item == selected_) return true;
  if (delegate_ && !delegate_->shouldSelectTabViewItem(*this, *item)) return false;
  if (delegate_) delegate_->willSelectTabViewItem(*this, *item);
  showSelected(item);
  if (delegate_) delegate_->didSelectTabViewItem(*this, *item);
  return true;
}

bool TabView::selectTabViewItemAtIndex(int index) { return selectTabViewItem(tabViewItemAtIndex(index)); }

bool TabView::selectTabViewItemWithIdentifier(const Value& identifier) {
  return selectTabViewItem(tabViewItemAtIndex(indexOfTabViewItemWithIdentifier(identifier)));
}

bool TabView::selectFirstTabViewItem() { return selectTabViewItemAtIndex(0); }

bool TabView::selectLastTabViewItem() { return selectTabViewItemAtIndex(numberOfTabViewItems() - 1); }

bool TabView::selectNextTabViewItem() {
  return selectTabViewItemAtIndex(indexOfTabViewItem(selected_) + 1);
}

bool TabView::selectPreviousTabViewItem() {
  const int index = indexOfTabViewItem(selected_);
  return index > 0 && selectTabViewItemAtIndex(index - 1);
}

}  // namespace orval::tk
