#include "platform/foundation/notification_center.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orval {
namespace {

class NotificationCenterTest : public ::testing::Test {
 protected:
  void SetUp() override { center_.resetForTesting(); }
  void TearDown() override { center_.resetForTesting(); }

  void listen(const void* observer, const std::string& name, const std::string& label, const void* sender = nullptr) {
    center_.addObserver(observer, name, sender, [this, label](const Notification&) { calls_.push_back(label); });
  }

  std::vector<std::string> take() { return std::exchange(calls_, {}); }

  NotificationCenter& center_ = NotificationCenter::defaultCenter();
  std::vector<std::string> calls_;
  int a_ = 0, b_ = 0, c_ = 0, d_ = 0;
  int sender1_ = 0, sender2_ = 0;
};

TEST_F(NotificationCenterTest, DeliversInRegistrationOrderWithEveryNameObserversInTheirPlace) {
  listen(&b_, "Fold", "b");
  listen(&d_, "", "every");  // registered between b and a: heard between them
  listen(&a_, "Fold", "a");
  listen(&c_, "Punch", "c");
  center_.post("Fold");
  EXPECT_EQ(take(), (std::vector<std::string>{"b", "every", "a"}));
  center_.post("");  // an empty name reaches nobody, not even the every-name observer
  EXPECT_TRUE(calls_.empty());
}

TEST_F(NotificationCenterTest, FiltersBySender) {
  listen(&a_, "Fold", "only1", &sender1_);
  listen(&b_, "Fold", "any");
  center_.post("Fold", &sender2_);
  center_.post("Fold");
  EXPECT_EQ(take(), (std::vector<std::string>{"any", "any"}));
  center_.post("Fold", &sender1_);
  EXPECT_EQ(calls_, (std::vector<std::string>{"only1", "any"}));
}

TEST_F(NotificationCenterTest, RemovesByObserverNameAndSender) {
  listen(&a_, "Fold", "fold1", &sender1_);
  listen(&a_, "Fold", "fold2", &sender2_);
  listen(&a_, "Punch", "punch");
  listen(&b_, "Fold", "b");
  center_.removeObserver(&a_, "Fold", &sender2_);
  center_.post("Fold", &sender2_);
  center_.post("Fold", &sender1_);
  EXPECT_EQ(calls_, (std::vector<std::string>{"b", "fold1", "b"}));

  center_.removeObserver(&a_, "");  // every name of a_
  EXPECT_EQ(center_.observerCount(), 1u);
  center_.removeObserver(&b_);
  EXPECT_EQ(center_.observerCount(), 0u);
}

TEST_F(NotificationCenterTest, ObserversRemovedDuringDeliveryAreNotCalledAndAddedOnesHearTheNextOne) {
  // a adds d and removes itself and c; b, registered between them, still hears it.
  center_.addObserver(&a_, "Tray", nullptr, [this](const Notification&) {
    calls_.push_back("a");
    listen(&d_, "Tray", "added");
    center_.removeObserver(&a_);
    center_.removeObserver(&c_);
  });
  listen(&b_, "Tray", "b");
  listen(&c_, "Tray", "c");
  center_.post("Tray");
  EXPECT_EQ(take(), (std::vector<std::string>{"a", "b"}));
  center_.post("Tray");
  EXPECT_EQ(take(), (std::vector<std::string>{"b", "added"}));
  // A reset during delivery stops it.
  center_.addObserver(&a_, "Tray", nullptr, [this](const Notification&) {
    calls_.push_back("reset");
    center_.resetForTesting();
  });
  listen(&c_, "Tray", "c");
  center_.post("Tray");
  EXPECT_EQ(calls_, (std::vector<std::string>{"b", "added", "reset"}));
  EXPECT_EQ(center_.observerCount(), 0u);
}

TEST_F(NotificationCenterTest, HandlersMayPostAndRemoveInNestedDeliveries) {
  // a's handler posts "Inner"; c, the inner observer, removes b, who is
  // still due for the outer notification and must not hear it.
  center_.addObserver(&a_, "Outer", nullptr, [this](const Notification&) {
    calls_.push_back("a begins");
    center_.post("Inner", &sender1_);
    calls_.push_back("a ends");
  });
  listen(&b_, "Outer", "b");
  center_.addObserver(&c_, "Inner", nullptr, [this](const Notification& n) {
    calls_.push_back(n.object == &sender1_ ? "c" : "c with a wrong sender");
    center_.removeObserver(&b_);
  });
  center_.post("Outer");
  EXPECT_EQ(calls_, (std::vector<std::string>{"a begins", "c", "a ends"}));
}

}  // namespace
}  // namespace orval
