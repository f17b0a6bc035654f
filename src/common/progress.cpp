#include "common/progress.h"

#include <ctime>

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

}  // namespace tralva
