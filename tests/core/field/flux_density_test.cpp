#include "field/flux_density.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "field/field_texts.h"
#include "project_text.h"

namespace tralva {
namespace {

using test::project_text;

ConductorSegments segments_of(const std::string& project) {
  ByteStream in(project);
  const ConfigurationOutcome geometry = build_configuration(in);
  if (const auto* message = std::get_if<Message>(&geometry)) {
    ADD_FAILURE() << "refused: " << message->text;
    return {};
  }
  auto laid_out = lay_out_conductors(std::get<ConfigurationGeometry>(geometry));
  if (const auto* message = std::get_if<Message>(&laid_out)) {
    ADD_FAILURE() << "refused: " << message->text;
    return {};
  }
  return std::get<ConductorSegments>(std::move(laid_out));
}

// B in microtesla at each point, 16 to a block.
std::vector<double> field_at(const ConductorSegments& segments, const std::vector<Point3>& points,
                             double buffer = 1000,
                             std::optional<InstructionSet> set = std::nullopt) {
  const FluxDensity flux(segments, buffer, set);
  return flux.evaluate_all(points);
}

double field_at(const std::string& project, Point3 point, double buffer = 1000) {
  return field_at(segments_of(project), {point}, buffer)[0];
}

// A cable run of one conductor between two vertices at depth 1 m.
std::string straight_cable(const std::string& current, const std::string& far_x) {
  return project_text(
      {current + " 1 2 0", "0 0", "0 0 0 0 " + far_x + " 0 0 0", "-1 -1", "0 0", "0"});
}

// 0.1 uT m / A * I / d * (cos t1 - cos t2) for a wire along X from 0 to
// `length`, at `along` and distance d; in long double, since the two
// cosines nearly cancel far along the wire.
double closed_form(long double current, long double length, long double along, long double d) {
  const long double cos1 = along / std::sqrt(along * along + d * d);
  const long double cos2 =
      (along - length) / std::sqrt((along - length) * (along - length) + d * d);
  return static_cast<double>(0.1L * current / d * (cos1 - cos2));
}

TEST(StraightWire, LongConductorGivesTwoTenthsOfTheCurrentOverTheDistance) {
  const std::string cable = straight_cable("1000", "10000");
  for (const double r : {1.0, 2.5, 5.0}) {
    // Above it, and sideways at its depth.
    EXPECT_NEAR(field_at(cable, {5000, 0, r - 1}), 0.2 * 1000 / r, 200 / r * 1e-6) << r;
    EXPECT_NEAR(field_at(cable, {5000, -r, -1}), 0.2 * 1000 / r, 200 / r * 1e-6) << r;
  }
}

TEST(StraightWire, FiniteSegmentMatchesTheClosedFormAtItsEndsAndBeyond) {
  const std::string cable = straight_cable("400", "100");
  // Across each end: mu0 I / (4 pi r) * l / sqrt(l^2 + r^2).
  const double across_end = 0.1 * 400 / 10 * 100 / std::hypot(100, 10);
  EXPECT_NEAR(field_at(cable, {0, 10, -1}), across_end, across_end * 1e-12);
  EXPECT_NEAR(field_at(cable, {100, 0, 9}), across_end, across_end * 1e-12);
  // Beside it, beyond its far end, and far along its line.
  for (const auto& [along, d] : {std::pair{30.0, 7.0}, {150.0, 20.0}, {-60.0, 3.0}, {900.0, 2.0}}) {
    const double expected = closed_form(400, 100, along, d);
    EXPECT_NEAR(field_at(cable, {along, d, -1}), expected, expected * 1e-9) << along << " " << d;
  }
}

TEST(StraightWire, BelowOneCentimetreTheDistanceCountsAsOneCentimetre) {
  const std::string cable = straight_cable("1000", "100");
  const double at_one_centimetre = closed_form(1000, 100, 50, 0.01);
  EXPECT_NEAR(field_at(cable, {50, 0.01, -1}), at_one_centimetre, at_one_centimetre * 1e-9);
  EXPECT_NEAR(field_at(cable, {50, 0.004, -1}), at_one_centimetre, at_one_centimetre * 1e-9);
  EXPECT_NEAR(field_at(cable, {50, 0, -1 + 1e-9}), at_one_centimetre, at_one_centimetre * 1e-9);
  // Beyond an end, on the extension of its line.
  const double beyond = closed_form(1000, 100, 130, 0.01);
  EXPECT_NEAR(field_at(cable, {130, 0.003, -1}), beyond, beyond * 1e-9);
}

TEST(StraightWire, PointsOnAConductorGetAFiniteValue) {
  const std::string line = project_text(
      {"1000 3 3 1", "0 0 120 0 240 0", "0 0 0 90 200 10 0 90 400 0 0 90",
       "20 20 20 20 20 20 20 20 20", "-3 -3 -3 0 0 0 3 3 3", "800 800 800 800 800 800"});
  const ConductorSegments segments = segments_of(line);
  std::vector<Point3> on_conductors;
  // Every vertex of the first conductor, and the middle of each of its segments.
  for (std::size_t i = 0; i + 1 < segments.x.size(); ++i) {
    on_conductors.push_back({segments.x[i], segments.y[i], segments.z[i]});
    on_conductors.push_back({(segments.x[i] + segments.x[i + 1]) / 2,
                             (segments.y[i] + segments.y[i + 1]) / 2,
                             (segments.z[i] + segments.z[i + 1]) / 2});
  }
  for (const double b : field_at(segments, on_conductors)) {
    ASSERT_TRUE(std::isfinite(b));
    ASSERT_LT(b, 0.2 * 1000 / 0.01 * 3);
  }
}

TEST(StraightWire, OnlySegmentsWhoseNearestPointIsWithinTheBufferCount) {
  const std::string cable = straight_cable("1000", "10000");
  EXPECT_EQ(field_at(cable, {5000, 50, -1}, 40), 0);
  EXPECT_NEAR(field_at(cable, {5000, 50, -1}, 60), closed_form(1000, 10000, 5000, 50), 4e-12);
  // 30 m from the line beyond the end, 50 m from the end itself.
  const std::string short_cable = straight_cable("1000", "100");
  EXPECT_EQ(field_at(short_cable, {140, 30, -1}, 45), 0);
  EXPECT_GT(field_at(short_cable, {140, 30, -1}, 55), 0);
  EXPECT_EQ(field_at(short_cable, {50, 0, 0}, -1), 0);  // a negative buffer counts nothing
}

// Three conductors in a horizontal plane, `spacing` apart across a 20 km
// span that sags 5 m, every current `current` A.
std::string flat_line(const std::string& current, const std::string& phases,
                      const std::string& spacing = "1") {
  return project_text({current + " 3 2 10", phases, "0 0 0 90 20000 0 0 90", "20 20 20 20 20 20",
                       "-" + spacing + " -" + spacing + " 0 0 " + spacing + " " + spacing,
                       "1e7 1e7 1e7"});
}

// The middle conductor's lowest point, halfway along the span.
double lowest_level(const std::string& project) {
  ByteStream in(project);
  const auto geometry = std::get<ConfigurationGeometry>(build_configuration(in));
  const LineGeometry& line = geometry.lines[0];
  const std::vector<Point3>& samples = line.spans[line.at_span(1, 0)].samples;
  return samples[samples.size() / 2].z;
}

TEST(ThreePhase, FarFromAFlatBalancedLineTheFieldFallsAsTheSquareOfTheDistance) {
  const std::string line = flat_line("1000", "0 0 120 0 240 0");
  const ConductorSegments segments = segments_of(line);
  const double centre = lowest_level(line);
  for (const double r : {100.0, 200.0}) {
    const double expected = 0.2 * std::sqrt(3.0) * 1 * 1000 / (r * r);
    // The whole span counts: a buffer of 1000 m would cut each conductor
    // short at a different segment, and those ends would weigh in.
    const std::vector<double> below_and_beside =
        field_at(segments, {{10000, 0, centre - r}, {10000, r, centre}}, 1e5);
    EXPECT_NEAR(below_and_beside[0], expected, expected * 1e-3) << r;
    EXPECT_NEAR(below_and_beside[1], expected, expected * 1e-3) << r;
  }
}

TEST(ThreePhase, CoincidentBalancedConductorsCancel) {
  const std::string single = straight_cable("1000", "300");
  const std::string three = project_text({"1000 3 2 0", "0 0 120 0 240 0", "0 0 0 0 300 0 0 0",
                                          "-1 -1 -1 -1 -1 -1", "0 0 0 0 0 0", "0 0 0"});
  for (const Point3 p : {Point3{150, 2, 0}, Point3{10, -5, 3}, Point3{400, 1, -1}}) {
    EXPECT_LT(field_at(three, p), field_at(single, p) * 1e-12);
  }
}

TEST(ThreePhase, TheFieldIsProportionalToTheCurrent) {
  const std::string phases = "0 0 120 0 240 0";
  const std::vector<Point3> points{{10000, 30, 1}, {19990, -8, 0}, {5, 0, 12}};
  const std::vector<double> once = field_at(segments_of(flat_line("500", phases, "4")), points);
  const std::vector<double> twice = field_at(segments_of(flat_line("1000", phases, "4")), points);
  for (std::size_t i = 0; i < points.size(); ++i) EXPECT_DOUBLE_EQ(twice[i], 2 * once[i]);
}

TEST(ThreePhase, PhaseOffsetsShiftTheCurrents) {
  const std::vector<Point3> points{{10000, 30, 1}, {10000, -3, 10}, {30, 2, 15}};
  const std::vector<double> rst =
      field_at(segments_of(flat_line("800", "0 0 120 0 240 0", "4")), points);
  // R shifted by 120 and 240 is S and T; a shift common to all changes nothing.
  const std::vector<double> shifted_r =
      field_at(segments_of(flat_line("800", "0 0 0 120 0 240", "4")), points);
  const std::vector<double> all_shifted =
      field_at(segments_of(flat_line("800", "0 37.5 120 37.5 240 37.5", "4")), points);
  // Offsets that make the outer two equal: no longer balanced.
  const std::vector<double> unbalanced =
      field_at(segments_of(flat_line("800", "0 0 120 0 240 120", "4")), points);
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(shifted_r[i], rst[i], rst[i] * 1e-12);
    EXPECT_NEAR(all_shifted[i], rst[i], rst[i] * 1e-12);
    EXPECT_GT(std::abs(unbalanced[i] - rst[i]), rst[i] * 0.01);
  }
  // Two coincident conductors with opposite currents: a go and return pair.
  const std::string pair = project_text({"1000 3 2 0", "0 0 0 180 0 90", "0 0 0 0 300 0 0 0",
                                         "-1 -1 -1 -1 -1 -1", "0 0 0 0 0 0", "0 0 0"});
  const std::string quarter_alone =
      project_text({"1000 1 2 0", "0 90", "0 0 0 0 300 0 0 0", "-1 -1", "0 0", "0"});
  const Point3 p{150, 3, 0};
  EXPECT_NEAR(field_at(pair, p), field_at(quarter_alone, p), field_at(quarter_alone, p) * 1e-12);
}

TEST(SingleConductor, ReversingItsDirectionLeavesTheFieldUnchanged) {
  const std::string forward = project_text(
      {"700 1 3 0", "0 0", "0 0 0 0 100 50 0 0 250 0 0 0", "-1.5 -1.5 -1.5", "0 0 0", "0 0"});
  const std::string backward = project_text(
      {"700 1 3 0", "0 0", "250 0 0 0 100 50 0 0 0 0 0 0", "-1.5 -1.5 -1.5", "0 0 0", "0 0"});
  const std::vector<Point3> points{{100, 45, 0}, {0, 0, 0}, {300, -20, 5}, {125, 25, -1.5}};
  const std::vector<double> there = field_at(segments_of(forward), points);
  const std::vector<double> back = field_at(segments_of(backward), points);
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_GT(there[i], 0);
    EXPECT_NEAR(back[i], there[i], there[i] * 1e-12);
  }
}

// The same values to the last bit on every instruction set and in any
// block: a result file does not depend on the vector unit that summed it.
TEST(Determinism, EveryInstructionSetGivesTheSameBits) {
  const std::string line = project_text(
      {"1000 6 3 1", "0 0 120 0 240 0 0 0 120 0 240 0", "0 0 0 90 300 40 0 90 600 0 0 90",
       "20 20 20 25 25 25 30 30 30 20 20 20 25 25 25 30 30 30",
       "-4 -4 -4 -5 -5 -5 -4 -4 -4 4 4 4 5 5 5 4 4 4",
       "1000 1000 1000 1000 1000 1000 1000 1000 1000 1000 1000 1000"});
  const ConductorSegments segments = segments_of(line);
  std::mt19937_64 random(15);
  std::uniform_real_distribution<double> x(-100, 700), y(-300, 300), z(-5, 35);
  std::vector<Point3> points;
  for (int i = 0; i < 400; ++i) points.push_back({x(random), y(random), z(random)});
  for (std::size_t i = 0; i < 40; ++i) {  // on and within a centimetre of the conductors
    points.push_back(
        {segments.x[i * 17], segments.y[i * 17] + 0.003 * (i % 3), segments.z[i * 17]});
  }
  const std::vector<double> reference = field_at(segments, points, 250, InstructionSet::sse2);
  for (const InstructionSet set : supported_instruction_sets()) {
    const std::vector<double> b = field_at(segments, points, 250, set);
    EXPECT_EQ(std::memcmp(b.data(), reference.data(), b.size() * sizeof(double)), 0)
        << instruction_set_name(set);
  }
  // A point alone in its block gives what it gives among others.
  for (std::size_t i = 0; i < points.size(); i += 37) {
    EXPECT_EQ(field_at(segments, {points[i]}, 250)[0], reference[i]);
  }
}

TEST(Layout, RefusesProjectsWithoutAFieldToCompute) {
  ConfigurationGeometry none;
  EXPECT_EQ(std::get<Message>(lay_out_conductors(none)),
            error_message(field_text::kProjectInvalid));
  const std::string infinite_current = straight_cable("1e39", "100");  // beyond a float
  ByteStream in(infinite_current);
  const auto geometry = std::get<ConfigurationGeometry>(build_configuration(in));
  EXPECT_EQ(std::get<Message>(lay_out_conductors(geometry)),
            error_message(field_text::kProjectInvalid));
}

}  // namespace
}  // namespace tralva
