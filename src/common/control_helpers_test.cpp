#include "common/control_helpers.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(ControlHelpersTest, SelectWithTitleFallsBackOnlyWithinTheItems) {
  tk::PopUpButton popup;
  for (const char* title : {"A4", "A3", "Letter"}) popup.addItemWithTitle(title).setRepresentedObject(Value(title));
  const struct {
    const char* title;
    int fallback;
    bool found;
    int selected;
  } rows[] = {{"Letter", 0, true, 2}, {"B5", 1, false, 1}, {"B5", 3, false, 1}, {"B5", -1, false, 1},
              {"letter", 0, false, 0}};  // titles compare exactly; a fallback outside the items changes nothing
  for (const auto& row : rows) {
    EXPECT_EQ(selectWithTitle(&popup, row.title, row.fallback), row.found) << row.title << row.fallback;
    EXPECT_EQ(popup.indexOfSelectedItem(), row.selected) << row.title << row.fallback;
  }
  EXPECT_EQ(representedObjectOfSelectedItem(&popup), Value("A4"));
  popup.selectItemAtIndex(-1);
  EXPECT_TRUE(representedObjectOfSelectedItem(&popup).isNull());
  EXPECT_FALSE(selectWithTitle(nullptr, "A4", 0));
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
}

TEST(ControlHelpersTest, TitleSuffix) {
  for (const auto& [title, bare] : {std::pair{"Staple:", "Staple"}, std::pair{"Ratio::", "Ratio:"},
                                    std::pair{"Staple", "Staple"}, std::pair{":", ""}})
    EXPECT_EQ(stringByDeletingControlTitleSuffix(title), bare) << title;
  auto label = tk::TextField::makeLabel("old");
  setTitleString(label.get(), "Fold");
  EXPECT_EQ(label->stringValue(), "Fold:");
}

TEST(ControlHelpersTest, RepresentedObjectForKeyReadsTheCellsDictionary) {
  tk::Button button;
  button.setRepresentedObject(Value("not a dictionary"));
  EXPECT_TRUE(representedObjectForKey(&button, "mainKeyword").isNull());
  button.setRepresentedObject(Value(Dict{{"mainKeyword", Value("Fold")}, {"tag", Value(3)}}));
  EXPECT_EQ(representedObjectForKey(&button, "tag"), Value(3));
  EXPECT_TRUE(representedObjectForKey(&button, "Fold").isNull());
}

TEST(ControlHelpersTest, BrowserCellGoesToTheNamedColumnOnly) {
  tk::TableView table;
  table.addTableColumn(std::make_unique<tk::TableColumn>("name"));
  table.addTableColumn(std::make_unique<tk::TableColumn>("comment"));
  EXPECT_TRUE(setBrowserCellToColumn(&table, "name"));
  const tk::TableCell& cell = table.tableColumnWithIdentifier("name")->dataCell();
  EXPECT_TRUE(cell.kind() == tk::TableCell::Kind::Browser && cell.isLeaf() && cell.wraps());
  EXPECT_EQ(table.tableColumnWithIdentifier("comment")->dataCell().kind(), tk::TableCell::Kind::Text);
  EXPECT_FALSE(setBrowserCellToColumn(&table, "icon"));
}

}  // namespace
}  // namespace orval
