#include "settings_ui/kora_control_registry.h"

#include <algorithm>

#include "settings_ui/kora_ui.h"

namespace orval {

const std::vector<KORAUI*>* KORAControlRegistry::find(const std::string& keyword) const {
  const Id id = idOf(keyword);
  return id != kNoId && _listed[id] ? &_entries[id]->controls : nullptr;
}

KORAUI* KORAControlRegistry::primary(const std::string& keyword) const {
  const Id id = idOf(keyword);
  return id == kNoId ? nullptr : primary(id);
}

KORAUI* KORAControlRegistry::primary(Id id) const {
  const Entry& e = *_entries[id];
  for (std::size_t i = 0; i < e.controls.size(); ++i)
    if (!e.lifetimes[i].expired()) return e.controls[i];
  return nullptr;
}

std::vector<KORAControlRegistry::ControlRef> KORAControlRegistry::allLiving() const {
  std::vector<ControlRef> refs;
  for (const Id id : _order) {
    const Entry& e = *_entries[id];
    for (std::size_t i = 0; i < e.controls.size(); ++i)
      if (!e.lifetimes[i].expired()) refs.push_back({e.controls[i], e.lifetimes[i]});
  }
  return refs;
}

KORAControlRegistry::Id KORAControlRegistry::idOf(std::string_view keyword) const {
  const auto it = _index.find(keyword);
  return it == _index.end() ? kNoId : it->second;
}

KORAControlRegistry::Id KORAControlRegistry::intern(const std::string& keyword) {
  const auto [it, added] = _index.try_emplace(keyword, static_cast<Id>(_entries.size()));
  if (added) {
    _entries.push_back(std::make_unique<Entry>(Entry{keyword, {}, {}}));
    _listed.push_back(false);
  }
  return it->second;
}

bool KORAControlRegistry::add(Id id, KORAUI* control) {
  Entry& e = *_entries[id];
  for (std::size_t i = 0; i < e.controls.size(); ++i)
    if (e.controls[i] == control && !e.lifetimes[i].expired()) return false;
  e.controls.push_back(control);
  e.lifetimes.push_back(control->lifetimeToken());
  if (!_listed[id]) {
    _listed[id] = true;
    _order.push_back(id);
  }
  return true;
}

std::vector<KORAControlRegistry::Id> KORAControlRegistry::remove(const KORAUI* control) {
  std::vector<Id> touched;
  for (const Id id : _order) {
    Entry& e = *_entries[id];
    for (std::size_t i = 0; i < e.controls.size(); ++i) {
      if (e.controls[i] != control || e.controls[i] == nullptr) continue;
      e.controls[i] = nullptr;
      e.lifetimes[i].reset();
      if (touched.empty() || touched.back() != id) touched.push_back(id);
    }
  }
  return touched;
}

bool KORAControlRegistry::compact(Id id, std::size_t& destroyed) {
  Entry& e = *_entries[id];
  std::size_t kept = 0;
  for (std::size_t i = 0; i < e.controls.size(); ++i) {
    if (e.lifetimes[i].expired()) {
      destroyed += e.controls[i] != nullptr ? 1 : 0;
      continue;
    }
    // A control that stays in place keeps its token: moving a token onto itself empties it.
    if (kept != i) {
      e.controls[kept] = e.controls[i];
      e.lifetimes[kept] = std::move(e.lifetimes[i]);
    }
    ++kept;
  }
  e.controls.resize(kept);
  e.lifetimes.resize(kept);
  if (kept != 0 || !_listed[id]) return false;
  _listed[id] = false;
  std::erase(_order, id);
  return true;
}

}  // namespace orval
