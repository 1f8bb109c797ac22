#include "common/control_helpers.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

// A pop-up with items "A4", "A3", "Letter", each representing its lower-case name.
std::unique_ptr<tk::PopUpButton> paperPopup() {
  auto popup = std::make_unique<tk::PopUpButton>();
  for (const char* title : {"A4", "A3", "Letter"}) {
    tk::MenuItem& item = popup->addItemWithTitle(title);
    std::string object(title);
    for (char& c : object) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    item.setRepresentedObject(Value(object));
  }
  return popup;
}

TEST(ControlHelpersTest, SelectWithTitleFallsBackOnlyWithinTheItems) {
  auto popup = paperPopup();
  EXPECT_TRUE(selectWithTitle(popup.get(), "Letter", 0));
  EXPECT_EQ(popup->indexOfSelectedItem(), 2);

  EXPECT_FALSE(selectWithTitle(popup.get(), "B5", 1));
  EXPECT_EQ(popup->indexOfSelectedItem(), 1);

  // A fallback outside the items leaves the selection alone.
  EXPECT_FALSE(selectWithTitle(popup.get(), "B5", 3));
  EXPECT_EQ(popup->indexOfSelectedItem(), 1);
  EXPECT_FALSE(selectWithTitle(popup.get(), "B5", -1));
  EXPECT_EQ(popup->indexOfSelectedItem(), 1);

  // Titles are compared exactly.
  EXPECT_FALSE(selectWithTitle(popup.get(), "letter", 0));
  EXPECT_EQ(popup->indexOfSelectedItem(), 0);
  EXPECT_FALSE(selectWithTitle(nullptr, "A4", 0));
}

TEST(ControlHelpersTest, RepresentedObjectOfSelectedItem) {
  auto popup = paperPopup();
  popup->selectItemAtIndex(1);
  EXPECT_EQ(representedObjectOfSelectedItem(popup.get()), Value("a3"));
  popup->selectItemAtIndex(-1);
  EXPECT_TRUE(representedObjectOfSelectedItem(popup.get()).isNull());
  EXPECT_TRUE(representedObjectOfSelectedItem(nullptr).isNull());
}

TEST(ControlHelpersTest, OnAndEnabledNeedsBoth) {
  tk::Button box({}, tk::ButtonType::Switch);
  EXPECT_FALSE(isOnAndEnabled(&box));
  box.setState(tk::ControlState::On);
  EXPECT_TRUE(isOnAndEnabled(&box));
  box.setEnabled(false);
  EXPECT_FALSE(isOnAndEnabled(&box));
  box.setEnabled(true);
  box.setAllowsMixedState(true);
  box.setState(tk::ControlState::Mixed);
  EXPECT_FALSE(isOnAndEnabled(&box));
  EXPECT_FALSE(isOnAndEnabled(nullptr));
}

TEST(ControlHelpersTest, TitleSuffix) {
  EXPECT_EQ(stringByDeletingControlTitleSuffix("Staple:"), "Staple");
  EXPECT_EQ(stringByDeletingControlTitleSuffix("Ratio::"), "Ratio:");
  EXPECT_EQ(stringByDeletingControlTitleSuffix("Staple"), "Staple");
  EXPECT_EQ(stringByDeletingControlTitleSuffix(":"), "");
  EXPECT_EQ(stringByDeletingControlTitleSuffix(""), "");
  EXPECT_EQ(controlTitleString("Staple"), "Staple:");
  EXPECT_EQ(controlTitleString(""), ":");

  auto label = tk::TextField::makeLabel("old");
  setTitleString(label.get(), "Fold");
  EXPECT_EQ(label->stringValue(), "Fold:");
  setTitleString(nullptr, "Fold");
}

TEST(ControlHelpersTest, RepresentedObjectForKeyReadsTheCellsDictionary) {
  tk::Button button;
  EXPECT_TRUE(representedObjectForKey(&button, "mainKeyword").isNull());
  button.setRepresentedObject(Value("not a dictionary"));
  EXPECT_TRUE(representedObjectForKey(&button, "mainKeyword").isNull());
  button.setRepresentedObject(Value(Dict{{"mainKeyword", Value("Fold")}, {"tag", Value(3)}}));
  EXPECT_EQ(representedObjectForKey(&button, "mainKeyword"), Value("Fold"));
  EXPECT_EQ(representedObjectForKey(&button, "tag"), Value(3));
  EXPECT_TRUE(representedObjectForKey(&button, "Fold").isNull());
  EXPECT_TRUE(representedObjectForKey(nullptr, "tag").isNull());
}

TEST(ControlHelpersTest, BrowserCellGoesToTheNamedColumnOnly) {
  tk::TableView table;
  table.addTableColumn(std::make_unique<tk::TableColumn>("name"));
  table.addTableColumn(std::make_unique<tk::TableColumn>("comment"));

  EXPECT_TRUE(setBrowserCellToColumn(&table, "name"));
  const tk::TableCell& cell = table.tableColumnWithIdentifier("name")->dataCell();
  EXPECT_EQ(cell.kind(), tk::TableCell::Kind::Browser);
  EXPECT_TRUE(cell.isLeaf());
  EXPECT_TRUE(cell.wraps());
  EXPECT_EQ(table.tableColumnWithIdentifier("comment")->dataCell().kind(), tk::TableCell::Kind::Text);

  EXPECT_FALSE(setBrowserCellToColumn(&table, "icon"));
  EXPECT_FALSE(setBrowserCellToColumn(nullptr, "name"));
}

}  // namespace
}  // namespace orval
