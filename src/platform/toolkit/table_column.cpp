#include "platform/toolkit/table_column.h"

#include <algorithm>

namespace orval::tk {

TableCell TableCell::browserCell(bool leaf, bool wraps) {
  TableCell cell(Kind::Browser);
  cell.setLeaf(leaf);
  cell.setWraps(wraps);
  return cell;
}

std::string TableCell::className() const {
  switch (kind_) {
    case Kind::Text:
      return "TextFieldCell";
    case Kind::ImageAndText:
      return "ImageAndTextCell";
    case Kind::Browser:
      return "BrowserCell";
    case Kind::Image:
      return "ImageCell";
    case Kind::CheckBox:
      return "ButtonCell";
  }
  return "Cell";
}

void TableColumn::setWidth(double width) { width_ = std::clamp(width, minWidth_, std::max(minWidth_, maxWidth_)); }

void TableColumn::setMinWidth(double width) {
  minWidth_ = width;
  if (maxWidth_ < minWidth_) maxWidth_ = minWidth_;
  setWidth(width_);
}

void TableColumn::setMaxWidth(double width) {
  maxWidth_ = width;
  if (minWidth_ > maxWidth_) minWidth_ = maxWidth_;
  setWidth(width_);
}

}  // namespace orval::tk
