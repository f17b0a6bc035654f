#include "field/field_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tralva {
namespace {

PlaneGrid grid(double fi, double psi) {
  return {.origin_x = 1000,
          .origin_y = 2000,
          .step_x = 2,
          .step_y = 5,
          .steps_x = 3,
          .steps_y = 2,
          .fi = fi,
          .psi = psi};
}

void expect_point(const Point3& p, double x, double y, double z) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
  EXPECT_EQ(p.z, z);
}

TEST(PlaneGrid, RightAnglesPlaceThePointsExactly) {
  // fi 0, psi 0: i along X, j along Y, at the level.
  const PlaneGridPoints flat(grid(0, 0), 1.5f);
  expect_point(flat.point(0, 0), 1000, 2000, 1.5);
  expect_point(flat.point(3, 2), 1006, 2010, 1.5);
  // fi 90: i along Y, j along -X.
  const PlaneGridPoints turned(grid(90, 0), 1.5f);
  expect_point(turned.point(3, 0), 1000, 2006, 1.5);
  expect_point(turned.point(0, 2), 990, 2000, 1.5);
  // psi 90: a vertical plane, j upwards.
  const PlaneGridPoints upright(grid(0, 90), 1.5f);
  expect_point(upright.point(3, 0), 1006, 2000, 1.5);
  expect_point(upright.point(0, 2), 1000, 2000, 11.5);
  // fi 180 and -270 (= 90): the turns go round.
  expect_point(PlaneGridPoints(grid(180, 0), 0).point(1, 1), 998, 1995, 0);
  expect_point(PlaneGridPoints(grid(-270, 0), 0).point(1, 1), 995, 2002, 0);
}

TEST(PlaneGrid, AnyAnglesKeepTheStepsAndTheRightAngle) {
  const PlaneGridPoints tilted(grid(30, 45), 0);
  const Point3 o = tilted.point(0, 0);
  const Point3 a = tilted.point(1, 0);
  const Point3 b = tilted.point(0, 1);
  const double u[3] = {a.x - o.x, a.y - o.y, a.z - o.z};
  const double v[3] = {b.x - o.x, b.y - o.y, b.z - o.z};
  EXPECT_NEAR(std::hypot(u[0], u[1], u[2]), 2, 1e-12);
  EXPECT_NEAR(std::hypot(v[0], v[1], v[2]), 5, 1e-12);
  EXPECT_NEAR(u[0] * v[0] + u[1] * v[1] + u[2] * v[2], 0, 1e-12);
  EXPECT_NEAR(std::atan2(u[1], u[0]), 3.141592653589793 / 6, 1e-12);  // turned 30 degrees in plan
  EXPECT_NEAR(v[2], 5 * std::sqrt(0.5), 1e-12);                       // raised 45 degrees
}

struct Read {
  std::vector<Point3> points;
  PointFileReader::Next last;
  std::int64_t line;
};

Read read_points(const std::string& bytes) {
  ByteStream in(bytes);
  PointFileReader reader(in);
  Read r;
  Point3 p;
  while ((r.last = reader.next(p)) == PointFileReader::Next::point) r.points.push_back(p);
  r.line = reader.line_number();
  return r;
}

TEST(PointFile, ReadsTheFilesTralvaWrites) {
  // A base grid file and a GIS terrain file.
  const Read base = read_points("X\tY\tZ\r\n100\t200\t0\r\n100\t210\t0\r\n");
  EXPECT_EQ(base.last, PointFileReader::Next::end);
  ASSERT_EQ(base.points.size(), 2u);
  expect_point(base.points[1], 100, 210, 0);
  const Read terrain = read_points("X\tY\tZ\r\n4500000.125\t-12.5\t103.25\r\n");
  ASSERT_EQ(terrain.points.size(), 1u);
  expect_point(terrain.points[0], 4500000.125, -12.5, 103.25);
}

TEST(PointFile, TakesLineEndsBlankLinesAndExtraColumnsAsTheyCome) {
  const Read r = read_points("x y z b\n 1 2 3 9.5 note\n\n  \r\n4\t5 6\r\n7 8 9");
  EXPECT_EQ(r.last, PointFileReader::Next::end);
  ASSERT_EQ(r.points.size(), 3u);
  expect_point(r.points[0], 1, 2, 3);
  expect_point(r.points[2], 7, 8, 9);  // the last line without its line end
}

TEST(PointFile, RefusesALineWithoutThreeFiniteNumbersAndSaysWhichOne) {
  for (const char* bad : {"1,5 2,5 0", "1 2", "1 2 x", "1 2 3.5.1", "1 2 1e400", "- 2 3"}) {
    const Read r = read_points(std::string("X Y Z\n1 2 3\n") + bad + "\n4 5 6\n");
    EXPECT_EQ(r.last, PointFileReader::Next::invalid) << bad;
    EXPECT_EQ(r.line, 3) << bad;
    EXPECT_EQ(r.points.size(), 1u) << bad;
  }
}

TEST(PointFile, WithoutALineEndThereIsNoPoint) {
  for (const std::string& bytes :
       {std::string(), std::string("X Y Z"), std::string("1 2 3"), std::string(1 << 20, '7')}) {
    const Read r = read_points(bytes);
    EXPECT_EQ(r.last, PointFileReader::Next::end);
    EXPECT_TRUE(r.points.empty());
  }
}

TEST(PointFile, RefusesAnOverlongLineInsteadOfHoldingIt) {
  const std::string long_line = "1 2 3 " + std::string(PointFileReader::kMaxPointLine, '0');
  const Read r = read_points("X Y Z\n" + long_line + "\n");
  EXPECT_EQ(r.last, PointFileReader::Next::invalid);
  EXPECT_EQ(r.line, 2);
  // An overlong header is only passed over.
  EXPECT_EQ(read_points(std::string(3 << 16, 'h') + "\n1 2 3\n").points.size(), 1u);
}

}  // namespace
}  // namespace tralva
