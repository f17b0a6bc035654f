#include "common/estimate.h"

#include <algorithm>
#include <cmath>

#include "common/estimate_texts.h"
#include "common/format.h"
#include "common/progress.h"

namespace tralva {

std::string estimate_heading(std::int64_t points) {
  return std::string(estimate_text::kEstimate) + "\n" + estimate_text::kEstimatePoints +
         int_text(points);
}

std::string estimated_time_text(double seconds, int threads) {
  const RemainingTime t =
      split_seconds(static_cast<std::int64_t>(std::min(std::ceil(seconds), 7e12)));
  return std::string(estimate_text::kEstimateTime) + int_text(threads) +
         estimate_text::kEstimateTimeCores + int_text(t.hours) + " h " + int_text(t.minutes) +
         " m " + int_text(t.seconds) + " s";
}

}  // namespace tralva
