#pragma once
// Progress of the long commands: a position from 0 to 1000, the remaining
// time as hours, minutes and seconds, and "refresh now" at most about once a
// second.  The same core code drives a progress bar, a terminal line or
// nothing.

#include <cstdint>
#include <optional>

namespace tralva {

// Wall-clock time in whole seconds.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t now_seconds() = 0;
};

class SystemClock final : public Clock {
 public:
  std::int64_t now_seconds() override;
};

struct RemainingTime {
  std::int32_t hours = 0;
  std::int32_t minutes = 0;
  std::int32_t seconds = 0;

  bool operator==(const RemainingTime&) const = default;
};

// Splits a number of seconds: hours = s / 3600, minutes = the rest / 60,
// seconds = what is left (integer division toward zero).
RemainingTime split_seconds(std::int64_t seconds);

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void set_range(int low, int high) = 0;
  virtual void set_position(int position) = 0;
  virtual void set_remaining(RemainingTime remaining) = 0;
  // Show the current state now (redisplay and repaint).
  virtual void refresh() = 0;
};

class NullProgress final : public ProgressSink {
 public:
  void set_range(int, int) override {}
  void set_position(int) override {}
  void set_remaining(RemainingTime) override {}
  void refresh() override {}
};

// "More than 0.9 s since the last refresh", counted in whole seconds.
class RefreshThrottle {
 public:
  explicit RefreshThrottle(std::int64_t now) : last_(now) {}
  bool due(std::int64_t now) {
    if (static_cast<double>(now - last_) <= 0.9) return false;
    last_ = now;
    return true;
  }

 private:
  std::int64_t last_;
};

// Where a piece of work stands on the bar: offset + floor(scale * done /
// total), exactly, for any 64-bit count.  next_change() tells the loops when
// to look again, so that they compare a counter instead of dividing.
class ProgressScale {
 public:
  ProgressScale(int offset, int scale, std::int64_t total)
      : offset_(offset), scale_(scale), total_(total) {}
  int position(std::int64_t done) const;
  // The smallest count above `done` with another position; past the total
  // when there is none.
  std::int64_t next_change(std::int64_t done) const;

 private:
  int offset_;
  int scale_;
  std::int64_t total_;
};

// Drives a sink the way the long commands do: the position only when its
// integer value changes, the remaining time from the whole seconds elapsed
// since start(), and a refresh when more than 0.9 s have passed since the
// last one.  The clock is read once per estimate.  A command that ends
// without finish(), at whichever return, leaves the bar empty.
class ProgressTracker {
 public:
  ProgressTracker(ProgressSink& sink, Clock& clock) : sink_(sink), clock_(clock) {}
  // Unless finished: remaining time 0, the bar empty, a refresh.
  ~ProgressTracker();
  ProgressTracker(const ProgressTracker&) = delete;
  ProgressTracker& operator=(const ProgressTracker&) = delete;

  // Notes the start time and the refresh time.
  void start();
  // True when the position changed (and was passed on).
  bool move_to(int position);
  // remaining(elapsed seconds) gives the remaining seconds; shown if they
  // changed, then the page is refreshed if it is due.
  template <class Remaining>
  void estimate(Remaining remaining) {
    const std::int64_t now = clock_.now_seconds();
    show_remaining(split_seconds(remaining(now - start_)));
    if (throttle_.due(now)) refresh_now();
  }
  // The end of a successful command: remaining time 0, a refresh, the bar
  // full.  The caller sets the bar back to 0 once the message is dismissed.
  void finish();

 private:
  void show_remaining(RemainingTime remaining);
  void refresh_now();

  ProgressSink& sink_;
  Clock& clock_;
  std::int64_t start_ = 0;
  RefreshThrottle throttle_{0};
  std::optional<int> position_;
  std::optional<RemainingTime> remaining_;
  bool finished_ = false;
};

}  // namespace tralva
