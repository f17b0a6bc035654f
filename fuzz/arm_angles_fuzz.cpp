// The cross-arm angles: from 2 to 6 pylons anywhere within the range of a
// float, either every angle lies in [0, 180) or nothing changes.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "project/arm_angles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<double> x, y;
  for (std::size_t at = 0; at + 16 <= size && x.size() < 6; at += 16) {
    double px = 0, py = 0;
    std::memcpy(&px, data + at, 8);
    std::memcpy(&py, data + at + 8, 8);
    if (!(std::abs(px) < 1e38 && std::abs(py) < 1e38)) return 0;
    x.push_back(px);
    y.push_back(py);
  }
  if (x.size() < 2) return 0;
  std::vector<float> angles(x.size(), -1.0f);
  if (tralva::compute_arm_angles(x, y, angles)) {
    for (const float angle : angles) {
      if (angle != -1.0f) std::abort();
    }
    return 0;
  }
  for (const float angle : angles) {
    if (!(angle >= 0 && angle < 180)) std::abort();
  }
  return 0;
}
