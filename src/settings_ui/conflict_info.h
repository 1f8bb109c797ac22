// ConflictInfo: what a search of a constraint table found for one value.
//
// The self pattern that matched (its type and bound), the other keywords
// whose patterns matched (in the order found, each once, with their types
// and bounds) and, for an ordinary conflict, the keywords to change with
// their proposed values; for an unrestorable conflict the table's "title"
// and "message" instead. toDictionary() gives the record in the system's
// dictionary form ("conflictedTypeSelf", "conflictedKeyList", ...).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/value.h"

namespace orval {

struct ConflictInfo {
  // True for a record of the "unrestorable_conflict" table (title and message, no restores).
  bool isUnrestorable = false;
  int conflictedTypeSelf = 0;
  std::string conflictedValueSelf;
  // The other keywords whose patterns matched, in the order found, no duplicates.
  std::vector<std::string> conflictedKeyList;
  // keyword -> match type (number).
  Dict conflictedTypeOthersDict;
  // keyword -> bound (string).
  Dict conflictedValueOthersDict;
  // The keywords to change, no duplicates.
  std::vector<std::string> restoreKeyList;
  // keyword -> proposed value (string).
  Dict restoreDict;
  // Texts of an unrestorable conflict (both optional).
  std::optional<std::string> title;
  std::optional<std::string> message;

  // Adds keyword to the conflicted keywords with its type and bound; false when it is there already.
  bool addConflictedKey(const std::string& keyword, int type, const std::string& bound);
  // Adds keyword with its proposed value to the restores; false (the earlier value stays) when it is there.
  bool addRestore(const std::string& keyword, const std::string& value);
  // Adds the conflicted and restore keywords of other that this record lacks, in other's order.
  void mergeMissing(const ConflictInfo& other);
  // The match type recorded for a conflicted keyword (0 when absent).
  int typeOf(const std::string& keyword) const;
  // The bound recorded for a conflicted keyword ("" when absent).
  std::string boundOf(const std::string& keyword) const;
  // The proposed value for a restore keyword ("" when absent).
  std::string restoreValueOf(const std::string& keyword) const;
  // The record as the system's dictionary.
  Dict toDictionary() const;
};

}  // namespace orval
