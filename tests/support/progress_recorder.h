#pragma once
// A progress sink that records what it is told and a clock that tells the
// times a test scripts: the remaining-time logic without waiting.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/message.h"
#include "common/progress.h"
#include "test_support.h"

namespace tralva::test {

class RecordingSink final : public ProgressSink {
 public:
  std::vector<std::string> events;

  void set_range(int low, int high) override {
    events.push_back("range " + std::to_string(low) + "-" + std::to_string(high));
  }
  void set_position(int position) override {
    events.push_back("at " + std::to_string(position));
    if (on_position) on_position(position);
  }
  // Called at every position once it is recorded: a test's way into the
  // middle of a command.
  std::function<void(int)> on_position;
  void set_remaining(RemainingTime t) override {
    events.push_back("left " + std::to_string(t.hours) + "h" + std::to_string(t.minutes) + "m" +
                     std::to_string(t.seconds) + "s");
  }
  void refresh() override { events.push_back("refresh"); }

  // Only the events that start with `prefix`.
  std::vector<std::string> only(const std::string& prefix) const {
    std::vector<std::string> kept;
    for (const std::string& e : events) {
      if (e.rfind(prefix, 0) == 0) kept.push_back(e);
    }
    return kept;
  }
};

// Gives the scripted times one per read, then keeps the last one.
class ScriptedClock final : public Clock {
 public:
  explicit ScriptedClock(std::vector<std::int64_t> times) : times_(std::move(times)) {}
  std::int64_t now_seconds() override {
    ++reads;
    if (next_ + 1 < times_.size()) return times_[next_++];
    return times_.empty() ? 0 : times_.back();
  }
  int reads = 0;

 private:
  std::vector<std::int64_t> times_;
  std::size_t next_ = 0;
};

// Advances by `step` seconds at every read.
class SteppingClock final : public Clock {
 public:
  SteppingClock(std::int64_t start, std::int64_t step) : now_(start), step_(step) {}
  std::int64_t now_seconds() override {
    const std::int64_t t = now_;
    now_ += step_;
    return t;
  }

 private:
  std::int64_t now_;
  std::int64_t step_;
};

// What a long command left behind: its message, the progress it drove and
// the bytes of its output file.
struct CommandRun {
  Message message;
  std::string output;
  RecordingSink sink;
};

// Runs command(sink, clock) with `clock`, or with one that stands still at
// `still` seconds, then reads the output file.
template <class Command>
CommandRun run_command(Command command, const std::string& output_path, Clock* clock,
                       std::int64_t still = 0) {
  CommandRun run;
  SteppingClock standing(still, 0);
  run.message = command(run.sink, clock != nullptr ? *clock : standing);
  run.output = read_file(output_path);
  return run;
}

}  // namespace tralva::test
