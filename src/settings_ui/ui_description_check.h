// The UI description checker: finds the mistakes in a UI description that
// the control builder and the constraint engine would pass over silently.
//
// Each finding names the control (its name in the description), the key of
// the control description where it sits, the path below that key, and a
// severity:
//
//   error    unknown control types; "other_controls" naming controls that are
//            not described; "__LESS__:" / "__GREATER__:" patterns whose bound
//            is not a number; check boxes without exactly two choices; choice
//            sliders with fewer than two choices; cycles among the targets of
//            the "condition", "logical_sum_condition", "cooperation" and
//            "hide" tables (each announcement would validate the next for ever);
//            entries of the wrong kind (a table that is not a dictionary, ...)
//   warning  constraint-table targets that no control edits (the engine
//            ignores them); control types known only by their prefix
//
// Findings come in the order of the description's controls; the cycles last.
#pragma once

#include <string>
#include <vector>

#include "platform/foundation/value.h"

namespace orval {

enum class UiFindingSeverity { Error, Warning };

struct UiDescriptionFinding {
  UiFindingSeverity severity = UiFindingSeverity::Error;
  // The name of the control description in the UI description.
  std::string control;
  // The key of the control description ("control_type", "conflict", ...); "" for the whole entry.
  std::string key;
  // The keys below key that lead to the finding, outermost first.
  std::vector<std::string> path;
  // What is wrong, in words.
  std::string message;

  friend bool operator==(const UiDescriptionFinding&, const UiDescriptionFinding&) = default;
};

// Every finding of description (control name -> control description).
std::vector<UiDescriptionFinding> checkUiDescription(const Dict& description);
// "error" or "warning".
std::string severityName(UiFindingSeverity severity);
// The number of findings of severity.
std::size_t countFindings(const std::vector<UiDescriptionFinding>& findings, UiFindingSeverity severity);

}  // namespace orval
