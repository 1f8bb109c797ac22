// NotificationCenter: the process's notification centre.
//
// Observers register for a name (or every name, with an empty name) and an
// optional sender; posting delivers synchronously, in registration order, on
// the posting thread. An observer removed while a notification is being
// delivered is not called afterwards; one added during delivery is first
// called for the next notification.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
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
  void post(const std::string& name, const void* sender = nullptr, const Dict& userInfo = {});

  // The number of registrations, for tests.
  std::size_t observerCount() const;
  // Forgets every registration (test-only reset of the shared centre).
  void resetForTesting();

 private:
  struct Registration;
  // Registrations in the order they were made. Delivery walks a copy of this
  // list and skips those removed meanwhile.
  std::vector<std::shared_ptr<Registration>> registrations_;
};

}  // namespace orval
