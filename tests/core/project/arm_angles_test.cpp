#include "project/arm_angles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "project/project_texts.h"

namespace tralva {
namespace {

struct Pylons {
  std::vector<double> x, y;
};

std::vector<float> angles_of(const Pylons& p) {
  std::vector<float> angles(p.x.size(), -1.0f);
  EXPECT_EQ(compute_arm_angles(p.x, p.y, angles), std::nullopt);
  return angles;
}

// Bit-for-bit: 179.99998 instead of 0 is the fault this guards against.
void expect_bits(const std::vector<float>& actual, const std::vector<float>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(actual[i]), std::bit_cast<std::uint32_t>(expected[i]))
        << "pylon " << i + 1 << ": " << actual[i] << " instead of " << expected[i];
  }
}

TEST(ArmAngles, WorkedExamplesHoldToTheLastBit) {
  expect_bits(angles_of({{0, 100}, {0, 0}}), {90, 90});
  expect_bits(angles_of({{0, 0}, {0, 100}}), {0, 0});
  expect_bits(angles_of({{0, 100, 100}, {0, 0, 100}}), {90, 135, 0});
  expect_bits(angles_of({{0, 100, 200}, {0, 100, 200}}), {135, 135, 135});
}

TEST(ArmAngles, EveryDirectionOfTheTablesGivesThePerpendicularOrBisector) {
  // A pylon pair in each of the eight directions: the arm is perpendicular to
  // the span, whichever way the span runs.
  const double c = 100;
  const struct {
    double dx, dy, perpendicular;
  } cases[] = {{c, 0, 90},  {c, c, 135},   {0, c, 0},  {-c, c, 45},
               {-c, 0, 90}, {-c, -c, 135}, {0, -c, 0}, {c, -c, 45}};
  for (const auto& k : cases) {
    const auto angles = angles_of({{0, k.dx}, {0, k.dy}});
    EXPECT_NEAR(angles[0], k.perpendicular, 1e-4) << k.dx << "," << k.dy;
    EXPECT_NEAR(angles[1], k.perpendicular, 1e-4) << k.dx << "," << k.dy;
  }
  // A right-angle corner pointing each way: the bisector is diagonal.
  EXPECT_NEAR(angles_of({{0, 100, 100}, {0, 0, -100}})[1], 45, 1e-4);
  EXPECT_NEAR(angles_of({{100, 0, 0}, {0, 0, 100}})[1], 45, 1e-4);
  EXPECT_NEAR(angles_of({{100, 0, 0}, {0, 0, -100}})[1], 135, 1e-4);
}

TEST(ArmAngles, AnglesStayInRangeAndDoNotDependOnThePreviousOnes) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> coordinate(-1e4, 1e4);
  for (int run = 0; run < 2000; ++run) {
    const std::size_t count = 2 + run % 5;
    Pylons p;
    for (std::size_t i = 0; i < count; ++i) {
      // Some pylons share an x or a y to reach the equality rows.
      p.x.push_back(run % 3 == 0 && i > 0 ? p.x[i - 1] : std::round(coordinate(random)));
      p.y.push_back(run % 3 == 1 && i > 0 ? p.y[i - 1] + 10 : coordinate(random));
    }
    std::vector<float> first(count, 33.0f), second(count, -500.0f);
    ASSERT_EQ(compute_arm_angles(p.x, p.y, first), std::nullopt);
    ASSERT_EQ(compute_arm_angles(p.x, p.y, second), std::nullopt);
    expect_bits(second, first);
    for (const float angle : first) {
      EXPECT_GE(angle, 0.0f);
      EXPECT_LT(angle, 180.0f);
    }
  }
}

TEST(ArmAngles, CoincidentPylonsChangeNoAngle) {
  const Message expected = error_message(project_text::kCoincidentSupports);
  const std::vector<float> before = {1, 2, 3, 4, 5, 6};
  const auto refused = [&](const Pylons& p) {
    std::vector<float> angles(before.begin(), before.begin() + static_cast<long>(p.x.size()));
    const auto message = compute_arm_angles(p.x, p.y, angles);
    if (!message) return false;
    EXPECT_EQ(*message, expected);
    for (std::size_t i = 0; i < angles.size(); ++i) EXPECT_EQ(angles[i], before[i]);
    return true;
  };
  EXPECT_TRUE(refused({{0, 100, 100}, {0, 50, 50}}));               // 2 and 3
  EXPECT_TRUE(refused({{0, 1, 2, 3, 4, 0}, {0, 1, 2, 3, 4, 0}}));   // 1 and 6
  EXPECT_TRUE(refused({{0, 100, 0.0000009}, {0, 0, -0.0000009}}));  // within 1e-6
  EXPECT_FALSE(refused({{0, 100, 0.000001}, {0, 0, 0}}));           // 1e-6 in x
  EXPECT_FALSE(refused({{0, 100, 0}, {0, 0, 0.0000011}}));          // 1e-6 in y
  // Neighbours 0.1 m apart at 60 000 km: one point as floats.
  EXPECT_TRUE(refused({{0, 6e7, 6e7 + 0.1}, {0, 0, 0}}));
  EXPECT_FALSE(refused({{6e7, 0, 6e7 + 0.1}, {0, 0, 0}}));
}

}  // namespace
}  // namespace tralva
