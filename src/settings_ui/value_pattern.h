// Value patterns: the keys of the "conflict" and "unrestorable_conflict"
// tables, matched against a control's current value.
//
//   "__LESS__:N"     matches a value (not "__ALL__") whose number is below N    type 1
//   "__GREATER__:N"  matches a value (not "__ALL__") whose number is above N    type 2
//   any other text   matches the value that equals it exactly                   type 3
//
// A pattern that does not match has type 0. The bound of a pattern is the
// text after its prefix ("" for an exact pattern). Numbers are read with the
// system's decimal reading, so a value without a number counts as 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orval {

// The match types of a pattern.
enum ConflictedType : int {
  kConflictedTypeNone = 0,
  kConflictedTypeLess = 1,
  kConflictedTypeGreater = 2,
  kConflictedTypeEqual = 3,
};

// The prefix of a "less than" pattern (9 characters).
inline constexpr std::string_view kLessPatternPrefix = "__LESS__:";
// The prefix of a "greater than" pattern (12 characters).
inline constexpr std::string_view kGreaterPatternPrefix = "__GREATER__:";
// The value and the self pattern of an unconditional conflict entry.
inline constexpr std::string_view kAllValue = "__ALL__";

// The match type of pattern against value (0 when it does not match or there is no value).
int conflictedType(std::string_view pattern, const std::optional<std::string>& value);
// The bound of pattern: the text after "__LESS__:" or "__GREATER__:", else "".
std::string conflictedValue(std::string_view pattern);
// True for the keys of a table level that are never patterns ("title", "message").
bool isTitleOrMessageKey(std::string_view key);
// True when text is a whole decimal number: optional sign, digits with an
// optional fraction, optional exponent, nothing else (the checker's test of a bound).
bool isDecimalNumberText(std::string_view text);

}  // namespace orval
