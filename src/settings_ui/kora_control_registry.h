// KORAControlRegistry: the registry of KORAMgr, main keyword -> its controls.
//
// Every keyword the engine meets (registered, or only named as a target by
// a table) gets a small, stable number, its id; the engine keeps its own
// bookkeeping per id. A keyword's controls are kept in registration order,
// each beside its lifetime token; the first living one is the keyword's
// primary control. Iteration shows the keywords that have controls, in the
// order they were first registered.
//
// Taking a control out (remove) or its destruction leaves its place in the
// list, marked, so that walks in progress keep their positions; compact()
// drops such places later, when no walk is running.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orval {

class KORAUI;

class KORAControlRegistry {
 public:
  using Id = std::uint32_t;
  static constexpr Id kNoId = UINT32_MAX;

  struct Entry {
    std::string keyword;
    // The controls, in registration order; nullptr where one was taken out.
    std::vector<KORAUI*> controls;
    // The lifetime tokens of controls, index for index (expired where one is gone or was taken out).
    std::vector<std::weak_ptr<const void>> lifetimes;
  };

  // A registered control and its lifetime token.
  struct ControlRef {
    KORAUI* control = nullptr;
    std::weak_ptr<const void> lifetime;
    // The control while it lives, else nullptr.
    KORAUI* get() const { return lifetime.expired() ? nullptr : control; }
  };

  // Walks the entries that have controls, in the order of their first registration.
  class Iterator {
   public:
    Iterator(const KORAControlRegistry& registry, std::vector<Id>::const_iterator at)
        : _registry(&registry), _at(at) {}
    const Entry& operator*() const { return _registry->entry(*_at); }
    const Entry* operator->() const { return &_registry->entry(*_at); }
    Iterator& operator++() {
      ++_at;
      return *this;
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a._at == b._at; }

   private:
    const KORAControlRegistry* _registry;
    std::vector<Id>::const_iterator _at;
  };

  // The controls of keyword, or nullptr when none is registered for it
  // (places of controls gone or taken out included until compact runs).
  const std::vector<KORAUI*>* find(const std::string& keyword) const;
  // The primary (first living) control of keyword, or nullptr.
  KORAUI* primary(const std::string& keyword) const;
  // The living controls of every keyword, keyword by keyword.
  std::vector<ControlRef> allLiving() const;

  // The id of keyword, or kNoId when it was never met.
  Id idOf(std::string_view keyword) const;
  // The id of keyword, given now when it was never met.
  Id intern(const std::string& keyword);
  // The entry of an id (stays at its address for the registry's life).
  const Entry& entry(Id id) const { return *_entries[id]; }
  // The primary control of an id, or nullptr.
  KORAUI* primary(Id id) const;
  // True when the id's entry is among the registered ones.
  bool isListed(Id id) const { return _listed[id]; }

  // Appends control to the list of id; false when the list holds it already.
  bool add(Id id, KORAUI* control);
  // Marks control taken out of every list; answers the ids it was taken from.
  std::vector<Id> remove(const KORAUI* control);
  // Drops the places of controls gone or taken out from the list of id;
  // answers true when the list is left without controls (it is then no
  // longer registered), and counts in destroyed the controls that were gone.
  bool compact(Id id, std::size_t& destroyed);

  // The number of registered keywords.
  std::size_t size() const { return _order.size(); }
  bool empty() const { return _order.empty(); }
  Iterator begin() const { return Iterator(*this, _order.begin()); }
  Iterator end() const { return Iterator(*this, _order.end()); }

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };

  std::vector<std::unique_ptr<Entry>> _entries;  // by id
  std::vector<bool> _listed;   // by id
  std::unordered_map<std::string, Id, NameHash, std::equal_to<>> _index;
  std::vector<Id> _order;
};

}  // namespace orval
