// TabTreeItem: one node of the tab tree, the system's TabViewItem (named
// apart from the toolkit's tk::TabViewItem, the tab of a tab view, which a
// node stands for).
//
// The tab tree is an outline that mirrors a window's nested tab views, so
// that the person can jump to any tab, however deeply nested, by selecting a
// row (DataSource serves it). A node stands for one tab of one tab view; its
// children, built on demand, are the tabs of the tab view that its tab shows
// (the last visible-focus tab view among the tab's subviews), which is then
// switched to the style without tabs and border: the outline replaces them.
// Two identifiers of a nested tab change how it is listed:
// - "parent_main": the tab stands for the tab that holds it; its node is the
//   parent's main child, hidden, and selecting the parent selects it too;
// - "TabNotSupport": the tab is not listed; its own nested tabs are, one level
//   up, as leaf copies of it carrying the nested tabs' titles as subtitles.
// Building the children selects tabs to look into them and puts every
// selection back afterwards.
//
// A node does not own its tab view, its parent or its main child; it owns
// its children. The tab views must outlive the nodes.
//
// Nodes of one tree may share a NestedTabViews: then the nested tab views
// they switch are recorded there with the style they had, so that a window
// which also offers plain tabs can show their tabs again (and building a
// node while tabs are shown leaves them shown).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orval {

namespace tk {
class TabView;
class TabViewItem;
enum class TabViewType;
}  // namespace tk

// The nested tab views a tab tree stands for, with their own styles; see above.
class NestedTabViews {
 public:
  // Records view (its style on first sight) and gives it the current style.
  void take(tk::TabView* view);
  // Shows (true) or hides every recorded view's tabs; later takes follow.
  void setTabsShown(bool shown);
  bool tabsShown() const { return _shown; }
  // Forgets every view (they belong to a window that is gone).
  void clear() { _styles.clear(); }

 private:
  void _apply(tk::TabView* view, tk::TabViewType own) const;

  std::map<tk::TabView*, tk::TabViewType> _styles;
  bool _shown = false;
};

class TabTreeItem {
 public:
  // The identifiers of nested tabs that are listed differently (see above).
  static constexpr const char* kParentMainIdentifier = "parent_main";
  static constexpr const char* kTabNotSupportIdentifier = "TabNotSupport";

  // A node for tab (titled with its label) under parent (none for a root).
  TabTreeItem(const tk::TabViewItem* tab, TabTreeItem* parent);
  // A root node for tab of view.
  static std::unique_ptr<TabTreeItem> setTabViewItem(const tk::TabViewItem* tab, tk::TabView* view);
  // A copy with the same tab view, index, title, parent and main child (no children, flags clear).
  std::unique_ptr<TabTreeItem> copy() const;

  const std::string& titleName() const { return _titlename; }
  void setTitleName(std::string title) { _titlename = std::move(title); }
  // The label shown instead of the title (flattened leaves); "" for none.
  const std::string& subTitleName() const { return _subtitlename; }
  void setSubTitleName(std::string subtitle) { _subtitlename = std::move(subtitle); }
  tk::TabView* tabview() const { return _tabview; }
  void setTabView(tk::TabView* view) { _tabview = view; }
  TabTreeItem* parent() const { return _parent; }
  void setParent(TabTreeItem* parent) { _parent = parent; }
  TabTreeItem* child_main() const { return _child_main; }
  void setChild_main(TabTreeItem* child) { _child_main = child; }
  int index() const { return _myIndex; }
  void setIndex(int index) { _myIndex = index; }
  bool isHidden() const { return _isHidden; }
  void setHidden(bool hidden) { _isHidden = hidden; }
  bool isLeafNode() const { return _isLeafNode; }
  void setLeafNode(bool leaf) { _isLeafNode = leaf; }
  // The record of switched tab views the node and the children it builds share; nullptr: none kept.
  void setNestedTabViews(NestedTabViews* record) { _nestedTabViews = record; }
  // Replaces the children (none: the node has no nested tab view).
  void setChildren(std::optional<std::vector<std::unique_ptr<TabTreeItem>>> children);

  // The listed children, built on the first call; nullptr when the node's tab shows no nested tab view.
  const std::vector<std::unique_ptr<TabTreeItem>>* children();
  // -1 for a leaf or a node without nested tab view, else the listed children that are not hidden.
  int numberOfChildren();
  // Child i, skipping one hidden child among 0 ... i; nullptr out of range.
  TabTreeItem* childAtIndex(int i);
  // Selects the node's tab (its parent's first) and redraws it; a node with
  // children and index n > 0 also has child n - 1's tab view select its tab n - 1.
  void selectme();
  // Saves the selected tab of the node's tab view and of each parent's, innermost first.
  void tabBackup();
  // Selects the saved tabs again.
  void tabRestore();

 private:
  // Selects the parents' tabs and then the node's own.
  void _selectTab();
  // Builds the children (see above).
  void _buildChildren();

  std::string _titlename;
  std::string _subtitlename;
  tk::TabView* _tabview = nullptr;
  int _myIndex = 0;
  bool _isHidden = false;
  bool _isLeafNode = false;
  TabTreeItem* _parent = nullptr;
  TabTreeItem* _child_main = nullptr;
  bool _childrenBuilt = false;
  std::optional<std::vector<std::unique_ptr<TabTreeItem>>> _children;
  // Nested tabs that are not listed ("TabNotSupport"): kept for their copies' main children.
  std::vector<std::unique_ptr<TabTreeItem>> _unlisted;
  std::vector<std::pair<tk::TabView*, int>> _backup;
  NestedTabViews* _nestedTabViews = nullptr;
};

}  // namespace orval
