#include "project/power_line.h"

namespace tralva {

PowerLine make_power_line(int conductors, int supports) {
  static const char* const kPhases[] = {"R", "S", "T"};
  PowerLine line;
  line.conductor_count = conductors;
  line.support_count = supports;
  const auto size = [&line](DataRow row) { return static_cast<std::size_t>(line.values_in(row)); };
  const auto n = static_cast<std::size_t>(conductors);
  const auto p = static_cast<std::size_t>(supports);
  for (std::size_t k = 0; k < n; ++k) line.phase.emplace_back(kPhases[k % 3]);
  line.phase_offset.assign(n, 0.0f);
  line.x.assign(p, 0.0);
  line.y.assign(p, 0.0);
  line.ground_level.assign(p, 0.0f);
  line.arm_angle.assign(p, 0.0f);
  line.height.assign(size(DataRow::heights), 0.0f);
  line.arm_length.assign(size(DataRow::arm_lengths), 0.0f);
  line.sag_constant.assign(size(DataRow::sag_constants), 0.0f);
  return line;
}

int phase_code(const std::string& phase) {
  if (phase == "R") return 0;
  if (phase == "S") return 120;
  return 240;
}

std::string phase_from_code(int code) {
  if (code == 0) return "R";
  if (code == 120) return "S";
  return "T";
}

}  // namespace tralva
