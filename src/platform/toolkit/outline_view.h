// OutlineView: a table whose rows are the visible nodes of a tree served by
// a data source; nodes expand and collapse.
//
// Items are the data source's own nodes, passed as untyped handles (nullptr
// is the root), as the platform passes objects; the outline never owns them.
#pragma once

#include <set>
#include <vector>

#include "platform/toolkit/table_view.h"

namespace orval::tk {

class OutlineView;
using OutlineItem = void*;

class OutlineViewDataSource {
 public:
  virtual ~OutlineViewDataSource() = default;
  // The number of children of item (nullptr: the root).
  virtual int numberOfChildrenOfItem(OutlineView& outlineView, OutlineItem item) = 0;
  // The child at index of item (nullptr: the root).
  virtual OutlineItem child(OutlineView& outlineView, int index, OutlineItem item) = 0;
  virtual bool isItemExpandable(OutlineView& outlineView, OutlineItem item) = 0;
  // The value shown for item in column.
  virtual Value objectValueForTableColumn(OutlineView& outlineView, const TableColumn* column,
                                          OutlineItem item) = 0;
};

class OutlineViewDelegate {
 public:
  virtual ~OutlineViewDelegate() = default;
  virtual bool selectionShouldChangeInOutlineView(OutlineView& outlineView) { return true; }
  virtual bool shouldSelectItem(OutlineView& outlineView, OutlineItem item) { return true; }
  virtual bool shouldEditTableColumn(OutlineView& outlineView, const TableColumn* column, OutlineItem item) {
    return true;
  }
  virtual void outlineViewSelectionDidChange(OutlineView& outlineView) {}
  virtual void didClickTableColumn(OutlineView& outlineView, const TableColumn* column) {}
  // The cell that shows item in column is about to be shown: the delegate
  // may give it an image, a text colour, ...
  virtual void willDisplayCell(OutlineView& outlineView, TableCell& cell, const TableColumn* column,
                               OutlineItem item) {}
};

class OutlineView : public TableView {
 public:
  explicit OutlineView(Rect frame = {});

  std::string className() const override { return "OutlineView"; }

  OutlineViewDataSource* outlineDataSource() const { return source_; }
  // Sets the data source (not owned) and reloads.
  void setDataSource(OutlineViewDataSource* dataSource);
  OutlineViewDelegate* outlineDelegate() const { return outlineDelegate_; }
  // Sets the delegate (not owned).
  void setDelegate(OutlineViewDelegate* delegate) { outlineDelegate_ = delegate; }
  // The column that shows the tree's indentation, or nullptr (the first column).
  TableColumn* outlineTableColumn() const;
  void setOutlineTableColumn(TableColumn* column) { outlineColumn_ = column; }
  double indentationPerLevel() const { return indentation_; }
  void setIndentationPerLevel(double points) { indentation_ = points; }

  // Rebuilds the rows from the data source, keeping expanded the items that still appear.
  void reloadData() override;
  // Re-reads item's children (when reloadChildren, also theirs).
  void reloadItem(OutlineItem item, bool reloadChildren = false);
  // Expands item (and its descendants when expandChildren); nothing for an item that is not expandable.
  void expandItem(OutlineItem item, bool expandChildren = false);
  // Collapses item (and its descendants when collapseChildren).
  void collapseItem(OutlineItem item, bool collapseChildren = false);
  bool isItemExpanded(OutlineItem item) const { return expanded_.count(item) != 0; }
  bool isExpandable(OutlineItem item);

  // The item at row, or nullptr.
  OutlineItem itemAtRow(int row) const;
  // The row of item, or -1 when it is not visible.
  int rowForItem(OutlineItem item) const;
  // The depth of item (0 for the root's children), or -1 when it is not visible.
  int levelForItem(OutlineItem item) const;
  int levelForRow(int row) const;
  // The parent of a visible item (nullptr for the root's children).
  OutlineItem parentForItem(OutlineItem item) const;

  // The value shown at (column, row), asked of the data source.
  Value objectValueAt(const TableColumn* column, int row) override;
  // The cell that shows (column, row): a copy of the column's data cell as
  // the delegate prepared it; the column's own cell for a row out of range.
  TableCell preparedCellAt(const TableColumn* column, int row);
  using TableView::objectValueAt;

 protected:
  int countRows() override;
  bool selectionShouldChange() override;
  bool shouldSelectRow(int row) override;
  void selectionDidChange() override;
  void columnClicked(TableColumn* column) override;

 private:
  struct Row {
    OutlineItem item;
    OutlineItem parent;
    int level;
  };
  void appendChildren(OutlineItem parent, int level, std::vector<Row>& rows, int depthGuard);
  void rebuildRows();
  // Rebuilds the rows, keeping the selected items selected where they still appear.
  void refresh();

  OutlineViewDataSource* source_ = nullptr;
  OutlineViewDelegate* outlineDelegate_ = nullptr;
  TableColumn* outlineColumn_ = nullptr;
  double indentation_ = 16;
  std::vector<Row> visible_;
  std::set<OutlineItem> expanded_;
};

}  // namespace orval::tk
