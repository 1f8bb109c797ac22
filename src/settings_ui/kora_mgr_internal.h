// Internal parts of KORAMgr shared by its implementation files: a keyword's
// tables resolved to keyword ids, the busy count, and the walk over a
// keyword's controls.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings_ui/kora_mgr.h"

namespace orval {

// The "logical_sum_condition", "condition", "hide" and "cooperation" tables
// of a keyword's primary control, by self value, with every target keyword
// given as its id and every rule read once. Entries keep their tables'
// order. A copy, so that it outlives a control destroyed while it is used.
struct KORAMgr::Tables {
  struct Target {
    Id id = KORAControlRegistry::kNoId;
    // The rule's truth (logical sums, conditions, hiding).
    bool flag = false;
    // A condition entry that enables pop-up items, by choice value.
    std::shared_ptr<const Dict> perItem;
    // The value a cooperation target takes (none: the target is only announced).
    std::optional<std::string> text;
  };
  // What the tables hold for one self value.
  struct Entry {
    std::vector<Target> logicalSum;
    std::vector<Target> condition;
    std::vector<Target> hide;
    std::vector<Target> cooperation;
  };
  // The entry for value, or nullptr. A control has a handful of values: a
  // walk compares fewer bytes than a hash would read.
  const Entry* find(const std::optional<std::string>& value) const {
    if (!value) return nullptr;
    for (const auto& [self, entry] : byValue)
      if (self == *value) return &entry;
    return nullptr;
  }
  // The entry for value, made when missing.
  Entry& entryFor(const std::string& value) {
    for (auto& [self, entry] : byValue)
      if (self == value) return entry;
    return byValue.emplace_back(value, Entry()).second;
  }

  std::vector<std::pair<std::string, Entry>> byValue;
  // A logical-sum or condition entry names the keyword itself.
  bool namesItself = false;
};

class KORAMgr::BusyScope {
 public:
  explicit BusyScope(KORAMgr& engine) : _engine(engine) { ++_engine._busy; }
  ~BusyScope() {
    if (--_engine._busy == 0 && !_engine._pendingCompaction.empty()) _engine._compact();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  KORAMgr& _engine;
};

// Each control is tested just before it is used: a control's action may run
// a validation whose alert lets the person close a pane and destroy its
// controls. Controls registered meanwhile are left out.
template <class Visit>
void KORAMgr::_forEachControl(Id id, Visit&& visit) {
  BusyScope busy(*this);
  const KORAControlRegistry::Entry& entry = _mainKeywordAndControls.entry(id);
  const std::size_t count = entry.controls.size();
  for (std::size_t i = 0; i < count; ++i)
    if (!entry.lifetimes[i].expired()) visit(*entry.controls[i]);
}

}  // namespace orval
