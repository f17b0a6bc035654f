#pragma once
// Sine and cosine of angles in degrees, exact at the multiples of 90°: a
// grid turned by 90° keeps its coordinates exactly, and the phases 0°, 90°,
// 180° have no stray component of 1e-16.

#include <cmath>

namespace tralva {

struct SineCosine {
  double sin = 0;
  double cos = 1;
};

inline SineCosine sin_cos_degrees(double degrees) {
  constexpr double kRadiansPerDegree = 3.141592653589793 / 180;
  double turn = std::fmod(degrees, 360.0);  // exact
  if (turn < 0) turn += 360;
  // The nearest quarter turn, and what is left of it, within ±45°.
  const double quarters = std::nearbyint(turn / 90);
  const double rest = (turn - quarters * 90) * kRadiansPerDegree;
  const double s = std::sin(rest);
  const double c = std::cos(rest);
  const double minus_s = 0.0 - s;  // +0 rather than -0, which would print as "-0"
  switch (static_cast<int>(quarters) % 4) {
    case 1:
      return {c, minus_s};
    case 2:
      return {minus_s, -c};
    case 3:
      return {-c, s};
    default:
      return {s, c};
  }
}

}  // namespace tralva
