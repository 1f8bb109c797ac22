// Window descriptions: a dialog window built from a property list that lists
// its views and their places (the stand-in for an interface file).
//
// The description is a dictionary:
//   "title"   the window's title (optional)
//   "frame"   the window's frame [x, y, width, height]; the content view is
//             (0, 0, width, height)
//   "closable" optional boolean, default true: the window has a close box
//   "views"   the content view's subviews, back to front; each a dictionary:
//     "class"   "View", "Box", "Button" (a push button), "Label" (a text
//               label) or a class that the caller makes (see ViewMaker)
//     "frame"   [x, y, width, height] in the content view
//     "outlet"  optional: the name the window's owner finds the view by
//               (unique within the description)
//     "title"   optional: the button's title, the label's text, the box's title
//     "tag"     optional integer
//     "hidden"  optional boolean
//     "boxType" optional, for a box: "Primary", "Separator" or "Custom"
//     "keyEquivalent" optional, for a button ("\r" is Return)
// Texts are taken as they stand: the owner localizes what it shows.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/foundation/value.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/view.h"

namespace orval::tk {

// A window made from a description, and its named views.
struct DescribedWindow {
  std::unique_ptr<Panel> window;
  // Outlet name -> view (owned by the window's content view).
  std::unordered_map<std::string, View*> outlets;

  // The view named name when it is of class T, else nullptr.
  template <class T = View>
  T* outlet(const std::string& name) const {
    const auto found = outlets.find(name);
    return found == outlets.end() ? nullptr : dynamic_cast<T*>(found->second);
  }
};

// Makes a view of a class the toolkit does not know (nullptr: unknown class).
using ViewMaker = std::function<std::unique_ptr<View>(const std::string& className, const Rect& frame)>;

// The window of description; none, with the reason in *error, when the
// description is malformed (a missing or bad frame, a view of an unknown
// class, an outlet named twice, a value of the wrong type).
std::optional<DescribedWindow> windowFromDescription(const Dict& description, const ViewMaker& makeView = {},
                                                     std::string* error = nullptr);

}  // namespace orval::tk
