// KORAMgr: the bookkeeping of settled keywords (see kora_mgr.h) and the
// tables it reads them from.
#include <algorithm>

#include "settings_ui/kora_mgr.h"
#include "settings_ui/kora_mgr_internal.h"

namespace orval {
namespace {

template <class Id>
void addOnce(std::vector<Id>& list, Id id) {
  if (std::find(list.begin(), list.end(), id) == list.end()) list.push_back(id);
}

}  // namespace

KORAMgr::Id KORAMgr::_intern(const std::string& keyword) {
  const Id id = _mainKeywordAndControls.intern(keyword);
  if (_states.size() <= id) _states.resize(id + 1);
  return id;
}

void KORAMgr::setSettledSkipEnabled(bool enabled) { _settledSkipEnabled = enabled; }

// The tables --------------------------------------------------------------------------------------

const std::shared_ptr<const KORAMgr::Tables>& KORAMgr::_tables(Id id, const KORAUI& primary) {
  KeywordState& state = _states[id];
  if (state.tables && state.tablesOf == &primary) return state.tables;

  auto tables = std::make_shared<Tables>();
  // Reads table into the entries: every target of every self value's entry, in order.
  const auto read = [&](const Dict& table, std::vector<Tables::Target> Tables::Entry::*list, auto&& rule) {
    for (const auto& [selfValue, targets] : table) {
      const Dict* entry = targets.asDict();
      if (entry == nullptr) continue;
      std::vector<Tables::Target>& into = tables->entryFor(selfValue).*list;
      for (const auto& [keyword, value] : *entry) {
        Tables::Target target;
        target.id = _intern(keyword);
        rule(value, target);
        into.push_back(std::move(target));
      }
    }
  };
  const auto truth = [](const Value& value, Tables::Target& target) { target.flag = value.truth(); };
  read(primary.getLogicalSumConditionDictionary(), &Tables::Entry::logicalSum, truth);
  read(primary.getConditionDictionary(), &Tables::Entry::condition, [](const Value& value, Tables::Target& target) {
    if (const Dict* perItem = value.asDict()) target.perItem = std::make_shared<const Dict>(*perItem);
    else target.flag = value.truth();
  });
  read(primary.getHideDictionary(), &Tables::Entry::hide, truth);
  read(primary.getCooperationDictionary(), &Tables::Entry::cooperation,
       [](const Value& value, Tables::Target& target) { target.text = _textOf(value); });

  // The keywords that these conditions reach learn of it: a change of any of
  // them makes the conditions of id run again.
  for (const auto& [selfValue, entry] : tables->byValue) {
    for (const Tables::Target& target : entry.logicalSum) _noteTarget(id, target.id, false);
    for (const Tables::Target& target : entry.condition) _noteTarget(id, target.id, target.perItem != nullptr);
    const auto isSelf = [id](const Tables::Target& target) { return target.id == id; };
    if (std::any_of(entry.logicalSum.begin(), entry.logicalSum.end(), isSelf) ||
        std::any_of(entry.condition.begin(), entry.condition.end(), isSelf))
      tables->namesItself = true;
  }
  KeywordState& refreshed = _states[id];
  refreshed.tables = std::move(tables);
  refreshed.tablesOf = &primary;
  return refreshed.tables;
}

void KORAMgr::_noteTarget(Id parent, Id target, bool perItem) {
  KeywordState& state = _states[target];
  addOnce(state.parents, parent);
  if (perItem) addOnce(state.perItemParents, parent);
}

// Changes -----------------------------------------------------------------------------------------

void KORAMgr::controlDidChange(KORAUI& /*control*/, KORAUIChange change, std::uint32_t cookie) {
  const Id id = cookie;
  switch (change) {
    case KORAUIChange::Value:
      _keywordChanged(id, false);
      return;
    case KORAUIChange::Enabling:
      _keywordChanged(id, true);
      return;
    case KORAUIChange::Description:
      _states[id].tables.reset();
      _keywordChanged(id, true);
      return;
    case KORAUIChange::Destroyed:
      _states[id].tables.reset();
      _pendingCompaction.push_back(id);
      _keywordChanged(id, true);
      return;
  }
}

void KORAMgr::_keywordChanged(Id id, bool allParents) {
  KeywordState& state = _states[id];
  state.conditionsFresh = false;
  // A parent's enabling of this keyword no longer holds as it was set (for a
  // value change: only a per-item enabling, which may move the selection).
  for (const Id parent : allParents ? state.parents : state.perItemParents) {
    _states[parent].conditionsFresh = false;
    _unsettle(parent);
  }
  _unsettle(id);
}

void KORAMgr::_unsettle(Id id) {
  // A keyword that is not settled has no settled keyword above it that
  // reaches it (settling needs every announced target settled), so the
  // walk stops there.
  if (!_states[id].settled) return;
  std::vector<Id>& pending = _unsettling;
  pending.assign(1, id);
  while (!pending.empty()) {
    const Id next = pending.back();
    pending.pop_back();
    KeywordState& state = _states[next];
    if (!state.settled) continue;
    state.settled = false;
    for (const Id parent : state.parents)
      if (_states[parent].settled) pending.push_back(parent);
  }
}

// Settling ----------------------------------------------------------------------------------------

bool KORAMgr::_isSettled(Id id) {
  KeywordState& state = _states[id];
  if (state.settled) return true;
  if (_primary(id) != nullptr) return false;
  // Without a control its validation does nothing; a control registered
  // later unsettles it again.
  state.settled = true;
  return true;
}

void KORAMgr::_settle(Id id) {
  if (!_settledSkipEnabled) return;
  KeywordState& state = _states[id];
  if (state.settled || state.validating != 0 || !state.conditionsFresh) return;
  KORAUI* primary = _primary(id);
  if (primary == nullptr) return;
  // Reading may find a change made on the widgets themselves, which makes the conditions stale.
  const std::optional<std::string>& current = primary->getStringValue();
  const std::optional<std::string>& old = primary->getOldValue();
  if (!current || !old || *current != *old || !state.conditionsFresh) return;
  if (const Tables::Entry* entry = _tables(id, *primary)->find(current)) {
    for (const Tables::Target& target : entry->logicalSum)
      if (!_isSettled(target.id)) return;
    if (primary->isEnabled())
      for (const Tables::Target& target : entry->condition)
        if (!_isSettled(target.id)) return;
  }
  _states[id].settled = true;
}

}  // namespace orval
