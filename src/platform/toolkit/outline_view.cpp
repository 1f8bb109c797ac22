#include "platform/toolkit/outline_view.h"

#include <algorithm>

namespace orval::tk {

namespace {
// Deeper than any real tree; stops a data source whose items contain themselves.
constexpr int kMaxDepth = 256;
}  // namespace

OutlineView::OutlineView(Rect frame) : TableView(frame) {}

void OutlineView::setDataSource(OutlineViewDataSource* dataSource) {
  source_ = dataSource;
  reloadData();
}

TableColumn* OutlineView::outlineTableColumn() const {
  const std::vector<TableColumn*> columns = tableColumns();
  if (outlineColumn_ && std::find(columns.begin(), columns.end(), outlineColumn_) != columns.end())
    return outlineColumn_;
  return columns.empty() ? nullptr : columns.front();
}

void OutlineView::appendChildren(OutlineItem parent, int level, std::vector<Row>& rows, int depthGuard) {
  if (!source_ || depthGuard > kMaxDepth) return;
  const int count = source_->numberOfChildrenOfItem(*this, parent);
  for (int i = 0; i < count; ++i) {
    OutlineItem child = source_->child(*this, i, parent);
    rows.push_back({child, parent, level});
    if (expanded_.count(child)) appendChildren(child, level + 1, rows, depthGuard + 1);
  }
}

void OutlineView::rebuildRows() {
  std::vector<Row> rows;
  appendChildren(nullptr, 0, rows, 0);
  visible_ = std::move(rows);
  // Items that no longer appear forget that they were expanded.
  std::set<OutlineItem> shown;
  for (const Row& r : visible_) shown.insert(r.item);
  for (auto it = expanded_.begin(); it != expanded_.end();)
    it = shown.count(*it) ? std::next(it) : expanded_.erase(it);
}

int OutlineView::countRows() {
  rebuildRows();
  return static_cast<int>(visible_.size());
}

void OutlineView::reloadData() { refresh(); }

void OutlineView::refresh() {
  std::vector<OutlineItem> selectedItems;
  for (int row : selectedRowIndexes()) selectedItems.push_back(itemAtRow(row));
  const OutlineItem lastItem = itemAtRow(selectedRow());
  recount();
  std::set<int> rows;
  for (OutlineItem item : selectedItems)
    if (const int row = rowForItem(item); row >= 0) rows.insert(row);
  setSelection(std::move(rows), rowForItem(lastItem));
}

void OutlineView::reloadItem(OutlineItem, bool) { refresh(); }

bool OutlineView::isExpandable(OutlineItem item) { return source_ && source_->isItemExpandable(*this, item); }

void OutlineView::expandItem(OutlineItem item, bool expandChildren) {
  if (!source_) return;
  if (item && rowForItem(item) < 0) return;
  if (item) {
    if (!isExpandable(item)) return;
    expanded_.insert(item);
  }
  if (expandChildren) {
    refresh();
    const int count = source_->numberOfChildrenOfItem(*this, item);
    for (int i = 0; i < count; ++i) expandItem(source_->child(*this, i, item), true);
  }
  refresh();
}

void OutlineView::collapseItem(OutlineItem item, bool collapseChildren) {
  if (collapseChildren) {
    // Every expanded descendant of item (found before the rows go away).
    const int row = rowForItem(item);
    if (row >= 0 || !item) {
      const int level = item ? levelForRow(row) : -1;
      for (int r = item ? row + 1 : 0; r < static_cast<int>(visible_.size()) && visible_[r].level > level; ++r)
        expanded_.erase(visible_[r].item);
    }
  }
  if (item) expanded_.erase(item);
  refresh();
}

OutlineItem OutlineView::itemAtRow(int row) const {
  if (row < 0 || row >= static_cast<int>(visible_.size())) return nullptr;
  return visible_[static_cast<std::size_t>(row)].item;
}

int OutlineView::rowForItem(OutlineItem item) const {
  for (std::size_t i = 0; i < visible_.size(); ++i)
    if (visible_[i].item == item) return static_cast<int>(i);
  return -1;
}

int OutlineView::levelForItem(OutlineItem item) const { return levelForRow(rowForItem(item)); }

int OutlineView::levelForRow(int row) const {
  if (row < 0 || row >= static_cast<int>(visible_.size())) return -1;
  return visible_[static_cast<std::size_t>(row)].level;
}

OutlineItem OutlineView::parentForItem(OutlineItem item) const {
  const int row = rowForItem(item);
  return row < 0 ? nullptr : visible_[static_cast<std::size_t>(row)].parent;
}

Value OutlineView::objectValueAt(const TableColumn* column, int row) {
  if (!source_ || row < 0 || row >= static_cast<int>(visible_.size())) return {};
  return source_->objectValueForTableColumn(*this, column, visible_[static_cast<std::size_t>(row)].item);
}

TableCell OutlineView::preparedCellAt(const TableColumn* column, int row) {
  TableCell cell = column != nullptr ? column->dataCell() : TableCell();
  if (outlineDelegate_ && row >= 0 && row < static_cast<int>(visible_.size()))
    outlineDelegate_->willDisplayCell(*this, cell, column, visible_[static_cast<std::size_t>(row)].item);
  return cell;
}

bool OutlineView::selectionShouldChange() {
  return !outlineDelegate_ || outlineDelegate_->selectionShouldChangeInOutlineView(*this);
}

bool OutlineView::shouldSelectRow(int row) {
  return !outlineDelegate_ || outlineDelegate_->shouldSelectItem(*this, itemAtRow(row));
}

void OutlineView::selectionDidChange() {
  if (outlineDelegate_) outlineDelegate_->outlineViewSelectionDidChange(*this);
}

void OutlineView::columnClicked(TableColumn* column) {
  if (outlineDelegate_) outlineDelegate_->didClickTableColumn(*this, column);
}

}  // namespace orval::tk
