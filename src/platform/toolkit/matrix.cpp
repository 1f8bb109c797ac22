#include "platform/toolkit/matrix.h"

#include <algorithm>

namespace orval::tk {

Matrix::Matrix(Rect frame, int rows, int columns, ButtonCell prototype, MatrixMode mode)
    : Control(frame),
      rows_(std::max(rows, 0)),
      columns_(std::max(columns, 0)),
      prototype_(std::move(prototype)),
      mode_(mode) {
  for (int i = 0; i < rows_ * columns_; ++i) cells_.push_back(std::make_unique<ButtonCell>(prototype_));
  if (rows_ > 0 && columns_ > 0) cellSize_ = {frame.width / columns_, frame.height / rows_};
}

std::size_t Matrix::indexOf(int row, int column) const {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
}

ButtonCell* Matrix::cellAtRow(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return nullptr;
  return cells_[indexOf(row, column)].get();
}

ButtonCell* Matrix::cellWithTag(long tag) const {
  for (const auto& cell : cells_)
    if (cell->tag() == tag) return cell.get();
  return nullptr;
}

std::vector<ButtonCell*> Matrix::cells() const {
  std::vector<ButtonCell*> all;
  for (const auto& cell : cells_) all.push_back(cell.get());
  return all;
}

void Matrix::addRow() {
  if (columns_ == 0) columns_ = 1;
  for (int c = 0; c < columns_; ++c) cells_.push_back(std::make_unique<ButtonCell>(prototype_));
  ++rows_;
}

void Matrix::removeRow(int row) {
  if (row < 0 || row >= rows_) return;
  const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(indexOf(row, 0));
  cells_.erase(first, first + columns_);
  --rows_;
  if (selectedRow_ == row) {
    selectedRow_ = -1;
    selectedColumn_ = -1;
  } else if (selectedRow_ > row) {
    --selectedRow_;
  }
}

void Matrix::renewRows(int rows, int columns) {
  rows = std::max(rows, 0);
  columns = std::max(columns, 0);
  std::vector<std::unique_ptr<ButtonCell>> cells;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      if (r < rows_ && c < columns_)
        cells.push_back(std::move(cells_[indexOf(r, c)]));
      else
        cells.push_back(std::make_unique<ButtonCell>(prototype_));
    }
  }
  cells_ = std::move(cells);
  rows_ = rows;
  columns_ = columns;
  if (selectedRow_ >= rows_ || selectedColumn_ >= columns_) {
    selectedRow_ = -1;
    selectedColumn_ = -1;
  }
}

void Matrix::selectCellAtRow(int row, int column) {
  ButtonCell* cell = cellAtRow(row, column);
  if (!cell) {
    if (allowsEmptySelection_ || mode_ != MatrixMode::Radio) deselectAllCells();
    return;
  }
  if (mode_ == MatrixMode::Radio)
    for (const auto& other : cells_) other->setState(ControlState::Off);
  cell->setState(ControlState::On);
  selectedRow_ = row;
  selectedColumn_ = column;
}

bool Matrix::selectCellWithTag(long tag) {
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (cellAtRow(r, c)->tag() == tag) {
        selectCellAtRow(r, c);
        return true;
      }
  return false;
}

void Matrix::setState(ControlState state, int row, int column) {
  ButtonCell* cell = cellAtRow(row, column);
  if (!cell) return;
  if (mode_ == MatrixMode::Radio && state == ControlState::On) {
    selectCellAtRow(row, column);
    return;
  }
  cell->setState(state);
}

void Matrix::deselectAllCells() {
  if (mode_ == MatrixMode::Radio && !allowsEmptySelection_) return;
  for (const auto& cell : cells_) cell->setState(ControlState::Off);
  selectedRow_ = -1;
  selectedColumn_ = -1;
}

long Matrix::selectedTag() const {
  const ButtonCell* cell = selectedCell();
  return cell ? cell->tag() : -1;
}

bool Matrix::chooseCellAtRow(int row, int column) {
  ButtonCell* cell = cellAtRow(row, column);
  if (!isUsable() || !cell || !cell->isEnabled()) return false;
  if (mode_ == MatrixMode::Radio) {
    selectCellAtRow(row, column);
  } else {
    cell->setState(cell->state() == ControlState::On ? ControlState::Off : ControlState::On);
    selectedRow_ = row;
    selectedColumn_ = column;
  }
  sendAction();
  return true;
}

}  // namespace orval::tk
