// PaneLayout: what a generic pane plug-in shows, read from the "PaneLayout"
// property list of its bundle (the stand-in for a pane's interface file).
//
// The resource is a dictionary:
//   "panelName"  the pane's name (a key of the bundle's string table)
//   "tabs"       the pane's tabs, in order; each a dictionary with
//                "identifier" (required), "label" (a string-table key; the
//                identifier when absent) and "controls" (the names of the
//                settings controls on the tab, top to bottom: control
//                description names of the UI description) and "tabs" (a
//                nested tab view shown below the controls: tabs of the same
//                form; the identifiers "parent_main" and "TabNotSupport" tell
//                the detailed-settings outline how to list them)
//   "roles"      optional: role name -> a dictionary with its own
//                "panelName" and "tabs", for a bundle that the panes tree
//                shows as several panes (Name+Role)
// A pane loaded with a role takes that role's entry (whose missing
// "panelName" is the role name); a pane loaded without one takes the
// top-level entry. A control name appears at most once per layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"

namespace orval {

struct PaneTab {
  std::string identifier;
  std::string label;
  std::vector<std::string> controls;
  std::vector<PaneTab> tabs;  // the nested tab view on this tab; empty when it has none
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

  // Every control name of every tab and nested tab, depth first, in order.
  std::vector<std::string> controlNames() const;
};

}  // namespace orval
