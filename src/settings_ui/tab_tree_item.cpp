#include "settings_ui/tab_tree_item.h"

#include "platform/toolkit/tab_view.h"

namespace orval {

namespace {

// The tab view that tab shows: the last tab view among its view's subviews
// whose focus ring is not switched off; nullptr when there is none.
tk::TabView* nestedTabViewOf(const tk::TabViewItem* tab) {
  if (tab == nullptr) return nullptr;
  tk::TabView* found = nullptr;
  for (tk::View* subview : tab->view()->subviews()) {
    if (subview->className() != "TabView" || subview->focusRingType() == tk::FocusRingType::None) continue;
    if (auto* tabs = dynamic_cast<tk::TabView*>(subview)) found = tabs;
  }
  return found;
}

// The tab of view labelled title, or nullptr.
tk::TabViewItem* tabLabelled(const tk::TabView* view, const std::string& title) {
  if (view == nullptr) return nullptr;
  for (tk::TabViewItem* item : view->tabViewItems())
    if (item->label() == title) return item;
  return nullptr;
}

}  // namespace

void NestedTabViews::take(tk::TabView* view) {
  const auto [at, first] = _styles.try_emplace(view, view->tabViewType());
  _apply(view, at->second);
}

void NestedTabViews::setTabsShown(bool shown) {
  _shown = shown;
  for (const auto& [view, own] : _styles) _apply(view, own);
}

void NestedTabViews::_apply(tk::TabView* view, tk::TabViewType own) const {
  view->setTabViewType(_shown ? own : tk::TabViewType::NoTabsNoBorder);
}

TabTreeItem::TabTreeItem(const tk::TabViewItem* tab, TabTreeItem* parent)
    : _titlename(tab != nullptr ? tab->label() : std::string()), _parent(parent) {}

std::unique_ptr<TabTreeItem> TabTreeItem::setTabViewItem(const tk::TabViewItem* tab, tk::TabView* view) {
  auto node = std::make_unique<TabTreeItem>(tab, nullptr);
  node->setTabView(view);
  return node;
}

std::unique_ptr<TabTreeItem> TabTreeItem::copy() const {
  auto copied = std::make_unique<TabTreeItem>(nullptr, _parent);
  copied->_tabview = _tabview;
  copied->_myIndex = _myIndex;
  copied->_titlename = _titlename;
  copied->_child_main = _child_main;
  copied->_nestedTabViews = _nestedTabViews;
  return copied;
}

void TabTreeItem::setChildren(std::optional<std::vector<std::unique_ptr<TabTreeItem>>> children) {
  _children = std::move(children);
  _childrenBuilt = true;
}

const std::vector<std::unique_ptr<TabTreeItem>>* TabTreeItem::children() {
  if (!_childrenBuilt) _buildChildren();
  return _children ? &*_children : nullptr;
}

void TabTreeItem::_buildChildren() {
  _childrenBuilt = true;
  const int remembered = _tabview != nullptr ? _tabview->indexOfTabViewItem(_tabview->selectedTabViewItem()) : -1;
  tabBackup();
  _selectTab();
  const auto restore = [this, remembered] {
    tabRestore();
    if (_tabview != nullptr && remembered >= 0) _tabview->selectTabViewItemAtIndex(remembered);
  };

  tk::TabView* nested = nestedTabViewOf(_tabview != nullptr ? _tabview->selectedTabViewItem() : nullptr);
  if (nested == nullptr) {
    restore();
    return;
  }
  // The outline stands for the nested tabs.
  if (_nestedTabViews != nullptr) _nestedTabViews->take(nested);
  else nested->setTabViewType(tk::TabViewType::NoTabsNoBorder);
  std::vector<std::unique_ptr<TabTreeItem>> listed;
  for (tk::TabViewItem* tab : nested->tabViewItems()) {
    auto node = std::make_unique<TabTreeItem>(tab, this);
    node->setTabView(nested);
    node->setNestedTabViews(_nestedTabViews);
    const std::string* identifier = tab->identifier().asString();
    if (identifier != nullptr && *identifier == kParentMainIdentifier) {
      node->setHidden(true);
      _child_main = node.get();
      listed.push_back(std::move(node));
    } else if (identifier != nullptr && *identifier == kTabNotSupportIdentifier) {
      const int count = node->numberOfChildren();
      for (int i = 1; i <= count; ++i) {
        std::unique_ptr<TabTreeItem> flat = node->copy();
        flat->setIndex(i);
        if (const TabTreeItem* shown = node->childAtIndex(i - 1)) flat->setSubTitleName(shown->titleName());
        flat->setLeafNode(true);
        listed.push_back(std::move(flat));
      }
      _unlisted.push_back(std::move(node));
    } else {
      listed.push_back(std::move(node));
    }
  }
  _children = std::move(listed);
  restore();
}

int TabTreeItem::numberOfChildren() {
  if (_isLeafNode) return -1;
  const std::vector<std::unique_ptr<TabTreeItem>>* listed = children();
  if (listed == nullptr) return -1;
  int count = 0;
  for (const auto& child : *listed)
    if (!child->isHidden()) ++count;
  return count;
}

TabTreeItem* TabTreeItem::childAtIndex(int i) {
  const std::vector<std::unique_ptr<TabTreeItem>>* listed = children();
  if (listed == nullptr || i < 0) return nullptr;
  bool skipped = false;
  for (int k = 0; k <= i && k < static_cast<int>(listed->size()); ++k)
    if ((*listed)[static_cast<std::size_t>(k)]->isHidden()) skipped = true;
  const std::size_t at = static_cast<std::size_t>(skipped ? i + 1 : i);
  return at < listed->size() ? (*listed)[at].get() : nullptr;
}

void TabTreeItem::_selectTab() {
  if (_parent != nullptr) _parent->_selectTab();
  if (tk::TabViewItem* tab = tabLabelled(_tabview, _titlename)) {
    _tabview->selectTabViewItem(tab);
    _tabview->setNeedsDisplay();
  }
}

void TabTreeItem::selectme() {
  if (_parent != nullptr) _parent->selectme();
  if (tk::TabViewItem* tab = tabLabelled(_tabview, _titlename)) {
    _tabview->selectTabViewItem(tab);
    _tabview->setNeedsDisplay();
  }
  if (_myIndex <= 0) return;
  const std::vector<std::unique_ptr<TabTreeItem>>* listed = children();
  if (listed == nullptr || _myIndex - 1 >= static_cast<int>(listed->size())) return;
  const TabTreeItem& shown = *(*listed)[static_cast<std::size_t>(_myIndex - 1)];
  if (shown._tabview != nullptr) shown._tabview->selectTabViewItemAtIndex(_myIndex - 1);
}

void TabTreeItem::tabBackup() {
  _backup.clear();
  for (const TabTreeItem* node = this; node != nullptr; node = node->_parent) {
    if (node->_tabview == nullptr) continue;
    _backup.emplace_back(node->_tabview, node->_tabview->indexOfTabViewItem(node->_tabview->selectedTabViewItem()));
  }
}

void TabTreeItem::tabRestore() {
  // Outermost first: an inner tab view is shown again before its tab is put back.
  for (auto it = _backup.rbegin(); it != _backup.rend(); ++it)
    if (it->second >= 0) it->first->selectTabViewItemAtIndex(it->second);
}

}  // namespace orval
