// TabView and TabViewItem: tabs, each with an identifier, a label and a view.
//
// As on the platform, only the selected tab's view is a subview of the tab
// view; the others are kept by their items. The first tab added is selected.
// Selecting asks the delegate first and tells it afterwards.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/value.h"
#include "platform/toolkit/view.h"

namespace orval::tk {

class TabView;

class TabViewItem {
 public:
  // A tab with an identifier and an empty view.
  explicit TabViewItem(Value identifier = {});
  ~TabViewItem();
  TabViewItem(const TabViewItem&) = delete;
  TabViewItem& operator=(const TabViewItem&) = delete;

  const Value& identifier() const { return identifier_; }
  void setIdentifier(Value identifier) { identifier_ = std::move(identifier); }
  const std::string& label() const { return label_; }
  void setLabel(std::string label) { label_ = std::move(label); }
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string toolTip) { toolTip_ = std::move(toolTip); }
  // The tab's view (never nullptr).
  View* view() const { return view_; }
  // Replaces the tab's view (the old one is destroyed).
  void setView(std::unique_ptr<View> view);
  // The tab view holding this tab, or nullptr.
  TabView* tabView() const { return tabView_; }

 private:
  friend class TabView;
  Value identifier_;
  std::string label_;
  std::string toolTip_;
  // Owned while the tab is not selected; lent to the tab view while it is.
  std::unique_ptr<View> ownedView_;
  View* view_ = nullptr;
  TabView* tabView_ = nullptr;
};

class TabViewDelegate {
 public:
  virtual ~TabViewDelegate() = default;
  // False keeps the current tab.
  virtual bool shouldSelectTabViewItem(TabView& tabView, TabViewItem& item) { return true; }
  virtual void willSelectTabViewItem(TabView& tabView, TabViewItem& item) {}
  virtual void didSelectTabViewItem(TabView& tabView, TabViewItem& item) {}
};

enum class TabViewType { TopTabsBezelBorder, LeftTabsBezelBorder, BottomTabsBezelBorder,
                         RightTabsBezelBorder, NoTabsBezelBorder, NoTabsLineBorder, NoTabsNoBorder };

class TabView : public View {
 public:
  explicit TabView(Rect frame = {});
  ~TabView() override;

  std::string className() const override { return "TabView"; }

  TabViewType tabViewType() const { return type_; }
  void setTabViewType(TabViewType type) { type_ = type; }
  bool drawsBackground() const { return drawsBackground_; }
  void setDrawsBackground(bool draws) { drawsBackground_ = draws; }
  TabViewDelegate* delegate() const { return delegate_; }
  // Sets the delegate (not owned).
  void setDelegate(TabViewDelegate* delegate) { delegate_ = delegate; }

  // Tabs -----------------------------------------------------------------------

  // Adds a tab at the end; answers it.
  TabViewItem& addTabViewItem(std::unique_ptr<TabViewItem> item);
  // Inserts a tab at index (clamped); answers it.
  TabViewItem& insertTabViewItem(std::unique_ptr<TabViewItem> item, int index);
  // Removes a tab and hands it back (nullptr when it is not here); removing
  // the selected tab selects the first remaining one.
  std::unique_ptr<TabViewItem> removeTabViewItem(TabViewItem* item);
  int numberOfTabViewItems() const { return static_cast<int>(items_.size()); }
  // The tab at index, or nullptr.
  TabViewItem* tabViewItemAtIndex(int index) const;
  std::vector<TabViewItem*> tabViewItems() const;
  int indexOfTabViewItem(const TabViewItem* item) const;
  // The index of the first tab with the identifier, or -1.
  int indexOfTabViewItemWithIdentifier(const Value& identifier) const;

  // Selection ------------------------------------------------------------------

  TabViewItem* selectedTabViewItem() const { return selected_; }
  // Selects item (asking the delegate); false when refused or not here.
  bool selectTabViewItem(TabViewItem* item);
  bool selectTabViewItemAtIndex(int index);
  bool selectTabViewItemWithIdentifier(const Value& identifier);
  bool selectFirstTabViewItem();
  bool selectLastTabViewItem();
  bool selectNextTabViewItem();
  bool selectPreviousTabViewItem();

 private:
  void showSelected(TabViewItem* item);

  std::vector<std::unique_ptr<TabViewItem>> items_;
  TabViewItem* selected_ = nullptr;
  TabViewType type_ = TabViewType::TopTabsBezelBorder;
  bool drawsBackground_ = true;
  TabViewDelegate* delegate_ = nullptr;
};

}  // namespace orval::tk
