#include "project/project_rows.h"

#include <algorithm>
#include <iterator>

namespace tralva {

std::int64_t LineCounts::values_in(DataRow row) const {
  const std::int64_t conductors = std::max(conductor_count, 0);
  const std::int64_t supports = std::max(support_count, 0);
  const std::int64_t spans = std::max<std::int64_t>(supports - 1, 0);
  switch (row) {
    case DataRow::phases:
      return conductors * std::ssize(kConductorGroup);
    case DataRow::supports:
      return supports * std::ssize(kSupportGroup);
    case DataRow::heights:
    case DataRow::arm_lengths:
      return conductors * supports;
    case DataRow::sag_constants:
      return conductors * spans;
  }
  return 0;
}

std::int64_t LineCounts::values() const {
  std::int64_t total = 0;
  for (const DataRow row : kDataRows) total += values_in(row);
  return total;
}

}  // namespace tralva
