#include "platform/toolkit/run_loop.h"

#include <gtest/gtest.h>

#include <vector>

namespace orval::tk {
namespace {

TEST(RunLoopTest, DrainsOnlyItemsQueuedBeforeTheTurnAndEligibleInTheMode) {
  RunLoop loop;
  std::vector<int> ran;
  loop.performOnNextTurn([&] {
    ran.push_back(1);
    loop.performOnNextTurn([&] { ran.push_back(4); });  // queued while draining: waits for the next turn
  });
  loop.performOnNextTurn([&] { ran.push_back(2); }, {RunLoopMode::ModalPanel});
  loop.performOnNextTurn([&] { ran.push_back(3); }, RunLoop::commonModes());
  EXPECT_EQ(loop.pendingCount(RunLoopMode::ModalPanel), 2u);
  EXPECT_EQ(loop.runPendingTurns(RunLoopMode::ModalPanel), 2);
  EXPECT_EQ(ran, (std::vector<int>{2, 3}));
  EXPECT_EQ(loop.runPendingTurns(RunLoopMode::EventTracking), 0);
  EXPECT_EQ(loop.runPendingTurns(RunLoopMode::Default), 1);
  EXPECT_EQ(ran, (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(loop.pendingCount(), 1u);
}

TEST(RunLoopTest, CancelledItemsNeverRunEvenWhenCancelledByAnEarlierItem) {
  RunLoop loop;
  bool second = false;
  RunLoop::Token token = 0;
  loop.performOnNextTurn([&] { loop.cancel(token); });
  token = loop.performOnNextTurn([&] { second = true; });
  EXPECT_EQ(loop.runPendingTurns(RunLoopMode::Default), 1);
  EXPECT_FALSE(second);
  EXPECT_FALSE(loop.cancel(token));
}

}  // namespace
}  // namespace orval::tk
