#include "project/arm_angles.h"

#include <cassert>
#include <cmath>
#include <vector>

#include "project/project_texts.h"

namespace tralva {
namespace {

// The angles are those of the original single-precision program, to the last
// bit: coordinates, quotients, directions and angles are held as floats,
// while each expression between them is evaluated in double, as that
// program's arithmetic did.  Holding the intermediate sums as floats instead
// turns the raw 180 of a line along +Y into 179.99998, which then escapes
// the normalisation.
const double kPi = static_cast<float>(2 * std::asin(1.0));
const double kDegrees = 180 / kPi;

// The arctangent of a quotient rounded to a float first.
double atan_of(double numerator, double denominator) {
  return std::atan(static_cast<float>(numerator / denominator));
}

// Polar angle in [0, 2pi) of the vector from pylon (x, y) to its next one.
float forward_direction(double x, double y, double xn, double yn) {
  if (xn == x && yn > y) return static_cast<float>(kPi / 2);
  if (xn == x && yn < y) return static_cast<float>(3 * kPi / 2);
  if (xn > x && yn > y) return static_cast<float>(atan_of(yn - y, xn - x));
  if (xn > x && yn < y) return static_cast<float>(3 * kPi / 2 - atan_of(xn - x, yn - y));
  if (xn > x && yn == y) return 0;
  if (xn < x && yn > y) return static_cast<float>(kPi / 2 - atan_of(xn - x, yn - y));
  if (xn < x && yn < y) return static_cast<float>(kPi + atan_of(yn - y, xn - x));
  return static_cast<float>(kPi);
}

// Polar angle in (0, 2pi] of the vector from pylon (x, y) to its previous one.
float backward_direction(double x, double y, double xp, double yp) {
  if (x == xp && y > yp) return static_cast<float>(3 * kPi / 2);
  if (x == xp && y < yp) return static_cast<float>(kPi / 2);
  if (x > xp && y >= yp) return static_cast<float>(kPi + atan_of(y - yp, x - xp));
  if (x > xp && y < yp) return static_cast<float>(kPi / 2 + atan_of(x - xp, yp - y));
  if (x < xp && y < yp) return static_cast<float>(atan_of(yp - y, xp - x));
  return static_cast<float>(2 * kPi - atan_of(y - yp, xp - x));
}

float normalised(float angle) {
  for (int pass = 0; pass < 2; ++pass) {
    if (angle < 0) {
      angle = static_cast<float>(angle + 180.0);
    } else if (angle >= 180) {
      angle = static_cast<float>(angle - 180.0);
    }
  }
  return angle;
}

}  // namespace

bool has_coincident_supports(std::span<const double> x, std::span<const double> y) {
  for (std::size_t i = 0; i < x.size(); ++i) {
    for (std::size_t j = i + 1; j < x.size(); ++j) {
      if (std::abs(x[i] - x[j]) < 1e-6 && std::abs(y[i] - y[j]) < 1e-6) return true;
    }
  }
  return false;
}

std::optional<Message> compute_arm_angles(std::span<const double> x, std::span<const double> y,
                                          std::span<float> arm_angle) {
  assert(x.size() == arm_angle.size() && y.size() == arm_angle.size() && arm_angle.size() >= 2);
  if (has_coincident_supports(x, y)) return error_message(project_text::kCoincidentSupports);

  const std::size_t count = arm_angle.size();
  std::vector<float> fx(x.begin(), x.end());
  std::vector<float> fy(y.begin(), y.end());
  // Neighbours that single precision cannot tell apart have no direction
  // between them: the angles would be NaN, which no file can hold.
  for (std::size_t i = 0; i + 1 < count; ++i) {
    if (fx[i] == fx[i + 1] && fy[i] == fy[i + 1]) {
      return error_message(project_text::kCoincidentSupports);
    }
  }
  std::vector<float> forward(count), backward(count);
  for (std::size_t i = 0; i + 1 < count; ++i) {
    forward[i] = forward_direction(fx[i], fy[i], fx[i + 1], fy[i + 1]);
  }
  for (std::size_t i = 1; i < count; ++i) {
    backward[i] = backward_direction(fx[i], fy[i], fx[i - 1], fy[i - 1]);
  }
  const std::size_t last = count - 1;
  arm_angle[0] = normalised(static_cast<float>((kPi / 2 + forward[0]) * kDegrees));
  arm_angle[last] = normalised(static_cast<float>((backward[last] - kPi / 2) * kDegrees));
  for (std::size_t i = 1; i < last; ++i) {
    arm_angle[i] =
        normalised(static_cast<float>((forward[i] + double{backward[i]}) * 0.5 * kDegrees));
  }
  return std::nullopt;
}

}  // namespace tralva
