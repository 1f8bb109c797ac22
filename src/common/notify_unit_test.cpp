#include "common/notify_unit.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace orval {
namespace {

class NotifyUnitTest : public ::testing::Test {
 protected:
  void SetUp() override { NotificationCenter::defaultCenter().resetForTesting(); }
  void TearDown() override { NotificationCenter::defaultCenter().resetForTesting(); }

  // A handler that records the names it hears into seen.
  NotifyUnit::Handler recorder(std::vector<std::string>& seen) {
    return [&seen](const Notification& n) { seen.push_back(n.name); };
  }

  int observer_ = 0, otherObserver_ = 0, senderA_ = 0, senderB_ = 0;
};

TEST_F(NotifyUnitTest, NamesPassUnchangedAndFormsWithoutObjectHearEverySender) {
  std::vector<std::string> seen, fromA;
  NotifyUnit::addObserver(&observer_, recorder(seen), "ValueChangFinished_StapleMode");
  NotifyUnit::addObserver(&otherObserver_, recorder(fromA), "ValueChangFinished_StapleMode", &senderA_);
  for (const char* other : {"ValueChangFinished_staplemode", "StapleMode", "ValueChangFinished_StapleMode "})
    NotifyUnit::postNotificationName(other);
  EXPECT_TRUE(seen.empty());
  const std::string name = "ValueChangFinished_StapleMode";
  NotifyUnit::postNotificationName(name);
  NotifyUnit::postNotificationName(name, &senderA_);
  NotifyUnit::postNotificationName(name, Dict{});
  NotifyUnit::postNotificationName(name, &senderB_, Dict{});
  NotifyUnit::postNotificationName(name, Dict{}, 0);
  EXPECT_EQ(seen.size(), 5u);
  EXPECT_EQ(fromA.size(), 1u);  // the object form hears only its sender
}

TEST_F(NotifyUnitTest, UserInfoAndSenderReachTheObserverSynchronously) {
  Dict received;
  const void* sender = nullptr;
  NotifyUnit::addObserver(&observer_, [&](const Notification& n) {
    received = n.userInfo;
    sender = n.object;
  }, "ColorMode");
  NotifyUnit::postNotificationName("ColorMode", &senderA_, Dict{{"Paramater", Value("Gray")}});
  EXPECT_EQ(received.get("Paramater"), Value("Gray"));
  EXPECT_EQ(sender, &senderA_);
  NotifyUnit::postNotificationName("ColorMode", Dict{{"Paramater", Value("Color")}}, 1UL);
  EXPECT_EQ(received.get("Paramater"), Value("Color"));
  EXPECT_EQ(sender, nullptr);
}

TEST_F(NotifyUnitTest, RemovingByNameKeepsTheObserversOtherNames) {
  std::vector<std::string> seen, otherSeen;
  NotifyUnit::addObserver(&observer_, recorder(seen), "Fold");
  NotifyUnit::addObserver(&observer_, recorder(seen), "StapleMode");
  NotifyUnit::addObserver(&otherObserver_, recorder(otherSeen), "Fold");
  NotifyUnit::addObserver(nullptr, recorder(seen), "Fold");  // registers nothing
  NotifyUnit::removeObserver(&observer_, "Fold");
  NotifyUnit::postNotificationName("Fold");
  NotifyUnit::postNotificationName("StapleMode");
  EXPECT_EQ(seen, std::vector<std::string>{"StapleMode"});
  EXPECT_EQ(otherSeen, std::vector<std::string>{"Fold"});
  NotifyUnit::removeObserver(&observer_);
  NotifyUnit::postNotificationName("StapleMode");
  EXPECT_EQ(seen.size(), 1u);
}

}  // namespace
}  // namespace orval
