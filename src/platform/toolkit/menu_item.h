// MenuItem: one item of a pop-up menu (title, represented object, image,
// tag, enabling) or a separator.
#pragma once

#include <optional>
#include <string>

#include "platform/foundation/value.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/image.h"

namespace orval::tk {

class MenuItem {
 public:
  explicit MenuItem(std::string title = {});
  // A separator item (no title, never chosen by the person).
  static MenuItem separatorItem();

  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  const Value& representedObject() const { return representedObject_; }
  void setRepresentedObject(Value object) { representedObject_ = std::move(object); }
  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) { image_ = std::move(image); }
  long tag() const { return tag_; }
  void setTag(long tag) { tag_ = tag; }
  // The item's own enabling flag (it counts only when the menu does not enable items itself).
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool isSeparatorItem() const { return separator_; }
  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden) { hidden_ = hidden; }
  // The check mark beside the item.
  ControlState state() const { return state_; }
  void setState(ControlState state) { state_ = state; }
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string toolTip) { toolTip_ = std::move(toolTip); }

 private:
  std::string title_;
  Value representedObject_;
  std::optional<Image> image_;
  long tag_ = 0;
  bool enabled_ = true;
  bool separator_ = false;
  bool hidden_ = false;
  ControlState state_ = ControlState::Off;
  std::string toolTip_;
};

}  // namespace orval::tk
