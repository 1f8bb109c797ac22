#include "platform/toolkit/tab_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace orval::tk {
namespace {

std::unique_ptr<TabViewItem> tab(const char* identifier, const char* label) {
  auto item = std::make_unique<TabViewItem>(Value(identifier));
  item->setLabel(label);
  return item;
}

class Refusing : public TabViewDelegate {
 public:
  std::vector<std::string> selected;
  bool shouldSelectTabViewItem(TabView&, TabViewItem& item) override { return item.label() != "Locked"; }
  void didSelectTabViewItem(TabView&, TabViewItem& item) override { selected.push_back(item.label()); }
};

TEST(TabViewTest, OnlyTheSelectedTabsViewIsASubview) {
  TabView tabs({0, 0, 200, 100});
  TabViewItem& basic = tabs.addTabViewItem(tab("basic", "Basic"));
  TabViewItem& finish = tabs.addTabViewItem(tab("finish", "Finishing"));
  EXPECT_EQ(tabs.selectedTabViewItem(), &basic);  // the first tab added
  EXPECT_EQ(tabs.subviews(), (std::vector<View*>{basic.view()}));
  ASSERT_TRUE(tabs.selectTabViewItemWithIdentifier(Value("finish")));
  EXPECT_EQ(std::tuple(tabs.subviews(), finish.view()->frame(), basic.view()->superview()),
            std::tuple(std::vector<View*>{finish.view()}, Rect{0, 0, 200, 100}, nullptr));
  EXPECT_EQ(tabs.indexOfTabViewItemWithIdentifier(Value("none")), -1);
  EXPECT_FALSE(tabs.selectTabViewItemWithIdentifier(Value("none")));
  EXPECT_EQ(tabs.selectedTabViewItem(), &finish);
}

TEST(TabViewTest, DelegateMayRefuseAndHearsEachSelection) {
  TabView tabs;
  Refusing delegate;
  tabs.setDelegate(&delegate);
  tabs.addTabViewItem(tab("a", "First"));
  tabs.addTabViewItem(tab("b", "Locked"));
  tabs.addTabViewItem(tab("c", "Third"));
  EXPECT_FALSE(tabs.selectTabViewItemAtIndex(1));
  EXPECT_EQ(tabs.indexOfTabViewItem(tabs.selectedTabViewItem()), 0);
  EXPECT_TRUE(tabs.selectLastTabViewItem());
  EXPECT_FALSE(tabs.selectNextTabViewItem());
  EXPECT_TRUE(tabs.selectFirstTabViewItem());
  EXPECT_EQ(delegate.selected, (std::vector<std::string>{"Third", "First"}));
}

TEST(TabViewTest, RemovingTheSelectedTabSelectsTheFirstAndHandsTheTabBack) {
  TabView tabs;
  tabs.addTabViewItem(tab("a", "A"));
  TabViewItem& b = tabs.addTabViewItem(tab("b", "B"));
  b.view()->addSubview(std::make_unique<View>());
  tabs.selectTabViewItem(&b);
  std::unique_ptr<TabViewItem> removed = tabs.removeTabViewItem(&b);
  ASSERT_EQ(removed.get(), &b);
  EXPECT_EQ(removed->tabView(), nullptr);
  EXPECT_EQ(removed->view()->subviewCount(), 1u);  // its view came back with it
  EXPECT_EQ(tabs.selectedTabViewItem()->label(), "A");
  EXPECT_EQ(tabs.removeTabViewItem(&b), nullptr);
  tabs.selectedTabViewItem()->setView(std::make_unique<View>(Rect{0, 0, 1, 1}));
  EXPECT_EQ(tabs.subviews(), (std::vector<View*>{tabs.selectedTabViewItem()->view()}));
}

}  // namespace
}  // namespace orval::tk
