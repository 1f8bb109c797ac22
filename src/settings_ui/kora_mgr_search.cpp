// KORAMgr: the searches of the "conflict" and "unrestorable_conflict" tables.
#include "settings_ui/kora_mgr.h"

#include "settings_ui/value_pattern.h"

namespace orval {
namespace {

// The first pattern of patterns (not "title"/"message") that matches value,
// with its match type; nullptr when none does.
const Dict::Entry* firstMatchingPattern(const Dict& patterns, const std::optional<std::string>& value,
                                        int& type) {
  for (const Dict::Entry& entry : patterns) {
    if (isTitleOrMessageKey(entry.first)) continue;
    type = conflictedType(entry.first, value);
    if (type != kConflictedTypeNone) return &entry;
  }
  type = kConflictedTypeNone;
  return nullptr;
}

// Copies the "title" and "message" strings of level into info, replacing what it holds.
void copyTitleAndMessage(const Dict& level, ConflictInfo& info) {
  if (const std::string* title = level.get("title").asString()) info.title = *title;
  if (const std::string* message = level.get("message").asString()) info.message = *message;
}

// A U-node is terminal when it holds nothing but "title" and "message"; a
// node that is not a dictionary holds nothing and is terminal too.
bool isTerminalUnrestorableNode(const Value& node) {
  const Dict* dict = node.asDict();
  if (dict == nullptr) return true;
  for (const Dict::Entry& entry : *dict)
    if (!isTitleOrMessageKey(entry.first)) return false;
  return true;
}

// A fresh record for the matched self pattern.
ConflictInfo newInfo(bool unrestorable, int typeSelf, const std::string& valueSelf) {
  ConflictInfo info;
  info.isUnrestorable = unrestorable;
  info.conflictedTypeSelf = typeSelf;
  info.conflictedValueSelf = valueSelf;
  return info;
}

}  // namespace

std::optional<ConflictInfo> KORAMgr::conflictInfo(const std::string& keyword, const std::string& value) {
  KORAUI* primary = _mainKeywordAndControls.primary(keyword);
  if (primary == nullptr) return std::nullopt;
  for (const auto& [pattern, level] : primary->getConflictDictionary()) {
    if (isTitleOrMessageKey(pattern) || !level.isDict()) continue;
    const int type = conflictedType(pattern, value);
    if (type == kConflictedTypeNone) continue;
    if (std::optional<ConflictInfo> found = findConflictInfo(*level.asDict(), type, conflictedValue(pattern)))
      return found;
  }
  return std::nullopt;
}

std::optional<ConflictInfo> KORAMgr::findConflictInfo(const Dict& level, int conflictedTypeSelf,
                                                      const std::string& conflictedValueSelf) {
  std::optional<ConflictInfo> result;
  for (const auto& [otherKeyword, patterns] : level) {
    if (isTitleOrMessageKey(otherKeyword) || !patterns.isDict()) continue;
    KORAUI* other = _mainKeywordAndControls.primary(otherKeyword);
    const std::optional<std::string> otherValue = other ? other->getStringValue() : std::nullopt;
    int otherType = kConflictedTypeNone;
    const Dict::Entry* matched = firstMatchingPattern(*patterns.asDict(), otherValue, otherType);
    if (matched == nullptr || !matched->second.isDict()) continue;
    const Dict& node = *matched->second.asDict();

    if (const Value* restore = node.find("restore")) {
      if (!result) result = newInfo(false, conflictedTypeSelf, conflictedValueSelf);
      if (const Dict* several = restore->asDict()) {
        for (const auto& [restoreKeyword, restoreValue] : *several)
          if (const std::optional<std::string> text = _textOf(restoreValue))
            result->addRestore(restoreKeyword, *text);
      } else if (const std::optional<std::string> text = _textOf(*restore)) {
        result->addRestore(otherKeyword, *text);
      }
    } else {
      std::optional<ConflictInfo> finding = findConflictInfo(node, conflictedTypeSelf, conflictedValueSelf);
      if (!finding) continue;
      if (result) result->mergeMissing(*finding);
      else result = std::move(finding);
    }
    result->addConflictedKey(otherKeyword, otherType, conflictedValue(matched->first));
  }
  return result;
}

std::optional<ConflictInfo> KORAMgr::findUnrestorableConflictInfo(const Dict& level, int conflictedTypeSelf,
                                                                  const std::string& conflictedValueSelf) {
  if (!_isInitializedNetworkData || !_isInitializedNetworkData()) return std::nullopt;
  for (const auto& [otherKeyword, patterns] : level) {
    if (isTitleOrMessageKey(otherKeyword) || !patterns.isDict()) continue;
    KORAUI* other = _mainKeywordAndControls.primary(otherKeyword);
    const std::optional<std::string> otherValue = other ? other->getStringValue() : std::nullopt;
    int otherType = kConflictedTypeNone;
    const Dict::Entry* matched = firstMatchingPattern(*patterns.asDict(), otherValue, otherType);
    if (matched == nullptr) continue;

    std::optional<ConflictInfo> result;
    if (isTerminalUnrestorableNode(matched->second)) {
      result = newInfo(true, conflictedTypeSelf, conflictedValueSelf);
      if (const Dict* node = matched->second.asDict()) copyTitleAndMessage(*node, *result);
    } else {
      result = findUnrestorableConflictInfo(*matched->second.asDict(), conflictedTypeSelf, conflictedValueSelf);
      if (!result) continue;
    }
    copyTitleAndMessage(*patterns.asDict(), *result);
    copyTitleAndMessage(level, *result);
    result->addConflictedKey(otherKeyword, otherType, conflictedValue(matched->first));
    return result;
  }
  return std::nullopt;
}

}  // namespace orval
