#include "platform/foundation/notification_center.h"

#include <algorithm>
#include <utility>

namespace orval {

struct NotificationCenter::Registration {
  const void* observer;
  std::string name;    // empty: every name
  const void* sender;  // null: every sender
  Handler handler;
  bool removed = false;  // set on removal, so a delivery in progress skips it

  bool matches(const std::string& postedName, const void* postedSender) const {
    return (name.empty() || name == postedName) && (sender == nullptr || sender == postedSender);
  }
};

NotificationCenter& NotificationCenter::defaultCenter() {
  static NotificationCenter center;
  return center;
}

void NotificationCenter::addObserver(const void* observer, std::string name, const void* sender,
                                     Handler handler) {
  if (!handler) return;
  registrations_.push_back(std::make_shared<Registration>(
      Registration{observer, std::move(name), sender, std::move(handler)}));
}

void NotificationCenter::removeObserver(const void* observer) {
  std::erase_if(registrations_, [&](const std::shared_ptr<Registration>& r) {
    if (r->observer != observer) return false;
    r->removed = true;
    return true;
  });
}

void NotificationCenter::removeObserver(const void* observer, const std::string& name,
                                        const void* sender) {
  std::erase_if(registrations_, [&](const std::shared_ptr<Registration>& r) {
    if (r->observer != observer || (!name.empty() && r->name != name) ||
        (sender != nullptr && r->sender != sender))
      return false;
    r->removed = true;
    return true;
  });
}

void NotificationCenter::post(const std::string& name, const void* sender, const Dict& userInfo) {
  if (name.empty()) return;
  const Notification notification{name, sender, userInfo};
  // The copy keeps every registration (and its handler) alive while it runs,
  // and leaves out those added by the handlers.
  const std::vector<std::shared_ptr<Registration>> snapshot = registrations_;
  for (const std::shared_ptr<Registration>& r : snapshot)
    if (!r->removed && r->matches(name, sender)) r->handler(notification);
}

std::size_t NotificationCenter::observerCount() const { return registrations_.size(); }

void NotificationCenter::resetForTesting() {
  for (const std::shared_ptr<Registration>& r : registrations_) r->removed = true;
  registrations_.clear();
}

}  // namespace orval
