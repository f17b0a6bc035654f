#pragma once
// The merged project the viewer is measured on: 20 lines of 6 conductors
// over 5 spans of 400 m, segment length 0.5 m, so 600 catenaries of 801
// samples each.

#include <string>

#include "common/format.h"
#include "project/project_file.h"

namespace tralva::bench {

inline constexpr int kLines = 20;
inline constexpr int kConductors = 6;
inline constexpr int kSupports = 6;

inline std::string merged_project() {
  using tralva::general_text;
  std::string row[6];
  for (int l = 0; l < kLines; ++l) {
    row[0] += "1000 6 6 0.5 ";
    for (int k = 0; k < kConductors; ++k) row[1] += std::to_string(120 * (k % 3)) + " 0 ";
    for (int p = 0; p < kSupports; ++p) {
      row[2] += tralva::fixed_text(400.0 * p, 3) + " " + tralva::fixed_text(60.0 * l, 3) + " " +
                general_text(p % 3) + " 90 ";
    }
    for (int k = 0; k < kConductors; ++k) {
      for (int p = 0; p < kSupports; ++p) {
        row[3] += general_text(25 + 5 * (k / 2)) + " ";
        row[4] += general_text(k % 2 ? 4.5 : -4.5) + " ";
      }
      for (int s = 0; s + 1 < kSupports; ++s) row[5] += general_text(1200 + 10 * s) + " ";
    }
  }
  row[0].pop_back();
  std::string text(tralva::project_header());
  for (const std::string& r : row) text += r + "\r\n";
  return text;
}

}  // namespace tralva::bench
