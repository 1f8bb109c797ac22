// DataSource: the data source and delegate of the tab tree, an outline that
// mirrors the nested tab views of a window (TabTreeItem nodes), and the
// check that no required text field on the shown tab is empty.
//
// The outline's root level is the tabs of the tab view beside it: the first
// tab view among the subviews of the outline's third enclosing view (its
// clip view, its scroll view, and the view that holds the scroll view and
// the tab view). The very first request for the number of root rows in the
// process answers 0 without looking (the window is still being set up);
// the owner reloads the outline once it is. A row shows its node's subtitle,
// else its title; selecting a row selects its tab and then its main child's.
// Rows are never edited.
//
// The root tab view and its tabs, and the first-request flag, are
// process-wide; the root nodes are owned by the data source.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/toolkit/outline_view.h"
#include "settings_ui/tab_tree_item.h"

namespace orval {

namespace tk {
class TabView;
}

class DataSource : public tk::OutlineViewDataSource, public tk::OutlineViewDelegate {
 public:
  // What a row without a node shows.
  static constexpr const char* kUnknownItemText = "item Unknown";

  // The root tab view found by the last root request (process-wide), or nullptr.
  static tk::TabView* rootTabView();
  // Test-only: forgets the process-wide root and the first-request flag.
  static void resetForTesting();

  // True when no enabled text control of tabView's shown tab (or of a tab nested in it) is empty.
  static bool checkNoEmptyField(tk::TabView* tabView);

  // Gives the nested tab views the tree stands for their own tabs back (true: the window shows plain
  // tabs, not the tree) or takes them away again (false, as at first).
  void setNestedTabsShown(bool shown) { _nestedTabViews.setTabsShown(shown); }

  // OutlineViewDataSource
  int numberOfChildrenOfItem(tk::OutlineView& outlineView, tk::OutlineItem item) override;
  tk::OutlineItem child(tk::OutlineView& outlineView, int index, tk::OutlineItem item) override;
  bool isItemExpandable(tk::OutlineView& outlineView, tk::OutlineItem item) override;
  Value objectValueForTableColumn(tk::OutlineView& outlineView, const tk::TableColumn* column,
                                  tk::OutlineItem item) override;

  // OutlineViewDelegate
  // Selects item's tab, then its main child's; always true.
  bool shouldSelectItem(tk::OutlineView& outlineView, tk::OutlineItem item) override;
  bool shouldEditTableColumn(tk::OutlineView& outlineView, const tk::TableColumn* column,
                             tk::OutlineItem item) override {
    return false;
  }
  bool selectionShouldChangeInOutlineView(tk::OutlineView& outlineView) override { return true; }
  void didClickTableColumn(tk::OutlineView& outlineView, const tk::TableColumn* column) override {}

 private:
  // The tab view beside outlineView (see above), or nullptr.
  static tk::TabView* _tabViewBeside(const tk::OutlineView& outlineView);

  // The nested tab views the nodes switched; declared first, as the nodes point to it.
  NestedTabViews _nestedTabViews;
  // The root nodes, made once per tab of the root tab view.
  std::map<const tk::TabViewItem*, std::unique_ptr<TabTreeItem>> _roots;
  tk::TabView* _rootsOf = nullptr;
};

}  // namespace orval
