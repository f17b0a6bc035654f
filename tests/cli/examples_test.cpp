// The example projects of examples/, which the user guide uses, read by
// tralva-util as the guide reads them.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "geometry/configuration.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva::cli {
namespace {

std::string example(const std::string& name) {
  return std::string(TRALVA_EXAMPLES_DIR) + "/" + name;
}

const LineGeometry& only_line(const ConfigurationOutcome& outcome) {
  const auto& lines = std::get<ConfigurationGeometry>(outcome).lines;
  EXPECT_EQ(lines.size(), 1u);
  return lines.at(0);
}

double degrees(double radians) { return radians * 180 / std::numbers::pi; }

// The display list of the whole project in XZ, as "disegna" writes it.
std::string drawing(const std::string& project) {
  test::TempDir dir;
  const Outcome r =
      tralva_util({"disegna", project, "--adatta", "--proiezione", "XZ", "-o", dir.file("d.json")});
  EXPECT_EQ(r.status, kSuccess) << r.err;
  return test::read_file(dir.file("d.json"));
}

TEST(Examples, TheOverheadLineHasThreeConductorsOverTwoSpansWithItsAngles) {
  const std::string path = example("linea-aerea.tlva");
  const Outcome r = tralva_util({"geometria", path});
  ASSERT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(r.out.rfind(R"({"lines":[{"current":650,"conductor_count":3,"support_count":3,)", 0),
            0u);
  const ConfigurationOutcome outcome = build_configuration(path);
  ASSERT_TRUE(std::holds_alternative<ConfigurationGeometry>(outcome));
  const LineGeometry& line = only_line(outcome);
  EXPECT_TRUE(line.is_overhead);
  // "Calcola gli angoli": square to the first span, on the bisector at the
  // middle pylon, square to the last span.
  EXPECT_NEAR(degrees(line.arm_angle[0]), 96.5198, 1e-4);
  EXPECT_NEAR(degrees(line.arm_angle[1]), 90, 1e-4);
  EXPECT_NEAR(degrees(line.arm_angle[2]), 83.4802, 1e-4);
  // Every conductor sags below its suspension points in both spans.
  for (const SpanCurve& span : line.spans) {
    ASSERT_GT(span.samples.size(), 2u);
    EXPECT_LT(span.samples[span.samples.size() / 2].z, span.samples.front().z - 5);
  }
  EXPECT_NE(drawing(path).find("[1000,"), std::string::npos) << "the pylons are drawn";
}

TEST(Examples, TheCableRunTurnsAtItsSecondVertex) {
  const std::string path = example("cavo-interrato.tlva");
  const ConfigurationOutcome outcome = build_configuration(path);
  ASSERT_TRUE(std::holds_alternative<ConfigurationGeometry>(outcome));
  const LineGeometry& line = only_line(outcome);
  EXPECT_FALSE(line.is_overhead);
  ASSERT_EQ(line.conductor_count, 3);
  ASSERT_EQ(line.support_count, 3);
  // The middle cable follows the vertices; its two legs are not in line.
  const SpanCurve& first = line.spans[line.at_span(1, 0)];
  const SpanCurve& second = line.spans[line.at_span(1, 1)];
  EXPECT_NEAR(degrees(first.span_azimuth), 0, 1e-9);
  EXPECT_NEAR(degrees(second.span_azimuth), degrees(std::atan2(110, 80)), 1e-9);
  // At the corner the outer cables lie on its bisector, either side of the
  // vertex, farther out than on the straight legs.
  const SuspensionPoint& left = line.suspension_points[line.at_support(0, 1)];
  const SuspensionPoint& right = line.suspension_points[line.at_support(2, 1)];
  EXPECT_NEAR((left.x + right.x) / 2, 900, 1e-9);
  EXPECT_NEAR((left.y + right.y) / 2, 0, 1e-9);
  EXPECT_NEAR(degrees(line.arm_angle[1]), (0 + degrees(std::atan2(110, 80))) / 2 + 90, 1e-6);
  EXPECT_GT(std::hypot(left.x - 900, left.y), 0.25);
  EXPECT_EQ(drawing(path).find("[1000,"), std::string::npos) << "a cable run has no pylons";
}

TEST(Examples, TheMergedProjectIsWhatUnisciMakesOfTheOtherTwo) {
  test::TempDir dir;
  const std::string parent = dir.file("unito.tlva");
  std::filesystem::copy_file(example("linea-aerea.tlva"), parent);
  const Outcome r = tralva_util({"unisci", parent, example("cavo-interrato.tlva")});
  ASSERT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(test::read_file(parent), test::read_file(example("progetto-unito.tlva")));

  const ConfigurationOutcome outcome = build_configuration(example("progetto-unito.tlva"));
  ASSERT_TRUE(std::holds_alternative<ConfigurationGeometry>(outcome));
  const auto& lines = std::get<ConfigurationGeometry>(outcome).lines;
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].is_overhead);
  EXPECT_FALSE(lines[1].is_overhead);
  // The viewer draws both: the pylons and conductors of one, the cables of the other.
  const std::string merged = drawing(example("progetto-unito.tlva"));
  const std::string overhead = drawing(example("linea-aerea.tlva"));
  EXPECT_NE(merged.find("[1000,"), std::string::npos);
  EXPECT_GT(merged.size(), overhead.size());
}

}  // namespace
}  // namespace tralva::cli
