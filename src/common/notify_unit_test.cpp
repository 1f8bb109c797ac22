#include "common/notify_unit.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(NotifyUnitTest, NamesSendersUserInfoAndRemovalByName) {
  NotificationCenter::defaultCenter().resetForTesting();
  int observer = 0, other = 0, senderA = 0, senderB = 0;
  std::vector<std::string> seen, fromA, otherSeen;
  const void* sender = &senderB;
  Dict received;
  const auto recorder = [](std::vector<std::string>& into) {
    return [&into](const Notification& n) { into.push_back(n.name); };
  };
  const std::string name = "ValueChangFinished_StapleMode";
  NotifyUnit::addObserver(&observer, recorder(seen), name);
  NotifyUnit::addObserver(&other, recorder(fromA), name, &senderA);  // hears only its sender
  const auto keep = [&](const Notification& n) { received = n.userInfo, sender = n.object; };
  NotifyUnit::addObserver(&other, keep, "ColorMode");
  for (const char* near : {"ValueChangFinished_staplemode", "StapleMode", "ValueChangFinished_StapleMode "})
    NotifyUnit::postNotificationName(near);
  EXPECT_TRUE(seen.empty());
  NotifyUnit::postNotificationName(name);
  NotifyUnit::postNotificationName(name, &senderA);
  NotifyUnit::postNotificationName(name, &senderB, Dict{});
  NotifyUnit::postNotificationName(name, Dict{}, 0);
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(fromA.size(), 1u);
  NotifyUnit::postNotificationName("ColorMode", &senderA, Dict{{"Paramater", Value("Gray")}});
  EXPECT_EQ(received.get("Paramater"), Value("Gray"));
  EXPECT_EQ(sender, &senderA);
  NotifyUnit::postNotificationName("ColorMode", Dict{{"Paramater", Value("Color")}}, 1UL);
  EXPECT_EQ(received.get("Paramater"), Value("Color"));
  EXPECT_EQ(sender, nullptr);

  seen.clear();
  NotifyUnit::addObserver(&observer, recorder(seen), "Fold");
  NotifyUnit::addObserver(&other, recorder(otherSeen), "Fold");
  NotifyUnit::addObserver(nullptr, recorder(seen), "Fold");  // registers nothing
  NotifyUnit::removeObserver(&observer, "Fold");
  NotifyUnit::postNotificationName("Fold");
  NotifyUnit::postNotificationName(name);
  EXPECT_EQ(seen, std::vector<std::string>{name});  // the observer's other names stay
  EXPECT_EQ(otherSeen, std::vector<std::string>{"Fold"});
  NotificationCenter::defaultCenter().resetForTesting();
}

}  // namespace
}  // namespace orval
