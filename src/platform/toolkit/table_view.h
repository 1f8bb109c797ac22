// TableView: rows of values in identified columns, served by a data source.
//
// The table caches the number of rows until reloadData, as the platform
// does; values are asked of the data source when read. Selection changes by
// the person ask the delegate first; every change of the selection tells it.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/value.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/event.h"
#include "platform/toolkit/table_column.h"

namespace orval::tk {

class TableView;

class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfRowsInTableView(TableView& tableView) = 0;
  // The value shown at (column, row).
  virtual Value objectValueForTableColumn(TableView& tableView, const TableColumn* column, int row) = 0;
  // The person edited the value at (column, row).
  virtual void setObjectValue(TableView& tableView, const Value& value, const TableColumn* column, int row) {}
};

class TableViewDelegate {
 public:
  virtual ~TableViewDelegate() = default;
  // False keeps the current selection (asked before the person changes it).
  virtual bool selectionShouldChangeInTableView(TableView& tableView) { return true; }
  // False refuses to select row.
  virtual bool shouldSelectRow(TableView& tableView, int row) { return true; }
  virtual bool shouldEditTableColumn(TableView& tableView, const TableColumn* column, int row) { return true; }
  // The selection changed.
  virtual void tableViewSelectionDidChange(TableView& tableView) {}
  // The person clicked a column's header.
  virtual void didClickTableColumn(TableView& tableView, const TableColumn* column) {}
};

class TableView : public Control {
 public:
  explicit TableView(Rect frame = {});
  ~TableView() override;

  std::string className() const override { return "TableView"; }

  TableViewDataSource* dataSource() const { return dataSource_; }
  // Sets the data source (not owned) and reloads.
  void setDataSource(TableViewDataSource* dataSource);
  TableViewDelegate* delegate() const { return delegate_; }
  // Sets the delegate (not owned).
  void setDelegate(TableViewDelegate* delegate) { delegate_ = delegate; }

  // Columns --------------------------------------------------------------------

  // Adds a column at the end; answers it.
  TableColumn& addTableColumn(std::unique_ptr<TableColumn> column);
  std::unique_ptr<TableColumn> removeTableColumn(TableColumn* column);
  std::vector<TableColumn*> tableColumns() const;
  int numberOfColumns() const { return static_cast<int>(columns_.size()); }
  // The index of the first column with the identifier, or -1.
  int columnWithIdentifier(const std::string& identifier) const;
  // The first column with the identifier, or nullptr.
  TableColumn* tableColumnWithIdentifier(const std::string& identifier) const;

  // Rows -----------------------------------------------------------------------

  // Re-reads the number of rows; selected rows past the end are dropped.
  virtual void reloadData();
  // The number of rows as of the last reload.
  int numberOfRows() const { return rows_; }
  // The value shown at (column, row), asked of the data source; null out of range.
  virtual Value objectValueAt(const TableColumn* column, int row);
  // The value shown at row in the column with the identifier.
  Value objectValueAt(const std::string& identifier, int row);
  double rowHeight() const { return rowHeight_; }
  void setRowHeight(double height) { rowHeight_ = height; }

  // Selection ------------------------------------------------------------------

  bool allowsMultipleSelection() const { return allowsMultiple_; }
  void setAllowsMultipleSelection(bool allows) { allowsMultiple_ = allows; }
  bool allowsEmptySelection() const { return allowsEmpty_; }
  void setAllowsEmptySelection(bool allows) { allowsEmpty_ = allows; }
  // Selects rows (those out of range are ignored), adding to the selection when extend.
  void selectRowIndexes(const std::set<int>& rows, bool extend);
  void selectRow(int row) { selectRowIndexes({row}, false); }
  void deselectRow(int row);
  void deselectAll();
  const std::set<int>& selectedRowIndexes() const { return selected_; }
  // The last row selected, or -1.
  int selectedRow() const { return lastSelected_; }
  bool isRowSelected(int row) const { return selected_.count(row) != 0; }
  int numberOfSelectedRows() const { return static_cast<int>(selected_.size()); }

  // The person clicks row: refused (false) when disabled or hidden, out of
  // range, or when the delegate refuses; otherwise selected and the action
  // sent. The click is the application's current event meanwhile.
  bool clickRow(int row);
  // The person presses a key while the table has the focus: the up and down
  // arrows move the selection one row (asking the delegate as a click does);
  // false when nothing moved.
  bool keyDown(const Event& event);
  // The person clicks a column's header (the delegate is told).
  void clickTableColumn(TableColumn* column);

  // The value is the selected row.
  Value objectValue() const override { return Value(lastSelected_); }

 protected:
  // The number of rows the source answers now.
  virtual int countRows();
  // Asked before the person changes the selection.
  virtual bool selectionShouldChange();
  virtual bool shouldSelectRow(int row);
  // Tells the delegate that the selection changed.
  virtual void selectionDidChange();
  virtual void columnClicked(TableColumn* column);

 protected:
  // Re-reads the number of rows, leaving the selection alone.
  void recount() { rows_ = countRows(); }
  // Replaces the selection (last: the row selected last) and tells the delegate when it changed.
  void setSelection(std::set<int> rows, int last);

 private:
  std::vector<std::unique_ptr<TableColumn>> columns_;
  TableViewDataSource* dataSource_ = nullptr;
  TableViewDelegate* delegate_ = nullptr;
  int rows_ = 0;
  std::set<int> selected_;
  int lastSelected_ = -1;
  bool allowsMultiple_ = false;
  bool allowsEmpty_ = true;
  double rowHeight_ = 17;
};

}  // namespace orval::tk
