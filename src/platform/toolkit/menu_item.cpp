#include "platform/toolkit/menu_item.h"

namespace orval::tk {

MenuItem::MenuItem(std::string title) : title_(std::move(title)) {}

MenuItem MenuItem::separatorItem() {
  MenuItem item;
  item.separator_ = true;
  return item;
}

}  // namespace orval::tk
