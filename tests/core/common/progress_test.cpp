#include "common/progress.h"

#include <gtest/gtest.h>

#include "progress_recorder.h"

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

TEST(ProgressScale, IsTheExactFloorAndKnowsWhereItNextChanges) {
  for (const std::int64_t total : {1, 3, 7, 999, 1000, 1001, 4096}) {
    for (const auto& [offset, scale] :
         {std::pair{0, 1000}, std::pair{0, 500}, std::pair{500, 500}}) {
      const ProgressScale bar(offset, scale, total);
      for (std::int64_t done = 0; done <= total; ++done) {
        ASSERT_EQ(bar.position(done), offset + static_cast<int>(scale * done / total));
        std::int64_t next = done + 1;
        while (next <= total && bar.position(next) == bar.position(done)) ++next;
        ASSERT_EQ(std::min(bar.next_change(done), total + 1), next) << total << " " << done;
      }
    }
  }
}

TEST(ProgressScale, CountsBeyondThirtyTwoBitsDoNotOverflow) {
  const std::int64_t total = 6'000'000'000'000'000'000;  // 1000 * total needs 73 bits
  const ProgressScale bar(0, 1000, total);
  EXPECT_EQ(bar.position(total / 2), 500);
  EXPECT_EQ(bar.position(total - 1), 999);
  EXPECT_EQ(bar.position(total), 1000);
  EXPECT_EQ(bar.next_change(0), 6'000'000'000'000'000);
}

TEST(ProgressTracker, PassesOnOnlyChangesAndRefreshesOncePerSecond) {
  test::RecordingSink sink;
  test::ScriptedClock clock({10, 10, 11, 11, 13});
  {
    ProgressTracker progress(sink, clock);
    progress.start();  // t0 = 10
    EXPECT_TRUE(progress.move_to(5));
    EXPECT_FALSE(progress.move_to(5));
    progress.estimate([](std::int64_t elapsed) { return elapsed + 3600; });  // 10: no refresh
    progress.estimate([](std::int64_t elapsed) { return elapsed + 3600; });  // 11: refresh
    progress.estimate([](std::int64_t) { return 3601; });  // 11: unchanged, no refresh
    progress.estimate([](std::int64_t elapsed) { return elapsed * 100; });  // 13: refresh
    progress.finish();
  }
  EXPECT_EQ(sink.events, (std::vector<std::string>{"at 5", "left 1h0m0s", "left 1h0m1s", "refresh",
                                                   "left 0h5m0s", "refresh", "left 0h0m0s",
                                                   "refresh", "at 1000"}));
  // A command that returns without finishing leaves the bar empty.
  test::RecordingSink failed;
  {
    ProgressTracker abandoned(failed, clock);
    abandoned.move_to(300);
  }
  EXPECT_EQ(failed.events, (std::vector<std::string>{"at 300", "left 0h0m0s", "at 0", "refresh"}));
}

}  // namespace
}  // namespace tralva
