#pragma once
// Directions in the plan, as the viewer measures them.

#include <cmath>

namespace tralva {

inline constexpr double kPi = 3.141592653589793;

// The direction angle in [0, 2pi) of (dx, dy), from +X towards +Y; 0 for a
// zero vector.
inline double direction_angle(double dx, double dy) {
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0)) return 0;
  if (dx >= 0 && dy >= 0) return std::asin(dy / length);
  if (dx < 0 && dy >= 0) return kPi / 2 - std::asin(dx / length);
  if (dx < 0 && dy < 0) return kPi - std::asin(dy / length);
  return 3 * kPi / 2 + std::asin(dx / length);
}

}  // namespace tralva
