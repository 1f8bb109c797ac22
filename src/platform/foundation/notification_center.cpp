#include "platform/foundation/notification_center.h"

#include <utility>

namespace orval {

struct NotificationCenter::Registration {
  const void* observer;
  std::string name;    // empty: every name
  const void* sender;  // null: every sender
  Handler handler;
  std::uint64_t sequence;
  bool removed = false;  // set on removal, so a delivery in progress skips it

  bool takes(const void* postedSender) const { return !removed && (sender == nullptr || sender == postedSender); }
};

const Dict& NotificationCenter::noUserInfo() {
  static const Dict none;
  return none;
}

NotificationCenter& NotificationCenter::defaultCenter() {
  static NotificationCenter center;
  return center;
}

void NotificationCenter::addObserver(const void* observer, std::string name, const void* sender,
                                     Handler handler) {
  if (!handler) return;
  auto registration = std::make_shared<Registration>(
      Registration{observer, std::move(name), sender, std::move(handler), nextSequence_++});
  SharedList& slot = registration->name.empty() ? everyName_ : byName_[registration->name];
  auto grown = std::make_shared<List>();
  if (slot) {
    grown->reserve(slot->size() + 1);
    *grown = *slot;
  }
  grown->push_back(std::move(registration));
  slot = std::move(grown);
  ++count_;
}

template <class Matches>
NotificationCenter::SharedList NotificationCenter::without(const SharedList& list, const Matches& matches) {
  if (!list) return list;
  std::size_t kept = 0;
  for (const std::shared_ptr<Registration>& r : *list) kept += matches(*r) ? 0 : 1;
  if (kept == list->size()) return list;
  count_ -= list->size() - kept;
  if (kept == 0) {
    for (const std::shared_ptr<Registration>& r : *list) r->removed = true;
    return nullptr;
  }
  auto shrunk = std::make_shared<List>();
  shrunk->reserve(kept);
  for (const std::shared_ptr<Registration>& r : *list) {
    if (matches(*r)) r->removed = true;
    else shrunk->push_back(r);
  }
  return shrunk;
}

void NotificationCenter::removeObserver(const void* observer) { removeObserver(observer, std::string()); }

void NotificationCenter::removeObserver(const void* observer, const std::string& name,
                                        const void* sender) {
  const auto matches = [&](const Registration& r) {
    return r.observer == observer && (sender == nullptr || r.sender == sender);
  };
  if (!name.empty()) {
    // Only the registrations made for exactly this name.
    const auto it = byName_.find(name);
    if (it == byName_.end()) return;
    it->second = without(it->second, matches);
    if (!it->second) byName_.erase(it);
    return;
  }
  everyName_ = without(everyName_, matches);
  for (auto it = byName_.begin(); it != byName_.end();) {
    it->second = without(it->second, matches);
    it = it->second ? std::next(it) : byName_.erase(it);
  }
}

void NotificationCenter::post(const std::string& name, const void* sender, const Dict& userInfo) {
  if (name.empty()) return;
  // The lists as they are now: they keep every registration (and its
  // handler) alive while it runs, and leave out those added by the handlers.
  SharedList named;
  if (const auto it = byName_.find(name); it != byName_.end()) named = it->second;
  const SharedList every = everyName_;
  if (!named && !every) return;
  const Notification notification{name, sender, userInfo};

  static const List kNone;
  const List& a = named ? *named : kNone;
  const List& b = every ? *every : kNone;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    const bool fromA = j >= b.size() || (i < a.size() && a[i]->sequence < b[j]->sequence);
    const Registration& r = fromA ? *a[i++] : *b[j++];
    if (r.takes(sender)) r.handler(notification);
  }
}

std::size_t NotificationCenter::observerCount() const { return count_; }

void NotificationCenter::resetForTesting() {
  const auto all = [](const Registration&) { return true; };
  everyName_ = without(everyName_, all);
  for (auto& entry : byName_) without(entry.second, all);
  byName_.clear();
  count_ = 0;
}

}  // namespace orval
