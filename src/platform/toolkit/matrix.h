// Matrix: a grid of button cells, as the platform's radio groups are built.
//
// In radio mode exactly one cell is selected (on) once one has been
// selected; each cell is enabled on its own. A cell's state can also be set
// directly, which does not move the matrix's selection, as on the platform.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/value.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/image.h"

namespace orval::tk {

class ButtonCell {
 public:
  explicit ButtonCell(std::string title = {}, ButtonType type = ButtonType::Radio)
      : title_(std::move(title)), type_(type) {}

  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  ButtonType buttonType() const { return type_; }
  void setButtonType(ButtonType type) { type_ = type; }
  const Value& representedObject() const { return representedObject_; }
  void setRepresentedObject(Value object) { representedObject_ = std::move(object); }
  long tag() const { return tag_; }
  void setTag(long tag) { tag_ = tag; }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  ControlState state() const { return state_; }
  void setState(ControlState state) { state_ = state; }
  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) { image_ = std::move(image); }

 private:
  std::string title_;
  ButtonType type_;
  Value representedObject_;
  long tag_ = 0;
  bool enabled_ = true;
  ControlState state_ = ControlState::Off;
  std::optional<Image> image_;
};

enum class MatrixMode { Radio, Highlight, List, Track };

class Matrix : public Control {
 public:
  // A matrix of rows x columns cells, each a copy of prototype.
  Matrix(Rect frame, int rows, int columns, ButtonCell prototype = ButtonCell(),
         MatrixMode mode = MatrixMode::Radio);

  std::string className() const override { return "Matrix"; }

  MatrixMode mode() const { return mode_; }
  void setMode(MatrixMode mode) { mode_ = mode; }
  const ButtonCell& prototype() const { return prototype_; }
  void setPrototype(ButtonCell prototype) { prototype_ = std::move(prototype); }
  bool allowsEmptySelection() const { return allowsEmptySelection_; }
  void setAllowsEmptySelection(bool allows) { allowsEmptySelection_ = allows; }
  Size cellSize() const { return cellSize_; }
  void setCellSize(Size size) { cellSize_ = size; }

  // Cells ----------------------------------------------------------------------

  int numberOfRows() const { return rows_; }
  int numberOfColumns() const { return columns_; }
  // The cell at (row, column), or nullptr out of range.
  ButtonCell* cellAtRow(int row, int column) const;
  // The first cell with the tag (in row order), or nullptr.
  ButtonCell* cellWithTag(long tag) const;
  // Every cell in row order.
  std::vector<ButtonCell*> cells() const;
  // Appends a row of prototype copies.
  void addRow();
  // Removes a row (the selection moves with the rows below it, or is lost).
  void removeRow(int row);
  // Reshapes to rows x columns, keeping the cells that still fit.
  void renewRows(int rows, int columns);

  // Selection ------------------------------------------------------------------

  // Selects the cell at (row, column); in radio mode it turns on and the
  // others off. (-1, -1) clears the selection when empty selection is allowed.
  void selectCellAtRow(int row, int column);
  // Selects the first cell with the tag; false when none has it.
  bool selectCellWithTag(long tag);
  // Sets a cell's state; in radio mode turning one on selects it and turns the others off.
  void setState(ControlState state, int row, int column);
  // Turns every cell off and clears the selection (only when empty selection is allowed).
  void deselectAllCells();
  ButtonCell* selectedCell() const { return cellAtRow(selectedRow_, selectedColumn_); }
  int selectedRow() const { return selectedRow_; }
  int selectedColumn() const { return selectedColumn_; }
  // The selected cell's tag, or -1 when nothing is selected.
  long selectedTag() const;

  // The person clicks the cell at (row, column): refused (false) when the
  // matrix is disabled or hidden or the cell is disabled; otherwise selected
  // and the action sent.
  bool chooseCellAtRow(int row, int column);

  // The value is the selected row.
  Value objectValue() const override { return Value(selectedRow_); }
  void setObjectValue(const Value& value) override { selectCellAtRow(static_cast<int>(value.intValue()), 0); }

 private:
  std::size_t indexOf(int row, int column) const;

  std::vector<std::unique_ptr<ButtonCell>> cells_;
  int rows_;
  int columns_;
  ButtonCell prototype_;
  MatrixMode mode_;
  bool allowsEmptySelection_ = false;
  Size cellSize_;
  int selectedRow_ = -1;
  int selectedColumn_ = -1;
};

}  // namespace orval::tk
