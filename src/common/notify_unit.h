// NotifyUnit: the system's one way to announce and observe changes.
//
// A stateless wrapper over the process's NotificationCenter. Every setting
// control announces a user change by posting a notification named by its
// print option key; the settings engine and the panel observe those names.
// Each operation passes the name unchanged. The forms without an object
// register or post with no sender, so their observers receive the name from
// any sender. Delivery is synchronous, on the posting thread.
#pragma once

#include <string>

#include "platform/foundation/notification_center.h"
#include "platform/foundation/value.h"

namespace orval {

class NotifyUnit {
 public:
  // What an observer is called with (stands for the observer's selector).
  using Handler = NotificationCenter::Handler;
  // Delivery options of the posting form that takes them; delivery is always
  // synchronous, so they have no effect.
  using Options = unsigned long;

  NotifyUnit() = delete;

  // Observes name from any sender; a null observer or an empty handler registers nothing.
  static void addObserver(const void* observer, Handler selector, const std::string& name);
  // Observes name from object only (from any sender when object is null).
  static void addObserver(const void* observer, Handler selector, const std::string& name,
                          const void* object);
  // Removes every registration of observer.
  static void removeObserver(const void* observer);
  // Removes observer's registrations for name (every name when name is empty).
  static void removeObserver(const void* observer, const std::string& name);

  // Posts name with no sender and no user information.
  static void postNotificationName(const std::string& name);
  // Posts name from object.
  static void postNotificationName(const std::string& name, const void* object);
  // Posts name with no sender and userInfo.
  static void postNotificationName(const std::string& name, const Dict& userInfo);
  // Posts name from object with userInfo.
  static void postNotificationName(const std::string& name, const void* object,
                                   const Dict& userInfo);
  // Posts name with no sender and userInfo; options are ignored (delivery is synchronous).
  static void postNotificationName(const std::string& name, const Dict& userInfo, Options options);
};

}  // namespace orval
