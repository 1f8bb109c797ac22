#include "common/notify_unit.h"

#include <utility>

namespace orval {

void NotifyUnit::addObserver(const void* observer, Handler selector, const std::string& name) {
  addObserver(observer, std::move(selector), name, nullptr);
}

void NotifyUnit::addObserver(const void* observer, Handler selector, const std::string& name,
                             const void* object) {
  // A registration without an observer could never be removed again, and
  // one without a handler could never be called: neither is made.
  if (observer == nullptr || !selector) return;
  NotificationCenter::defaultCenter().addObserver(observer, name, object, std::move(selector));
}

void NotifyUnit::removeObserver(const void* observer) {
  if (observer == nullptr) return;
  NotificationCenter::defaultCenter().removeObserver(observer);
}

void NotifyUnit::removeObserver(const void* observer, const std::string& name) {
  if (observer == nullptr) return;
  NotificationCenter::defaultCenter().removeObserver(observer, name);
}

void NotifyUnit::postNotificationName(const std::string& name) {
  NotificationCenter::defaultCenter().post(name);
}

void NotifyUnit::postNotificationName(const std::string& name, const void* object) {
  NotificationCenter::defaultCenter().post(name, object);
}

void NotifyUnit::postNotificationName(const std::string& name, const Dict& userInfo) {
  NotificationCenter::defaultCenter().post(name, nullptr, userInfo);
}

void NotifyUnit::postNotificationName(const std::string& name, const void* object,
                                      const Dict& userInfo) {
  NotificationCenter::defaultCenter().post(name, object, userInfo);
}

void NotifyUnit::postNotificationName(const std::string& name, const Dict& userInfo,
                                      Options /*options*/) {
  NotificationCenter::defaultCenter().post(name, nullptr, userInfo);
}

}  // namespace orval
