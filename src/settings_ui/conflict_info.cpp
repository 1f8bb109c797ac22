#include "settings_ui/conflict_info.h"

#include <algorithm>

namespace orval {
namespace {

bool listContains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

Array toArray(const std::vector<std::string>& list) {
  Array array;
  for (const std::string& item : list) array.push_back(Value(item));
  return array;
}

}  // namespace

bool ConflictInfo::addConflictedKey(const std::string& keyword, int type, const std::string& bound) {
  if (listContains(conflictedKeyList, keyword)) return false;
  conflictedKeyList.push_back(keyword);
  conflictedTypeOthersDict.set(keyword, Value(type));
  conflictedValueOthersDict.set(keyword, Value(bound));
  return true;
}

bool ConflictInfo::addRestore(const std::string& keyword, const std::string& value) {
  if (listContains(restoreKeyList, keyword)) return false;
  restoreKeyList.push_back(keyword);
  restoreDict.set(keyword, Value(value));
  return true;
}

void ConflictInfo::mergeMissing(const ConflictInfo& other) {
  for (const std::string& keyword : other.conflictedKeyList)
    addConflictedKey(keyword, other.typeOf(keyword), other.boundOf(keyword));
  for (const std::string& keyword : other.restoreKeyList) addRestore(keyword, other.restoreValueOf(keyword));
}

int ConflictInfo::typeOf(const std::string& keyword) const {
  return static_cast<int>(conflictedTypeOthersDict.get(keyword).intValue());
}

std::string ConflictInfo::boundOf(const std::string& keyword) const {
  return conflictedValueOthersDict.get(keyword).stringOr("");
}

std::string ConflictInfo::restoreValueOf(const std::string& keyword) const {
  return restoreDict.get(keyword).stringOr("");
}

Dict ConflictInfo::toDictionary() const {
  Dict dictionary{
      {"conflictedTypeSelf", Value(conflictedTypeSelf)},
      {"conflictedValueSelf", Value(conflictedValueSelf)},
      {"conflictedKeyList", Value(toArray(conflictedKeyList))},
      {"conflictedTypeOthersDict", Value(conflictedTypeOthersDict)},
      {"conflictedValueOthersDict", Value(conflictedValueOthersDict)},
  };
  if (isUnrestorable) {
    if (title) dictionary.set("title", Value(*title));
    if (message) dictionary.set("message", Value(*message));
  } else {
    dictionary.set("restoreKeyList", Value(toArray(restoreKeyList)));
    dictionary.set("restoreDict", Value(restoreDict));
  }
  return dictionary;
}

}  // namespace orval
