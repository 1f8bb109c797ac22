#include "platform/toolkit/toolkit.h"
#include "settings_ui/kora_ui_test_support.h"
#include "settings_ui/tab_tree_data_source.h"

namespace orval {
namespace {

using kora_ui_testing::KoraUITest;

tk::TabViewItem& addTab(tk::TabView& tabs, const std::string& identifier, const std::string& label) {
  auto item = std::make_unique<tk::TabViewItem>(Value(identifier));
  item->setLabel(label);
  return tabs.addTabViewItem(std::move(item));
}

tk::TabView& nestTabs(tk::TabViewItem& tab) { return tab.view()->add(std::make_unique<tk::TabView>()); }

// The tab tree's outline beside the tabs it mirrors: "Plain", and "Colour" holding
// "Colour main" (parent_main), "Profiles" and the unsupported "Flat" holding "X", "Y", "Z".
class TabTreeTest : public KoraUITest {
 protected:
  void SetUp() override {
    KoraUITest::SetUp();
    DataSource::resetForTesting();
    tk::View& content = window.contentView();
    auto scroll = std::make_unique<tk::ScrollView>(tk::Rect{0, 0, 200, 300});
    outline = &scroll->setDocument(std::make_unique<tk::OutlineView>());
    outline->addTableColumn(std::make_unique<tk::TableColumn>("name"));
    content.addSubview(std::move(scroll));
    root = &content.add(std::make_unique<tk::TabView>(tk::Rect{200, 0, 400, 300}));
    addTab(*root, "plain", "Plain");
    tk::TabViewItem& colour = addTab(*root, "colour", "Colour");
    colourTabs = &nestTabs(colour);
    addTab(*colourTabs, "parent_main", "Colour main");
    addTab(*colourTabs, "profiles", "Profiles");
    flatTabs = &nestTabs(addTab(*colourTabs, "TabNotSupport", "Flat"));
    for (const char* name : {"X", "Y", "Z"}) addTab(*flatTabs, name, name);
  }
  void TearDown() override {
    outline->setDataSource(nullptr);
    DataSource::resetForTesting();
    KoraUITest::TearDown();
  }

  std::vector<std::string> rowTexts() {
    std::vector<std::string> texts;
    for (int row = 0; row < outline->numberOfRows(); ++row) texts.push_back(outline->objectValueAt("name", row).text());
    return texts;
  }

  tk::Window window{{0, 0, 600, 300}};
  DataSource source;
  tk::OutlineView* outline = nullptr;
  tk::TabView* root = nullptr;
  tk::TabView* colourTabs = nullptr;
  tk::TabView* flatTabs = nullptr;
};

TEST_F(TabTreeTest, RowsMirrorTheNestedTabsWithMainChildrenHiddenAndUnsupportedTabsFlattened) {
  outline->setDelegate(&source);
  outline->setDataSource(&source);
  EXPECT_EQ(outline->numberOfRows(), 0);  // the very first request answers 0
  outline->reloadData();
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Plain", "Colour"}));

  EXPECT_FALSE(outline->isExpandable(outline->itemAtRow(0)));
  outline->expandItem(outline->itemAtRow(1));
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Plain", "Colour", "Profiles", "X", "Y", "Z"}));
  EXPECT_FALSE(outline->isExpandable(outline->itemAtRow(4)));
  EXPECT_EQ(colourTabs->tabViewType(), tk::TabViewType::NoTabsNoBorder);
  EXPECT_EQ(colourTabs->selectedTabViewItem()->label(), "Colour main");

  EXPECT_TRUE(outline->clickRow(4));
  EXPECT_EQ((std::vector{root->selectedTabViewItem()->label(), colourTabs->selectedTabViewItem()->label(),
                         flatTabs->selectedTabViewItem()->label()}), (std::vector<std::string>{"Colour", "Flat", "Y"}));
  EXPECT_TRUE(outline->clickRow(1));
  EXPECT_EQ(colourTabs->selectedTabViewItem()->label(), "Colour main");
}

TEST_F(TabTreeTest, ATabViewWithItsFocusRingSwitchedOffIsNotLookedInto) {
  colourTabs->setFocusRingType(tk::FocusRingType::None);
  source.numberOfChildrenOfItem(*outline, nullptr);  // the first request
  ASSERT_EQ(source.numberOfChildrenOfItem(*outline, nullptr), 2);
  auto* colour = static_cast<TabTreeItem*>(source.child(*outline, 1, nullptr));
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(colour->numberOfChildren(), -1);
  EXPECT_EQ(colourTabs->tabViewType(), tk::TabViewType::TopTabsBezelBorder);
}

TEST_F(TabTreeTest, NoEmptyFieldLooksAtTheShownTabAndTheTabsNestedInIt) {
  const Dict description{{"mainKeyword", "MailAddress"}, {"control_type", "TextField_text"}};
  KORAUI& outer = root->tabViewItemAtIndex(1)->view()->add(kora_ui_testing::build(description));
  KORAUI& inner = colourTabs->tabViewItemAtIndex(1)->view()->add(kora_ui_testing::build(description));
  root->selectTabViewItemAtIndex(1);
  colourTabs->selectTabViewItemAtIndex(1);
  outer.setStringValue("someone@example.com");
  inner.setStringValue("");
  EXPECT_FALSE(DataSource::checkNoEmptyField(root));  // empty, enabled, on a nested tab that shows
  inner.setEnabled(false);
  EXPECT_TRUE(DataSource::checkNoEmptyField(root));  // disabled fields do not count
  inner.setEnabled(true);
  colourTabs->selectTabViewItemAtIndex(0);
  EXPECT_TRUE(DataSource::checkNoEmptyField(root));  // not on the tab shown
  outer.setStringValue("");
  EXPECT_FALSE(DataSource::checkNoEmptyField(root));
}

}  // namespace
}  // namespace orval
