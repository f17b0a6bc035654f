#include "map/contours.h"

#include <gtest/gtest.h>
#include <ogr_api.h>

#include <cmath>

#include "map_test_support.h"

namespace tralva {
namespace {

constexpr double kPi = 3.141592653589793;

LatticeField disc() {
  const std::string text = test::disc_result();
  ByteStream in(text);
  return std::get<LatticeField>(read_lattice_field(in));
}

std::vector<ThresholdContours> contours(const LatticeField& field,
                                        std::initializer_list<double> thresholds) {
  auto outcome = contour_field(field, raster_view(field.lattice), std::vector<double>(thresholds));
  EXPECT_TRUE(std::holds_alternative<std::vector<ThresholdContours>>(outcome));
  return std::get<std::vector<ThresholdContours>>(outcome);
}

// The polygon as OGR sees it, to ask it whether it is valid.
bool valid(const Polygon& polygon) {
  OGRGeometryH shape = OGR_G_CreateGeometry(wkbPolygon);
  for (const Polyline& ring : polygon.rings) {
    OGRGeometryH r = OGR_G_CreateGeometry(wkbLinearRing);
    for (const PlanPoint& p : ring.points) OGR_G_AddPoint_2D(r, p.x, p.y);
    OGR_G_AddGeometryDirectly(shape, r);
  }
  const bool is_valid = OGR_G_IsValid(shape) != 0;
  OGR_G_DestroyGeometry(shape);
  return is_valid;
}

TEST(Contours, TheThreeMicroteslaAreaOfThirtyOverDIsTheDiscOfTenMetres) {
  const auto c = contours(disc(), {3, 10});
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].threshold, 3);
  EXPECT_NEAR(c[0].area_m2, kPi * 100, kPi * 100 * 0.01);
  EXPECT_NEAR(c[1].area_m2, kPi * 9, kPi * 9 * 0.02);
  ASSERT_EQ(c[0].area.size(), 1u);
  const Polygon& disc_area = c[0].area[0];
  ASSERT_EQ(disc_area.rings.size(), 1u);  // no hole
  const std::vector<PlanPoint>& ring = disc_area.rings[0].points;
  ASSERT_GT(ring.size(), 100u);
  EXPECT_EQ(ring.front(), ring.back());
  EXPECT_TRUE(valid(disc_area));
  // The line of 3 µT lies within one step of d = 10 m, all the way round.
  ASSERT_FALSE(c[0].lines.empty());
  for (const Polyline& line : c[0].lines) {
    for (const PlanPoint& p : line.points) EXPECT_NEAR(std::hypot(p.x, p.y), 10, 0.25);
  }
}

TEST(Contours, AFieldWhollyAboveOrBelowAThresholdHasAllOrNothing) {
  const auto c = contours(disc(), {0.01, 1000});
  // The area runs to the outer edges of the border cells: 40.25 m a side.
  EXPECT_NEAR(c[0].area_m2, 40.25 * 40.25, 1e-6);
  EXPECT_TRUE(c[0].lines.empty());
  EXPECT_TRUE(c[1].area.empty());
  EXPECT_EQ(c[1].area_m2, 0);
  EXPECT_TRUE(c[1].lines.empty());
}

}  // namespace
}  // namespace tralva
