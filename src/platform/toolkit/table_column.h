// TableColumn and TableCell: a column of a table or outline, identified by
// a string, and the cell that shows its values.
#pragma once

#include <optional>
#include <string>

#include "platform/toolkit/color.h"
#include "platform/toolkit/image.h"

namespace orval::tk {

// How a column's cells show a value.
class TableCell {
 public:
  enum class Kind { Text, ImageAndText, Browser, Image, CheckBox };

  explicit TableCell(Kind kind = Kind::Text) : kind_(kind) {}
  // A browser cell (one level of a browser column): leaf, wrapping as asked.
  static TableCell browserCell(bool leaf, bool wraps);

  // The platform class the cell stands for ("TextFieldCell", "BrowserCell", ...).
  std::string className() const;
  Kind kind() const { return kind_; }
  bool wraps() const { return wraps_; }
  void setWraps(bool wraps) { wraps_ = wraps; }
  bool isLeaf() const { return leaf_; }
  void setLeaf(bool leaf) { leaf_ = leaf; }
  bool isEditable() const { return editable_; }
  void setEditable(bool editable) { editable_ = editable; }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) { image_ = std::move(image); }
  const Color& textColor() const { return textColor_; }
  void setTextColor(Color color) { textColor_ = std::move(color); }
  double fontSize() const { return fontSize_; }
  void setFontSize(double points) { fontSize_ = points; }

 private:
  Kind kind_;
  bool wraps_ = false;
  bool leaf_ = false;
  bool editable_ = true;
  bool enabled_ = true;
  std::optional<Image> image_;
  Color textColor_ = Color::controlTextColor();
  double fontSize_ = 13;
};

class TableColumn {
 public:
  explicit TableColumn(std::string identifier) : identifier_(std::move(identifier)) {}

  const std::string& identifier() const { return identifier_; }
  void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
  // The header's title.
  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  double width() const { return width_; }
  // Sets the width, kept within [minWidth, maxWidth].
  void setWidth(double width);
  double minWidth() const { return minWidth_; }
  void setMinWidth(double width);
  double maxWidth() const { return maxWidth_; }
  void setMaxWidth(double width);
  bool isEditable() const { return editable_; }
  void setEditable(bool editable) { editable_ = editable; }
  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden) { hidden_ = hidden; }
  // The cell that shows the column's values.
  const TableCell& dataCell() const { return dataCell_; }
  TableCell& dataCell() { return dataCell_; }
  void setDataCell(TableCell cell) { dataCell_ = std::move(cell); }

 private:
  std::string identifier_;
  std::string title_;
  double width_ = 100;
  double minWidth_ = 10;
  double maxWidth_ = 100000;
  bool editable_ = true;
  bool hidden_ = false;
  TableCell dataCell_;
};

}  // namespace orval::tk
