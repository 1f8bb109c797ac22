#include "common/notify_unit.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace orval {
namespace {

// The centre's own matching is tested beside it; here each entry point must pass on what it was given (the
// engine's tests drive the posts with user info and the removal of one name).
TEST(NotifyUnitTest, EachEntryPointPassesItsNameSenderAndUserInfo) {
  NotificationCenter::defaultCenter().resetForTesting();
  int observer = 0, sender = 0;
  std::vector<std::string> seen;  // name, "*" when from sender, and the "Paramater" entry
  const auto record = [&seen, &sender](const Notification& n) {
    seen.push_back(n.name + (n.object == &sender ? "*" : "") + n.userInfo.get("Paramater").text());
  };
  NotifyUnit::addObserver(&observer, record, "A");
  NotifyUnit::addObserver(&observer, record, "B", &sender);  // hears only its sender
  NotifyUnit::addObserver(nullptr, record, "A");              // neither registers anything
  NotifyUnit::addObserver(&observer, nullptr, "A");
  const Dict gray{{"Paramater", "Gray"}};
  NotifyUnit::postNotificationName("A");
  NotifyUnit::postNotificationName("A", &sender);
  NotifyUnit::postNotificationName("A", gray, 0);
  NotifyUnit::postNotificationName("B");
  NotifyUnit::postNotificationName("B", &sender);
  NotifyUnit::removeObserver(&observer);
  NotifyUnit::postNotificationName("B", &sender);
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "A*", "AGray", "B*"}));
  NotificationCenter::defaultCenter().resetForTesting();
}

}  // namespace
}  // namespace orval
