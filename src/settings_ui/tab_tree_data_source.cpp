#include "settings_ui/tab_tree_data_source.h"

#include "platform/toolkit/tab_view.h"
#include "settings_ui/kora_ui.h"

namespace orval {

namespace {

struct SharedState {
  tk::TabView* rootTabView = nullptr;
  std::vector<tk::TabViewItem*> rootItems;
  bool firstRequestAnswered = false;
};

SharedState& shared() {
  static SharedState state;
  return state;
}

TabTreeItem* nodeOf(tk::OutlineItem item) { return static_cast<TabTreeItem*>(item); }

}  // namespace

tk::TabView* DataSource::rootTabView() { return shared().rootTabView; }

void DataSource::resetForTesting() { shared() = SharedState(); }

tk::TabView* DataSource::_tabViewBeside(const tk::OutlineView& outlineView) {
  const tk::View* holder = outlineView.superview();
  for (int up = 1; up < 3 && holder != nullptr; ++up) holder = holder->superview();
  if (holder == nullptr) return nullptr;
  for (tk::View* subview : holder->subviews())
    if (subview->className() == "TabView") return dynamic_cast<tk::TabView*>(subview);
  return nullptr;
}

int DataSource::numberOfChildrenOfItem(tk::OutlineView& outlineView, tk::OutlineItem item) {
  if (item != nullptr) return std::max(nodeOf(item)->numberOfChildren(), 0);
  SharedState& state = shared();
  if (!state.firstRequestAnswered) {
    state.firstRequestAnswered = true;
    return 0;
  }
  state.rootTabView = _tabViewBeside(outlineView);
  state.rootItems = state.rootTabView != nullptr ? state.rootTabView->tabViewItems() : std::vector<tk::TabViewItem*>();
  return static_cast<int>(state.rootItems.size());
}

tk::OutlineItem DataSource::child(tk::OutlineView& outlineView, int index, tk::OutlineItem item) {
  if (item != nullptr) return nodeOf(item)->childAtIndex(index);
  const SharedState& state = shared();
  if (index < 0 || index >= static_cast<int>(state.rootItems.size())) return nullptr;
  // Nodes of another root tab view are of no use any more.
  if (_rootsOf != state.rootTabView) {
    _roots.clear();
    _nestedTabViews.clear();
    _rootsOf = state.rootTabView;
  }
  const tk::TabViewItem* tab = state.rootItems[static_cast<std::size_t>(index)];
  std::unique_ptr<TabTreeItem>& node = _roots[tab];
  if (!node) {
    node = TabTreeItem::setTabViewItem(tab, state.rootTabView);
    node->setNestedTabViews(&_nestedTabViews);
  }
  return node.get();
}

bool DataSource::isItemExpandable(tk::OutlineView& outlineView, tk::OutlineItem item) {
  return item == nullptr || nodeOf(item)->numberOfChildren() != -1;
}

Value DataSource::objectValueForTableColumn(tk::OutlineView& outlineView, const tk::TableColumn* column,
                                            tk::OutlineItem item) {
  if (item == nullptr) return Value(kUnknownItemText);
  const TabTreeItem* node = nodeOf(item);
  return Value(node->subTitleName().empty() ? node->titleName() : node->subTitleName());
}

bool DataSource::shouldSelectItem(tk::OutlineView& outlineView, tk::OutlineItem item) {
  if (item == nullptr) return true;
  TabTreeItem* node = nodeOf(item);
  node->selectme();
  if (TabTreeItem* main = node->child_main()) main->selectme();
  return true;
}

bool DataSource::checkNoEmptyField(tk::TabView* tabView) {
  const tk::TabViewItem* shown = tabView != nullptr ? tabView->selectedTabViewItem() : nullptr;
  if (shown == nullptr) return true;
  for (tk::View* subview : shown->view()->subviews()) {
    bool ok = true;
    if (subview->className().find("KORAUI") != std::string::npos) {
      if (const auto* control = dynamic_cast<const KORAUI*>(subview)) ok = control->isEmptycheck();
    } else if (subview->className() == "TabView") {
      ok = checkNoEmptyField(dynamic_cast<tk::TabView*>(subview));
    }
    if (!ok) return false;
  }
  return true;
}

}  // namespace orval
