#include "geometry/configuration.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <random>

#include "common/format.h"
#include "geometry/geometry_texts.h"
#include "project/project_file.h"
#include "project/project_texts.h"
#include "project_text.h"
#include "test_support.h"

namespace tralva {
namespace {

constexpr double kPi = 3.141592653589793;

ConfigurationOutcome build(const std::string& bytes) {
  ByteStream in(bytes);
  return build_configuration(in);
}

const ConfigurationGeometry& geometry_of(const ConfigurationOutcome& outcome) {
  if (const auto* message = std::get_if<Message>(&outcome)) {
    ADD_FAILURE() << "refused: " << message->text;
    static const ConfigurationGeometry kNone;
    return kNone;
  }
  return std::get<ConfigurationGeometry>(outcome);
}

std::optional<Message> failure(const ConfigurationOutcome& outcome) {
  const auto* message = std::get_if<Message>(&outcome);
  if (!message) return std::nullopt;
  return *message;
}

Message error(const char* text) { return error_message(text); }

// One conductor over one 300 m span, as in the worked example.
std::string one_span(const char* heights, const char* sag = "1000", const char* segment = "30") {
  const std::string row_one = std::string("100 1 2 ") + segment;
  return test::project_text({row_one.c_str(), "0 0", "0 0 0 90 300 0 0 90", heights, "0 0", sag});
}

TEST(Catenary, WorkedSpansHaveTheirVertexAndLowestPoint) {
  const ConfigurationGeometry level = geometry_of(build(one_span("20 20")));
  ASSERT_EQ(level.lines.size(), 1u);
  const SpanCurve& flat = level.lines[0].spans.at(0);
  EXPECT_DOUBLE_EQ(flat.span_length, 300);
  ASSERT_TRUE(flat.vertex_offset && flat.curve_offset);
  EXPECT_NEAR(*flat.vertex_offset, 150, 1e-9);
  EXPECT_NEAR(*flat.curve_offset + 1000, 8.729, 5e-4);

  const ConfigurationGeometry rising = geometry_of(build(one_span("20 30")));
  const SpanCurve& slope = rising.lines[0].spans.at(0);
  EXPECT_NEAR(*slope.vertex_offset, 116.797, 5e-4);
  EXPECT_NEAR(*slope.curve_offset + 1000, 13.171, 5e-4);
}

TEST(Catenary, IsSampledAtEverySegmentUpToTheFarSuspensionPoint) {
  const ConfigurationGeometry g = geometry_of(build(one_span("20 30")));
  const std::vector<Point3>& samples = g.lines[0].spans.at(0).samples;
  ASSERT_EQ(samples.size(), 11u);
  EXPECT_EQ(samples[3].x, 90);
  EXPECT_EQ(samples.back().x, 300);
  EXPECT_NEAR(samples.front().z, 20, 1e-9);
  EXPECT_NEAR(samples.back().z, 30, 1e-9);
  // 300 m in steps of 40: the far point closes the polyline.
  const ConfigurationGeometry uneven = geometry_of(build(one_span("20 30", "1000", "40")));
  const std::vector<Point3>& closed = uneven.lines[0].spans.at(0).samples;
  ASSERT_EQ(closed.size(), 9u);
  EXPECT_EQ(closed[7].x, 280);
  EXPECT_EQ(closed.back().x, 300);
  EXPECT_EQ(closed.back().z, 30);
}

TEST(Catenary, SmallSagConstantsGiveStraightChords) {
  // 1 to 10: a chord, even when 300 is a multiple of the segment length.
  const ConfigurationGeometry chord = geometry_of(build(one_span("20 30", "5")));
  const LineGeometry& line = chord.lines[0];
  EXPECT_EQ(line.spans[0].samples.size(), 2u);
  EXPECT_TRUE(line.spans[0].vertex_offset.has_value());
  EXPECT_EQ(line.segment_length, 30.0f);
  // Below 1 the whole line is drawn in single pieces, other spans included.
  const ConfigurationGeometry straight = geometry_of(build(test::project_text(
      {"100 1 3 5", "0 0", "0 0 0 90 300 0 0 90 600 0 0 90", "20 20 20", "0 0 0", "0.5 1000"})));
  const LineGeometry& s = straight.lines[0];
  EXPECT_EQ(s.segment_length, 1e6f);
  EXPECT_FALSE(s.spans[0].vertex_offset.has_value());
  for (const SpanCurve& span : s.spans) EXPECT_EQ(span.samples.size(), 2u);
}

TEST(Catenary, ASpanOfLengthZeroInPlanDrawsNothing) {
  // Arms of 150 m towards each other meet above the middle of the span.
  const ConfigurationGeometry g = geometry_of(build(
      test::project_text({"100 1 2 30", "0 0", "0 0 0 0 300 0 0 0", "20 25", "150 -150", "1000"})));
  const SpanCurve& span = g.lines[0].spans.at(0);
  EXPECT_EQ(span.span_length, 0);
  EXPECT_FALSE(span.vertex_offset.has_value());
  EXPECT_TRUE(span.samples.empty());
}

TEST(Catenary, SamplesPerSpanAreBounded) {
  // 50 km in steps of 0.1 m would be 500 000 samples.
  const ConfigurationGeometry g = geometry_of(build(test::project_text(
      {"100 1 2 0.1", "0 0", "0 0 0 90 50000 0 0 90", "20 20", "0 0", "100000"})));
  const std::vector<Point3>& samples = g.lines[0].spans.at(0).samples;
  EXPECT_LE(samples.size(), static_cast<std::size_t>(kMaxSamplesPerSpan) + 2);
  EXPECT_GE(samples.size(), static_cast<std::size_t>(kMaxSamplesPerSpan) - 1);
  EXPECT_NEAR(samples.back().x, 50000, 1e-6);
  EXPECT_NEAR(samples[1].x - samples[0].x, 0.5, 1e-9);
}

TEST(Reading, RowOneCountGivesTheLines) {
  // 8 numbers: two lines; 7: one, the fifth number read as the first phase.
  const ConfigurationGeometry two = geometry_of(build(test::project_text(
      {"100 1 2 30 50 1 2 30", "0 0 120 0", "0 0 0 90 300 0 0 90 0 0 0 90 300 0 0 90",
       "20 20 20 20", "0 0 0 0", "1000 1000"})));
  ASSERT_EQ(two.lines.size(), 2u);
  EXPECT_EQ(two.lines[1].phase_code, std::vector<std::int32_t>{120});
  const ConfigurationGeometry seven = geometry_of(build(
      test::project_text({"100 1 2 30 240 0 0", "0 0 90 300 0 0 90", "20 20", "0 0", "1000"})));
  ASSERT_EQ(seven.lines.size(), 1u);
  EXPECT_EQ(seven.lines[0].phase_code, std::vector<std::int32_t>{240});
  // Fewer than four: no line, no message.
  EXPECT_TRUE(geometry_of(build(test::project_text({"100 1 2"}))).lines.empty());
}

TEST(Reading, PhaseCodesAreIntegersInAnyIntegerNotation) {
  const ConfigurationGeometry g = geometry_of(
      build(test::project_text({"100 3 2 30", "0x78 0 0360 0 0 0", "0 0 0 90 300 0 0 90",
                                "20 20 20 20 20 20", "0 0 0 0 0 0", "1000 1000 1000"})));
  ASSERT_EQ(g.lines.size(), 1u);
  EXPECT_EQ(g.lines[0].phase_code, (std::vector<std::int32_t>{120, 240, 0}));
}

TEST(Reading, ASupportArmAngleIsTakenInRadians) {
  const ConfigurationGeometry g = geometry_of(build(
      test::project_text({"100 1 2 30", "0 0", "0 0 0 0 300 0 7 90", "20 20", "2 -2", "1000"})));
  const LineGeometry& line = g.lines[0];
  EXPECT_EQ(line.arm_angle[0], 0);
  EXPECT_DOUBLE_EQ(line.arm_angle[1], kPi / 2);
  EXPECT_EQ(line.suspension_points[0].x, 2);
  EXPECT_NEAR(line.suspension_points[1].y, -2, 1e-12);
  EXPECT_EQ(line.suspension_points[1].z, 27.0f);
  EXPECT_EQ(line.top_level, (std::vector<float>{20, 27}));
  EXPECT_TRUE(line.is_overhead);
}

TEST(FailureTable, EachCheckFiresWhereItShould) {
  using namespace geometry_text;
  const Message incomplete = error(project_text::kIncomplete);
  EXPECT_EQ(failure(build_configuration(std::string("/nonexistent/x.tlva"))),
            error_message(project_text::kCannotOpen, ENOENT));
  const struct {
    const char* what;
    std::string bytes;
    Message expected;
  } cases[] = {
      {"negative segment of line 2", test::project_text({"100 1 2 30 100 1 2 -1"}),
       error(kNegativeSegment)},
      {"angle 180", test::project_text({"100 1 2 30", "0 0", "0 0 0 90 300 0 0 180"}),
       error(kArmAngleRange)},
      {"angle -0.5", test::project_text({"100 1 2 30", "0 0", "0 0 0 -0.5 300 0 0 90"}),
       error(kArmAngleRange)},
      {"angle out of range beats a file that ends",
       test::project_text({"100 1 2 30", "0 0", "0 0 0 200 300"}), error(kArmAngleRange)},
      {"first and last support together",
       test::project_text({"100 1 3 30", "0 0", "0 0 0 90 300 0 0 90 0.0000005 -0.0000005 0 90"}),
       error(project_text::kCoincidentSupports)},
      {"negative sag at conductor 2 beats the line's warning",
       test::project_text(
           {"100 2 2 30", "0 0 0 0", "0 0 0 90 300 0 0 90", "20 20 20 20", "0 0 0 0", "0 -1"}),
       error(kNegativeSag)},
      {"warning of line 2, cable run with a sag",
       test::project_text({"100 1 2 30 100 1 2 0", "0 0 0 0",
                           "0 0 0 90 300 0 0 90 0 0 0 0 300 0 0 0", "20 20 20 20", "0 0 0 0",
                           "1000 0.02"}),
       warning_message(std::string(kInconsistentStart) + "2" + kInconsistentEnd)},
      {"warning of line 1 beats the negative sag of line 2",
       test::project_text({"100 1 2 2 100 1 2 30", "0 0 0 0",
                           "0 0 0 90 300 0 0 90 0 0 0 0 300 0 0 0", "20 20 20 20", "0 0 0 0",
                           "0 -5"}),
       warning_message(std::string(kInconsistentStart) + "1" + kInconsistentEnd)},
      {"a file that ends early",
       test::project_text({"100 1 2 30", "0 0", "0 0 0 90 300 0 0 90", "20"}), incomplete},
      {"a value that is not a number", test::project_text({"100 1 2 30", "0 R"}), incomplete},
      {"a count the file cannot hold", test::project_text({"100 2000000000 2 30", "0 0"}),
       incomplete},
      {"no conductors", test::project_text({"100 0 2 30", "0 0 0 90 300 0 0 90", "", "", ""}),
       incomplete},
      {"no supports", test::project_text({"100 1 0 30", "0 0"}), incomplete},
      {"no conductors and fewer than no supports", test::project_text({"100 0 -1 0"}), incomplete},
      {"a coordinate beyond any double",
       test::project_text({"100 1 2 30", "0 0", "0 0 0 90 1e999 0 0 90", "20 20", "0 0", "1000"}),
       incomplete},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(failure(build(c.bytes)), c.expected) << c.what;
  }
}

TEST(FailureTable, BoundaryValuesPassTheirChecks) {
  // Angle 0; the same supports in two lines; thresholds compare the float as
  // read: 0.01 is below 0.01, while 0.001 and 0.1 are above their constants.
  const ConfigurationOutcome both = build(test::project_text(
      {"100 1 2 30 100 1 2 0.001", "0 0 0 0", "0 0 0 0 300 0 0 0 0 0 0 0 300 0 0 0", "20 20 20 20",
       "0 0 0 0", "1000 0.01"}));
  EXPECT_EQ(failure(both), std::nullopt);
  EXPECT_TRUE(geometry_of(both).lines.at(1).is_overhead);
  const ConfigurationGeometry g = geometry_of(build(
      test::project_text({"100 1 2 0.1", "0 0", "0 0 0 0 300 0 0 0", "20 20", "0 0", "0.011"})));
  EXPECT_TRUE(g.lines.at(0).is_overhead);
  const ConfigurationGeometry cable = geometry_of(build(
      test::project_text({"100 1 2 0.0009", "0 0", "0 0 0 0 300 0 0 0", "20 20", "0 0", "0.01"})));
  EXPECT_FALSE(cable.lines.at(0).is_overhead);
}

// A cable run of one conductor through the given vertices, arm length 1.
std::string cable_run(const std::vector<std::pair<double, double>>& vertices) {
  std::string supports, heights, arms, sags;
  for (const auto& [x, y] : vertices) {
    supports += general_text(x, 17) + " " + general_text(y, 17) + " 0 0 ";
    heights += "-1 ";
    arms += "1 ";
  }
  for (std::size_t s = 1; s < vertices.size(); ++s) sags += "0 ";
  const std::string row_one = "100 1 " + std::to_string(vertices.size()) + " 0";
  return test::project_text(
      {row_one.c_str(), "0 0", supports.c_str(), heights.c_str(), arms.c_str(), sags.c_str()});
}

TEST(CableRun, EndsArePerpendicularToTheirLegs) {
  const ConfigurationGeometry g = geometry_of(build(cable_run({{0, 0}, {300, 0}})));
  const LineGeometry& line = g.lines.at(0);
  EXPECT_FALSE(line.is_overhead);
  EXPECT_DOUBLE_EQ(line.arm_angle[0], kPi / 2);
  EXPECT_DOUBLE_EQ(line.arm_angle[1], kPi / 2);
  EXPECT_EQ(line.forward_azimuth[0], 0);
  EXPECT_DOUBLE_EQ(line.backward_azimuth[1], kPi);
  // Running the other way, forward + pi/2 = 3pi/2 folds back to pi/2.
  const ConfigurationGeometry back = geometry_of(build(cable_run({{300, 0}, {0, 0}})));
  EXPECT_DOUBLE_EQ(back.lines.at(0).arm_angle[0], kPi / 2);
  EXPECT_DOUBLE_EQ(back.lines.at(0).arm_angle[1], kPi / 2);
  EXPECT_EQ(back.lines[0].segment_length, 1e6f);
  EXPECT_EQ(back.lines[0].spans[0].samples.size(), 2u);
}

TEST(CableRun, CornersKeepTheConductorAtItsArmLengthFromBothLegs) {
  // Straight on: exactly the arm length, on the perpendicular.
  const LineGeometry straight =
      geometry_of(build(cable_run({{0, 0}, {100, 100}, {200, 200}}))).lines.at(0);
  EXPECT_EQ(straight.arm_length[1], 1.0f);
  EXPECT_NEAR(straight.arm_angle[1], 3 * kPi / 4, 1e-12);
  // A right angle: on the bisector, sqrt(2) out, 1 from each leg.
  const LineGeometry corner =
      geometry_of(build(cable_run({{0, 0}, {100, 0}, {100, 100}}))).lines.at(0);
  EXPECT_NEAR(corner.arm_length[1], std::sqrt(2.0), 1e-6);
  EXPECT_NEAR(corner.arm_angle[1], 3 * kPi / 4, 1e-12);
  const SuspensionPoint& p = corner.suspension_points[1];
  EXPECT_NEAR(p.x, 99, 1e-6);
  EXPECT_NEAR(p.y, 1, 1e-6);
  // Turning back on itself, or legs pointing the same way: finite and limited.
  for (const auto& run :
       {std::vector<std::pair<double, double>>{{0, 0}, {100, 0}, {0, 0.001}},
        std::vector<std::pair<double, double>>{{0, 0}, {100, 0}, {200, 0}, {150, 0}},
        std::vector<std::pair<double, double>>{{0, 0}, {100, 0}, {50, 0}}}) {
    const LineGeometry line = geometry_of(build(cable_run(run))).lines.at(0);
    for (const float arm : line.arm_length) {
      EXPECT_TRUE(std::isfinite(arm));
      EXPECT_LE(arm, 4.0f);
    }
    for (const SpanCurve& span : line.spans) {
      for (const Point3& q : span.samples) EXPECT_TRUE(std::isfinite(q.x + q.y + q.z));
    }
  }
}

// Random overhead projects: the geometry holds together whatever the values.
TEST(Property, RandomProjectsGiveFiniteCurvesThroughTheirSuspensionPoints) {
  std::mt19937_64 random(2024);
  std::uniform_real_distribution<double> unit(0, 1);
  const int sizes[] = {1, 3, 6};
  for (int run = 0; run < 300; ++run) {
    const int lines = 1 + run % 3;
    std::string row[6];
    struct Size {
      int n, p;
    };
    std::vector<Size> shape;
    for (int l = 0; l < lines; ++l) {
      const Size s{sizes[random() % 3], 2 + static_cast<int>(random() % 5)};
      shape.push_back(s);
      row[0] += "100 " + std::to_string(s.n) + " " + std::to_string(s.p) + " " +
                general_text(0.2 + 40 * unit(random)) + " ";
      for (int k = 0; k < s.n; ++k) row[1] += std::to_string(120 * (k % 3)) + " 0 ";
      double x = 1000 * unit(random), y = 1000 * unit(random);
      for (int p = 0; p < s.p; ++p) {
        row[2] += fixed_text(x, 3) + " " + fixed_text(y, 3) + " " +
                  general_text(50 * unit(random)) + " " + general_text(179.9 * unit(random)) + " ";
        const double heading = 2 * kPi * unit(random);
        x += (20 + 400 * unit(random)) * std::cos(heading);
        y += (20 + 400 * unit(random)) * std::sin(heading);
      }
      for (int v = 0; v < s.n * s.p; ++v) row[3] += general_text(5 + 40 * unit(random)) + " ";
      for (int v = 0; v < s.n * s.p; ++v) row[4] += general_text(-6 + 12 * unit(random)) + " ";
      for (int v = 0; v < s.n * (s.p - 1); ++v) {
        row[5] +=
            general_text(run % 7 == 0 ? 1 + 20 * unit(random) : 150 + 3000 * unit(random)) + " ";
      }
    }
    row[0].pop_back();
    const ConfigurationGeometry g =
        geometry_of(build(test::project_text({row[0].c_str(), row[1].c_str(), row[2].c_str(),
                                              row[3].c_str(), row[4].c_str(), row[5].c_str()})));
    ASSERT_EQ(g.lines.size(), shape.size());
    for (const LineGeometry& line : g.lines) {
      for (int k = 0; k < line.conductor_count; ++k) {
        for (int s = 0; s + 1 < line.support_count; ++s) {
          const SpanCurve& span = line.spans.at(line.at_span(k, s));
          const SuspensionPoint& p = line.suspension_points[line.at_support(k, s)];
          const SuspensionPoint& q = line.suspension_points[line.at_support(k, s + 1)];
          const double a = line.sag_constant[line.at_span(k, s)];
          ASSERT_GE(span.samples.size(), 2u);
          for (const Point3& point : span.samples) {
            ASSERT_TRUE(std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z));
          }
          const Point3& first = span.samples.front();
          const Point3& last = span.samples.back();
          const double tolerance = 1e-6 * (1 + a);
          EXPECT_NEAR(first.x, p.x, 1e-9);
          EXPECT_NEAR(first.y, p.y, 1e-9);
          EXPECT_NEAR(first.z, p.z, tolerance);
          EXPECT_NEAR(last.x, q.x, 1e-6);
          EXPECT_NEAR(last.y, q.y, 1e-6);
          EXPECT_NEAR(last.z, q.z, tolerance);
          if (!(a > 10)) continue;
          // The lowest sample lies within one step of the vertex, or at the
          // end nearer to it when the vertex is outside the span.
          const auto lowest =
              std::min_element(span.samples.begin(), span.samples.end(),
                               [](const Point3& u, const Point3& v) { return u.z < v.z; });
          const double t = std::hypot(lowest->x - p.x, lowest->y - p.y);
          const double x0 = std::clamp(*span.vertex_offset, 0.0, span.span_length);
          EXPECT_LE(std::abs(t - x0), line.segment_length + 1e-6);
          EXPECT_GE(lowest->z, *span.curve_offset + a - tolerance);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tralva
