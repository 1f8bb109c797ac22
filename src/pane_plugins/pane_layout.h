// PaneLayout: what a generic pane plug-in shows, read from the "PaneLayout"
// property list of its bundle (the stand-in for a pane's interface file).
//
// The resource is a dictionary:
//   "panelName"  the pane's name (a key of the bundle's string table)
//   "tabs"       the pane's tabs, in order; each a dictionary with
//                "identifier" (required), "label" (a string-table key; the
//                identifier when absent) and "controls" (what the tab shows,
//                top to bottom: the names of settings controls, control
//                description names of the UI description, and classic
//                controls, below) and "tabs" (a nested tab view shown below
//                the controls: tabs of the same form; the identifiers
//                "parent_main" and "TabNotSupport" tell the tab tree how to
//                list them: a "parent_main" tab stands for the tab that holds
//                it, the tabs of a "TabNotSupport" tab are listed one level up)
//   "roles"      optional: role name -> a dictionary with its own
//                "panelName" and "tabs", for a bundle that the panes tree
//                shows as several panes (Name+Role)
// A pane loaded with a role takes that role's entry (whose missing
// "panelName" is the role name); a pane loaded without one takes the
// top-level entry. A control name appears at most once per layout.
//
// A classic control is a plain control that is not a settings control, a
// dictionary among a tab's "controls":
//   "classic"  its kind: "PopUpButton", "CheckBox", "Slider", "RadioButtons",
//              "TextField", "SecureTextField" or "ProfilePopUpButton"
//   "key"      the print option key it stands for (required)
//   "title"    its title, a key of the pane's string table (optional)
//   "choices"  its choices, in order (pop-up, check box: [off, on], slider:
//              lowest first, radio buttons); a pop-up without choices takes
//              the choices of key in the bundle's printer description
//   "titles"   the choices' titles, string-table keys (the choices when absent)
//   "format"   "ProfilePopUpButton": the pattern of its numbered choices
//              ("Profile%d"); "max": the last number
// It shows the settings engine's value of its key and hands a change to the
// engine when a settings control of that key is registered; otherwise its
// value is the pane's own and is not part of the gathered option set. A
// classic key appears at most once per layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"

namespace orval {

// One classic control of a tab (see above).
struct PaneClassicControl {
  std::string kind;
  std::string key;
  std::string title;
  std::vector<std::string> choices;
  std::vector<std::string> titles;  // as many as choices
  std::string format;               // "ProfilePopUpButton"
  std::int64_t max = 0;             // "ProfilePopUpButton"
};

// One entry of a tab's "controls": a settings control (its name) or a classic control.
struct PaneItem {
  std::string name;
  std::optional<PaneClassicControl> classic;
};

struct PaneTab {
  std::string identifier;
  std::string label;
  std::vector<std::string> controls;  // the settings controls' names, in order
  std::vector<PaneItem> items;        // every entry of "controls", in order
  std::vector<PaneTab> tabs;          // the nested tab view on this tab; empty when it has none
};

struct PaneLayout {
  // The resource name in the pane's bundle (type "plist").
  static constexpr const char* kResourceName = "PaneLayout";

  std::string panelName;
  std::vector<PaneTab> tabs;

  // The layout for role (the top-level one when role is none) from the resource's dictionary;
  // none, with the reason in *error, when that entry is missing or malformed.
  static std::optional<PaneLayout> fromDictionary(const Dict& resource, const std::optional<std::string>& role,
                                                  std::string* error = nullptr);
  // The layout for role from bundle's "PaneLayout" resource; none, with the reason, when the
  // resource is missing, does not read as a dictionary or fromDictionary refuses it.
  static std::optional<PaneLayout> fromBundle(const Bundle& bundle, const std::optional<std::string>& role,
                                              std::string* error = nullptr);
  // Tabs nest at most this deep (a tab view on a tab of a tab view ...).
  static constexpr int kMaxDepth = 8;

  // Every settings control name of every tab and nested tab, depth first, in order.
  std::vector<std::string> controlNames() const;
  // The kinds of classic controls.
  static const std::vector<std::string>& classicKinds();
};

}  // namespace orval
