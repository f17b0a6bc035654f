#pragma once
// Progress of the long commands: a position from 0 to 1000, the remaining
// time as hours, minutes and seconds, and "refresh now" at most about once a
// second.  The same core code drives a progress bar, a terminal line or
// nothing.

#include <cstdint>

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

}  // namespace tralva
