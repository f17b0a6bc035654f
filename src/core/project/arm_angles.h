#pragma once
// The cross-arm direction of every pylon from the pylons' plan coordinates:
// perpendicular to the span at the two end pylons, along the bisector of the
// two spans at the others.  Degrees in [0, 180), counter-clockwise from +X.

#include <optional>
#include <span>

#include "common/message.h"

namespace tralva {

// True when two of the supports lie within 1e-6 in both x and y.  Every pair
// is compared, adjacent or not.
bool has_coincident_supports(std::span<const double> x, std::span<const double> y);

// Fills arm_angle from x and y (all three of the same size, 2 or more
// pylons).  On two coincident pylons returns that error and leaves every
// angle as it was.  The result does not depend on the previous angles.
std::optional<Message> compute_arm_angles(std::span<const double> x, std::span<const double> y,
                                          std::span<float> arm_angle);

}  // namespace tralva
