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

  // A handler that records the names it is called with.
  NotifyUnit::Handler recorder(std::vector<std::string>& seen) {
    return [&seen](const Notification& n) { seen.push_back(n.name); };
  }

  int observer_ = 0;
  int otherObserver_ = 0;
  int senderA_ = 0;
  int senderB_ = 0;
};

TEST_F(NotifyUnitTest, FormsWithoutObjectHearEverySender) {
  std::vector<std::string> seen;
  NotifyUnit::addObserver(&observer_, recorder(seen), "DuplexMode");
  NotifyUnit::postNotificationName("DuplexMode");
  NotifyUnit::postNotificationName("DuplexMode", &senderA_);
  NotifyUnit::postNotificationName("DuplexMode", Dict{});
  NotifyUnit::postNotificationName("DuplexMode", &senderB_, Dict{});
  NotifyUnit::postNotificationName("DuplexMode", Dict{}, 0);
  EXPECT_EQ(seen.size(), 5u);
}

TEST_F(NotifyUnitTest, NamesPassUnchanged) {
  std::vector<std::string> seen;
  NotifyUnit::addObserver(&observer_, recorder(seen), "ValueChangFinished_StapleMode");
  NotifyUnit::postNotificationName("ValueChangFinished_staplemode");
  NotifyUnit::postNotificationName("StapleMode");
  NotifyUnit::postNotificationName("ValueChangFinished_StapleMode ");
  EXPECT_TRUE(seen.empty());
  NotifyUnit::postNotificationName("ValueChangFinished_StapleMode");
  EXPECT_EQ(seen, std::vector<std::string>{"ValueChangFinished_StapleMode"});
}

TEST_F(NotifyUnitTest, ObjectFormHearsOnlyThatSender) {
  std::vector<std::string> seen;
  NotifyUnit::addObserver(&observer_, recorder(seen), "Fold", &senderA_);
  NotifyUnit::postNotificationName("Fold", &senderB_);
  NotifyUnit::postNotificationName("Fold");
  EXPECT_TRUE(seen.empty());
  NotifyUnit::postNotificationName("Fold", &senderA_, Dict{});
  EXPECT_EQ(seen.size(), 1u);
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

  // The options form delivers at once, with no sender.
  NotifyUnit::postNotificationName("ColorMode", Dict{{"Paramater", Value("Color")}}, 1UL);
  EXPECT_EQ(received.get("Paramater"), Value("Color"));
  EXPECT_EQ(sender, nullptr);
}

TEST_F(NotifyUnitTest, RemovingByNameKeepsTheObserversOtherNames) {
  std::vector<std::string> seen;
  std::vector<std::string> otherSeen;
  NotifyUnit::addObserver(&observer_, recorder(seen), "Fold");
  NotifyUnit::addObserver(&observer_, recorder(seen), "StapleMode");
  NotifyUnit::addObserver(&otherObserver_, recorder(otherSeen), "Fold");

  NotifyUnit::removeObserver(&observer_, "Fold");
  NotifyUnit::postNotificationName("Fold");
  NotifyUnit::postNotificationName("StapleMode");
  EXPECT_EQ(seen, std::vector<std::string>{"StapleMode"});
  EXPECT_EQ(otherSeen, std::vector<std::string>{"Fold"});

  NotifyUnit::removeObserver(&observer_);
  NotifyUnit::postNotificationName("StapleMode");
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(NotifyUnitTest, MissingObserverOrHandlerRegistersNothing) {
  const std::size_t before = NotificationCenter::defaultCenter().observerCount();
  NotifyUnit::addObserver(nullptr, [](const Notification&) {}, "Fold");
  NotifyUnit::addObserver(&observer_, NotifyUnit::Handler{}, "Fold");
  EXPECT_EQ(NotificationCenter::defaultCenter().observerCount(), before);
  NotifyUnit::removeObserver(nullptr);
  NotifyUnit::postNotificationName("Fold");  // no handler to call, no crash
}

}  // namespace
}  // namespace orval
