#pragma once
// One power line as the data-entry dialogs hold it.

#include <string>
#include <vector>

#include "project/project_rows.h"

namespace tralva {

enum class LineKind { overhead, underground };  // "Aerea", "Interrata"

struct PowerLine : LineCounts {
  float current = 0;
  float segment_length = 0;
  // Per conductor.
  std::vector<std::string> phase;  // "R", "S" or "T"
  std::vector<float> phase_offset;
  // Per support.
  std::vector<double> x;
  std::vector<double> y;
  std::vector<float> ground_level;
  std::vector<float> arm_angle;
  // Per conductor and support, conductor-major.
  std::vector<float> height;
  std::vector<float> arm_length;
  // Per conductor and span, conductor-major.
  std::vector<float> sag_constant;

  bool operator==(const PowerLine&) const = default;
};

// A line with every array sized for its counts and every value 0, the phases
// R, S, T repeating, as a data-entry dialog starts.
PowerLine make_power_line(int conductors, int supports);

// The phase as written in files: "R" 0, "S" 120, anything else 240.
int phase_code(const std::string& phase);
// The phase read from a file: 0 "R", 120 "S", anything else "T".
std::string phase_from_code(int code);

}  // namespace tralva
