// NotificationCenter: the process's notification centre.
//
// Observers register for a name (or every name, with an empty name) and an
// optional sender; posting delivers synchronously, in registration order, on
// the posting thread. An observer removed while a notification is being
// delivered is not called afterwards; one added during delivery is first
// called for the next notification.
//
// Registrations are kept per name (and apart, those for every name), so a
// post costs what the observers of its name cost, not what all observers
// cost. Each list is shared and never changed in place: adding or removing
// makes a new list, and a delivery walks the lists that were current when
// it began (skipping registrations removed meanwhile).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/foundation/value.h"

namespace orval {

struct Notification {
  std::string name;
  const void* object = nullptr;  // the sender, or none
  Dict userInfo;
};

class NotificationCenter {
 public:
  using Handler = std::function<void(const Notification&)>;

  // The process-wide centre.
  static NotificationCenter& defaultCenter();

  // Registers handler for observer. An empty name matches every name; a null
  // sender matches every sender.
  void addObserver(const void* observer, std::string name, const void* sender, Handler handler);
  // Removes every registration of observer.
  void removeObserver(const void* observer);
  // Removes observer's registrations for name (all of them when name is
  // empty) and, when sender is given, only those for that sender.
  void removeObserver(const void* observer, const std::string& name, const void* sender = nullptr);
  // Delivers a notification to every matching observer (none for an empty name).
  void post(const std::string& name, const void* sender = nullptr, const Dict& userInfo = noUserInfo());
  // The empty user information of a post without any.
  static const Dict& noUserInfo();

  // The number of registrations, for tests.
  std::size_t observerCount() const;
  // Forgets every registration (test-only reset of the shared centre).
  void resetForTesting();

 private:
  struct Registration;
  // Registrations of one name in the order they were made; never changed once shared.
  using List = std::vector<std::shared_ptr<Registration>>;
  using SharedList = std::shared_ptr<const List>;

  // Hashing that finds a std::string key from any string-like key without a copy.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };

  // The list that replaces list without the registrations that remove matches
  // (each marked removed); list itself when none matches, nullptr when none is left.
  template <class Matches>
  SharedList without(const SharedList& list, const Matches& matches);

  std::unordered_map<std::string, SharedList, NameHash, std::equal_to<>> byName_;
  // The registrations for every name.
  SharedList everyName_;
  // Orders registrations across the lists: delivery merges a name's list
  // with the every-name list by it.
  std::uint64_t nextSequence_ = 0;
  std::size_t count_ = 0;
};

}  // namespace orval
