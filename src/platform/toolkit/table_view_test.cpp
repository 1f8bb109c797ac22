#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/toolkit/outline_test_support.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/table_view.h"

namespace orval::tk {
namespace {

class Names : public TableViewDataSource, public TableViewDelegate {
 public:
  std::vector<std::string> names{"current", "default", "mine"};
  int changes = 0;
  bool allowChange = true;
  int numberOfRowsInTableView(TableView&) override { return static_cast<int>(names.size()); }
  Value objectValueForTableColumn(TableView&, const TableColumn* column, int row) override {
    return column->identifier() == "name" ? Value(names[static_cast<std::size_t>(row)]) : Value(row);
  }
  bool selectionShouldChangeInTableView(TableView&) override { return allowChange; }
  bool shouldSelectRow(TableView&, int row) override { return row != 1; }
  void tableViewSelectionDidChange(TableView&) override { ++changes; }
};

TEST(TableViewTest, ServesValuesByColumnIdentifierAndCachesRowsUntilReload) {
  TableView table;
  table.addTableColumn(std::make_unique<TableColumn>("name"));
  table.addTableColumn(std::make_unique<TableColumn>("index"));
  Names source;
  table.setDataSource(&source);
  EXPECT_EQ(table.objectValueAt("name", 2), Value("mine"));
  EXPECT_EQ(table.objectValueAt("index", 2), Value(2));
  EXPECT_TRUE(table.objectValueAt("name", 3).isNull());
  EXPECT_EQ(table.columnWithIdentifier("comment"), -1);
  source.names.pop_back();
  EXPECT_EQ(table.numberOfRows(), 3);
  table.reloadData();
  EXPECT_EQ(table.numberOfRows(), 2);
}

TEST(TableViewTest, SelectionDropsRowsPastTheEndTellsTheDelegateAndClicksAskIt) {
  TableView table;
  Names source;
  table.setDataSource(&source);
  table.setDelegate(&source);
  int actions = 0;
  table.setAction("click:", [&](Control&) { ++actions; });
  table.selectRow(2);
  EXPECT_EQ(source.changes, 1);
  table.selectRow(2);
  EXPECT_EQ(source.changes, 1);  // no change, no news
  source.names.pop_back();
  table.reloadData();
  EXPECT_EQ(std::pair(table.selectedRow(), source.changes), std::pair(-1, 2));
  table.selectRowIndexes({0, 1}, false);  // one row at a time
  EXPECT_EQ(table.selectedRowIndexes(), (std::set<int>{1}));
  table.setAllowsMultipleSelection(true);
  table.selectRowIndexes({0}, true);
  EXPECT_EQ(std::tuple(table.selectedRowIndexes(), table.selectedRow()), std::tuple(std::set<int>{0, 1}, 0));

  EXPECT_TRUE(table.clickRow(0));
  EXPECT_EQ(table.selectedRowIndexes(), (std::set<int>{0}));
  EXPECT_FALSE(table.clickRow(1));  // the delegate refuses this row
  source.allowChange = false;
  EXPECT_FALSE(table.clickRow(0));
  EXPECT_EQ(actions, 1);
}

TEST(TableViewTest, ArrowKeysMoveTheSelectionAndTheDelegateSeesWhichEventMovedIt) {
  TableView table;
  struct Watcher : Names {
    std::vector<EventType> seen;
    bool selectionShouldChangeInTableView(TableView& t) override {
      const Event* event = Application::shared().currentEvent();
      seen.push_back(event != nullptr ? event->type : EventType::MouseMoved);
      return Names::selectionShouldChangeInTableView(t);
    }
    bool shouldSelectRow(TableView&, int) override { return true; }
  } source;
  table.setDataSource(&source);
  table.setDelegate(&source);
  EXPECT_TRUE(table.clickRow(1));
  EXPECT_TRUE(table.keyDown({EventType::KeyDown, kDownArrowCharacters}));
  EXPECT_EQ(table.selectedRow(), 2);
  EXPECT_FALSE(table.keyDown({EventType::KeyDown, kDownArrowCharacters}));  // the last row
  EXPECT_FALSE(table.keyDown({EventType::KeyDown, "x"}));
  EXPECT_TRUE(table.keyDown({EventType::KeyDown, kUpArrowCharacters}));
  EXPECT_EQ(table.selectedRow(), 1);
  EXPECT_EQ(source.seen, (std::vector<EventType>{EventType::LeftMouseDown, EventType::KeyDown, EventType::KeyDown}));
  EXPECT_EQ(Application::shared().currentEvent(), nullptr);
}

TEST(TableColumnTest, WidthStaysWithinItsBounds) {
  TableColumn column("name");
  column.setMaxWidth(150);
  column.setWidth(400);
  EXPECT_EQ(column.width(), 150);
  column.setMinWidth(200);
  EXPECT_EQ(std::pair(column.maxWidth(), column.width()), std::pair(200.0, 200.0));
}

using toolkit_testing::Tree;

std::vector<std::string> rows(OutlineView& outline) {
  std::vector<std::string> names;
  for (int r = 0; r < outline.numberOfRows(); ++r) names.push_back(outline.objectValueAt(nullptr, r).text());
  return names;
}

class NoColor : public OutlineViewDelegate {
 public:
  bool shouldSelectItem(OutlineView& outline, OutlineItem item) override {
    return outline.objectValueAt(nullptr, outline.rowForItem(item)).text() != "Color";
  }
};

TEST(OutlineViewTest, ExpandsAndCollapsesKeepingTheSelectedItemAndTheDelegateDecidesWhatIsSelected) {
  OutlineView outline;
  Tree tree;
  NoColor delegate;
  outline.setDataSource(&tree);
  outline.setDelegate(&delegate);
  EXPECT_EQ(rows(outline), (std::vector<std::string>{"Paper", "Finishing", "Color"}));
  OutlineItem finishing = outline.itemAtRow(1);
  outline.selectRow(1);
  outline.expandItem(outline.itemAtRow(0));
  EXPECT_EQ(rows(outline), (std::vector<std::string>{"Paper", "Size", "Tray", "Finishing", "Color"}));
  EXPECT_EQ(outline.itemAtRow(outline.selectedRow()), finishing);  // the selection followed its item
  OutlineItem tray = outline.itemAtRow(2);
  EXPECT_EQ(outline.levelForItem(tray), 1);
  EXPECT_EQ(outline.parentForItem(tray), outline.itemAtRow(0));
  outline.expandItem(outline.itemAtRow(4));  // not expandable: nothing happens
  EXPECT_EQ(outline.numberOfRows(), 5);
  outline.collapseItem(outline.itemAtRow(0));
  EXPECT_EQ(outline.numberOfRows(), 3);
  EXPECT_EQ(outline.rowForItem(tray), -1);
  outline.expandItem(nullptr, true);  // everything
  EXPECT_EQ(rows(outline),
            (std::vector<std::string>{"Paper", "Size", "Tray", "Bypass", "Finishing", "Staple", "Color"}));
  EXPECT_EQ(outline.levelForRow(3), 2);
  outline.collapseItem(nullptr, true);
  EXPECT_EQ(outline.numberOfRows(), 3);
  EXPECT_FALSE(outline.clickRow(2));  // Color
  EXPECT_TRUE(outline.clickRow(0));
}

}  // namespace
}  // namespace orval::tk
