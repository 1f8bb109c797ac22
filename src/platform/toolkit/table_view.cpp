#include "platform/toolkit/table_view.h"

#include <algorithm>

#include "platform/toolkit/application.h"

namespace orval::tk {

TableView::TableView(Rect frame) : Control(frame) {}

TableView::~TableView() = default;

void TableView::setDataSource(TableViewDataSource* dataSource) {
  dataSource_ = dataSource;
  reloadData();
}

TableColumn& TableView::addTableColumn(std::unique_ptr<TableColumn> column) {
  columns_.push_back(std::move(column));
  return *columns_.back();
}

std::unique_ptr<TableColumn> TableView::removeTableColumn(TableColumn* column) {
  auto it = std::find_if(columns_.begin(), columns_.end(), [column](const auto& c) { return c.get() == column; });
  if (it == columns_.end()) return nullptr;
  std::unique_ptr<TableColumn> removed = std::move(*it);
  columns_.erase(it);
  return removed;
}

std::vector<TableColumn*> TableView::tableColumns() const {
  std::vector<TableColumn*> all;
  for (const auto& c : columns_) all.push_back(c.get());
  return all;
}

int TableView::columnWithIdentifier(const std::string& identifier) const {
  for (int i = 0; i < numberOfColumns(); ++i)
    if (columns_[static_cast<std::size_t>(i)]->identifier() == identifier) return i;
  return -1;
}

TableColumn* TableView::tableColumnWithIdentifier(const std::string& identifier) const {
  const int index = columnWithIdentifier(identifier);
  return index < 0 ? nullptr : columns_[static_cast<std::size_t>(index)].get();
}

int TableView::countRows() { return dataSource_ ? std::max(dataSource_->numberOfRowsInTableView(*this), 0) : 0; }

void TableView::reloadData() {
  rows_ = countRows();
  std::set<int> kept;
  for (int row : selected_)
    if (row < rows_) kept.insert(row);
  if (kept != selected_) setSelection(std::move(kept), lastSelected_ < rows_ ? lastSelected_ : -1);
}

Value TableView::objectValueAt(const TableColumn* column, int row) {
  if (!dataSource_ || row < 0 || row >= rows_) return {};
  return dataSource_->objectValueForTableColumn(*this, column, row);
}

Value TableView::objectValueAt(const std::string& identifier, int row) {
  return objectValueAt(tableColumnWithIdentifier(identifier), row);
}

void TableView::setSelection(std::set<int> rows, int last) {
  if (rows.empty())
    last = -1;
  else if (!rows.count(last))
    last = *rows.rbegin();
  const bool changed = rows != selected_ || last != lastSelected_;
  selected_ = std::move(rows);
  lastSelected_ = last;
  if (changed) selectionDidChange();
}

void TableView::selectRowIndexes(const std::set<int>& rows, bool extend) {
  std::set<int> next = extend && allowsMultiple_ ? selected_ : std::set<int>{};
  int last = -1;
  for (int row : rows) {
    if (row < 0 || row >= rows_) continue;
    if (!allowsMultiple_) next.clear();
    next.insert(row);
    last = row;
  }
  if (last < 0 && !rows.empty()) return;  // nothing selectable: keep the selection
  setSelection(std::move(next), last);
}

void TableView::deselectRow(int row) {
  if (!selected_.count(row)) return;
  if (!allowsEmpty_ && selected_.size() == 1) return;
  std::set<int> next = selected_;
  next.erase(row);
  setSelection(std::move(next), lastSelected_ == row ? -1 : lastSelected_);
}

void TableView::deselectAll() {
  if (!allowsEmpty_) return;
  setSelection({}, -1);
}

bool TableView::clickRow(int row) {
  if (!isUsable() || row < 0 || row >= rows_) return false;
  const CurrentEventScope click(Event{EventType::LeftMouseDown, {}});
  if (!selectionShouldChange() || !shouldSelectRow(row)) return false;
  setSelection({row}, row);
  sendAction();
  return true;
}

bool TableView::keyDown(const Event& event) {
  if (!isUsable() || event.type != EventType::KeyDown) return false;
  int step = 0;
  if (event.characters == kUpArrowCharacters) step = -1;
  else if (event.characters == kDownArrowCharacters) step = 1;
  const int row = lastSelected_ < 0 ? (step > 0 ? 0 : rows_ - 1) : lastSelected_ + step;
  if (step == 0 || row < 0 || row >= rows_) return false;
  const CurrentEventScope press(event);
  if (!selectionShouldChange() || !shouldSelectRow(row)) return false;
  setSelection({row}, row);
  return true;
}

void TableView::clickTableColumn(TableColumn* column) { columnClicked(column); }

bool TableView::selectionShouldChange() { return !delegate_ || delegate_->selectionShouldChangeInTableView(*this); }

bool TableView::shouldSelectRow(int row) { return !delegate_ || delegate_->shouldSelectRow(*this, row); }

void TableView::selectionDidChange() {
  if (delegate_) delegate_->tableViewSelectionDidChange(*this);
}

void TableView::columnClicked(TableColumn* column) {
  if (delegate_) delegate_->didClickTableColumn(*this, column);
}

}  // namespace orval::tk
