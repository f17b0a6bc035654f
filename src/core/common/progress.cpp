#include "common/progress.h"

#include <ctime>

#include "common/vector_state.h"

namespace tralva {

std::int64_t SystemClock::now_seconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

RemainingTime split_seconds(std::int64_t seconds) {
  RemainingTime t;
  const std::int64_t hours = seconds / 3600;
  const std::int64_t minutes = (seconds - 3600 * hours) / 60;
  t.hours = static_cast<std::int32_t>(hours);
  t.minutes = static_cast<std::int32_t>(minutes);
  t.seconds = static_cast<std::int32_t>(seconds - 3600 * hours - 60 * minutes);
  return t;
}

namespace {
__extension__ typedef __int128 Int128;
}

int ProgressScale::position(std::int64_t done) const {
  if (total_ <= 0) return offset_;
  return offset_ + static_cast<int>(static_cast<Int128>(scale_) * done / total_);
}

std::int64_t ProgressScale::next_change(std::int64_t done) const {
  if (total_ <= 0) return done + 1;
  const Int128 next = static_cast<Int128>(position(done) - offset_) + 1;
  if (next > scale_) return total_ + 1;
  // The smallest d with scale * d >= next * total.
  const Int128 d = (next * total_ + scale_ - 1) / scale_;
  return static_cast<std::int64_t>(d > done ? d : done + 1);
}

// The long loops start here and come back here from the sink, whose
// windowing toolkit may leave the vector registers half used.
void ProgressTracker::start() {
  start_ = clock_.now_seconds();
  throttle_ = RefreshThrottle(start_);
  release_vector_registers();
}

bool ProgressTracker::move_to(int position) {
  if (position_ == position) return false;
  position_ = position;
  sink_.set_position(position);
  release_vector_registers();
  return true;
}

void ProgressTracker::show_remaining(RemainingTime remaining) {
  if (remaining_ == remaining) return;
  remaining_ = remaining;
  sink_.set_remaining(remaining);
}

void ProgressTracker::refresh_now() {
  sink_.refresh();
  release_vector_registers();
}

void ProgressTracker::finish() {
  show_remaining({});
  sink_.refresh();
  move_to(1000);
  finished_ = true;
}

ProgressTracker::~ProgressTracker() {
  if (finished_) return;
  show_remaining({});
  move_to(0);
  sink_.refresh();
}

}  // namespace tralva
