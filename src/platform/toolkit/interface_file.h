// Interface files: windows described in property lists (the stand-in for the
// platform's interface files), loaded into the headless widget model.
//
// A file is a dictionary:
//   "class"              "Window" (the default), "Panel", or a class the
//                        loader's window factory makes
//   "title"              the window's title
//   "frame"              [x, y, width, height]: where the window stands and
//                        the size of its content
//   "style"              array of "titled", "closable", "miniaturizable",
//                        "resizable" (default: titled and closable);
//                        empty for a borderless window
//   "frameAutosaveName"  the name the window's frame is kept under
//   "views"              the content view's subviews, back to front
// A view is a dictionary with "class" and, each optional:
//   "identifier", "frame" [x, y, width, height], "hidden", "enabled", "tag",
//   "toolTip";
//   "title"    Button, CheckBox, RadioButton (their title), Box (its title),
//              Label, TextField, SecureTextField (their text);
//   "action"   the action's name (controls); "keyEquivalent" (buttons);
//   "items"    PopUpButton: titles, or dictionaries {"title", "tag"};
//   "tabs"     TabView: dictionaries {"identifier", "label", "views"};
//   "document" ScrollView: the one view it scrolls (filling it);
//   "columns"  OutlineView, TableView: dictionaries {"identifier", "title", "width"};
//   "cells"    Matrix (a radio group, one column): dictionaries {"title", "tag"},
//              one row each, the first selected;
//   "views"    View, Box: their subviews.
// The classes: View, Box, Button, CheckBox, RadioButton, Label, TextField,
// SecureTextField, PopUpButton, ImageView, TabView, ScrollView, OutlineView,
// TableView, Matrix.
//
// Controls get their action's name only; the window's controller gives the
// handlers by name (bindAction). After every successful load the host
// application's hook runs (Application::interfaceDidLoad).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/foundation/value.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

// Makes the window of a class the loader does not know itself (frame, title,
// style mask given); nullptr when it does not know the class either.
using WindowFactory =
    std::function<std::unique_ptr<Window>(const std::string& className, Rect frame, const std::string& title,
                                          unsigned styleMask)>;

// The window that description describes; nullptr, with the reason in *error, when it is malformed.
std::unique_ptr<Window> loadInterface(const Dict& description, const WindowFactory& factory = {},
                                      std::string* error = nullptr);
// The window of the interface file at path; nullptr, with the reason, when it cannot be read or is malformed.
std::unique_ptr<Window> loadInterfaceFile(const std::filesystem::path& path, const WindowFactory& factory = {},
                                          std::string* error = nullptr);

// Gives handler to every control of window whose action is named name; answers how many there are.
int bindAction(Window& window, const std::string& name, const Control::ActionHandler& handler);

// The first view of window (depth first) with the identifier, as T; nullptr when none is a T.
template <class T = View>
T* viewWithIdentifier(Window& window, const std::string& identifier) {
  View* found = window.contentView().findSubview([&](const View& v) { return v.identifier() == identifier; });
  return dynamic_cast<T*>(found);
}

}  // namespace orval::tk
