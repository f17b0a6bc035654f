#include "common/progress.h"

#include <gtest/gtest.h>

namespace tralva {
namespace {

TEST(RemainingTime, SplitsSecondsIntoHoursMinutesSeconds) {
  EXPECT_EQ(split_seconds(0), (RemainingTime{0, 0, 0}));
  EXPECT_EQ(split_seconds(59), (RemainingTime{0, 0, 59}));
  EXPECT_EQ(split_seconds(3600 + 61), (RemainingTime{1, 1, 1}));
  EXPECT_EQ(split_seconds(100 * 3600 + 59 * 60 + 58), (RemainingTime{100, 59, 58}));
}

TEST(RefreshThrottle, RefreshesOnlyAfterAWholeSecondHasPassed) {
  RefreshThrottle throttle(100);
  EXPECT_FALSE(throttle.due(100));
  EXPECT_TRUE(throttle.due(101));
  EXPECT_FALSE(throttle.due(101));
  EXPECT_TRUE(throttle.due(105));
  EXPECT_FALSE(throttle.due(105));
}

}  // namespace
}  // namespace tralva
