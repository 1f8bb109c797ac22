#include "panel/host_controls.h"

#include <array>

#include "platform/toolkit/box.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/menu_item.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/view.h"

namespace orval {

namespace {

// The frames the print dialog gives its copies field, one per dialog layout.
constexpr std::array<tk::Rect, 4> kCopiesFieldFrames = {{
    {95, 4, 70, 22},
    {95, 4, 50, 22},
    {101, 4, 60, 22},
    {92, 4, 60, 22},
}};

bool isCopiesFieldFrame(const tk::Rect& frame) {
  for (const tk::Rect& known : kCopiesFieldFrames)
    if (frame == known) return true;
  return false;
}

}  // namespace

tk::Control* getCocoaPDEsControl(const tk::View* view, std::string_view key) {
  if (view == nullptr) return nullptr;
  for (tk::View* subview : view->subviews()) {
    const std::string className = subview->className();
    if (className == "Button") {
      auto* button = dynamic_cast<tk::Control*>(subview);
      if (button == nullptr) continue;
      if (key == kHostCollateKey && button->action() == "collatedSelected:") return button;
      if (key == kHostDuplexModeKey && button->action() == "twoSidedSelected:") return button;
    } else if (className == "TextField") {
      if (key == kHostNumCopiesKey && isCopiesFieldFrame(subview->frame()))
        if (auto* field = dynamic_cast<tk::Control*>(subview)) return field;
    } else if (className == "View") {
      if (tk::Control* found = getCocoaPDEsControl(subview, key)) return found;
    } else if (className == "Box") {
      if (auto* box = dynamic_cast<tk::Box*>(subview))
        if (tk::Control* found = getCocoaPDEsControl(box->contentView(), key)) return found;
    }
  }
  return nullptr;
}

bool selectItem(tk::PopUpButton* popup, const Value& object) {
  if (popup == nullptr || object.isNull()) return false;
  for (int i = 0; i < popup->numberOfItems(); ++i) {
    if (popup->itemAtIndex(i)->representedObject() == object) {
      popup->selectItemAtIndex(i);
      return true;
    }
  }
  return false;
}

}  // namespace orval
