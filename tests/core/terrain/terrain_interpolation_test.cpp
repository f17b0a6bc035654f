#include "terrain/terrain_interpolation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "progress_recorder.h"
#include "terrain/inverse_distance.h"
#include "terrain/terrain_texts.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = terrain_text;

std::vector<SpotHeight> random_survey(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> plan(-100, 100);
  std::uniform_real_distribution<double> height(80, 160);
  std::vector<SpotHeight> survey(count);
  for (SpotHeight& s : survey) s = {plan(random), plan(random), height(random)};
  std::sort(survey.begin(), survey.end());
  return survey;
}

double distance(const SpotHeight& s, double x, double y) { return std::hypot(s.x - x, s.y - y); }

// The spot heights nearest to (x, y), nearest first, by a plain search.
std::vector<SpotHeight> nearest(std::vector<SpotHeight> survey, double x, double y, std::size_t n) {
  std::stable_sort(survey.begin(), survey.end(), [&](const SpotHeight& a, const SpotHeight& b) {
    return distance(a, x, y) < distance(b, x, y);
  });
  survey.resize(n);
  return survey;
}

TEST(InverseDistance, OneNeighbourOnAPlaneGivesTheNearestSamplesHeight) {
  const auto plane = [](double x, double y) { return 12.5 + 0.25 * x - 0.5 * y; };
  std::vector<SpotHeight> survey = random_survey(300, 7);
  for (SpotHeight& s : survey) s.z = plane(s.x, s.y);
  const InverseDistance terrain(survey, 2, 1);
  InverseDistance::Scratch scratch;
  for (double x = -90; x <= 90; x += 7.3) {
    for (double y = -90; y <= 90; y += 6.1) {
      const SpotHeight near = nearest(survey, x, y, 1)[0];
      EXPECT_EQ(terrain.height(x, y, scratch), plane(near.x, near.y)) << x << " " << y;
    }
  }
}

TEST(InverseDistance, EqualHeightsGiveThatHeightForAnyPowerAndCount) {
  std::vector<SpotHeight> survey = random_survey(50, 11);
  for (SpotHeight& s : survey) s.z = 123.25;
  for (const float alpha : {0.0f, 0.5f, 1.0f, 2.0f, 7.5f}) {
    for (const std::int32_t n : {1, 3, 8, 50, 1000}) {
      const InverseDistance terrain(survey, alpha, n);
      InverseDistance::Scratch scratch;
      EXPECT_NEAR(terrain.height(3.5, -17, scratch), 123.25, 1e-12) << alpha << " " << n;
    }
  }
}

TEST(InverseDistance, AlphaZeroIsTheMeanAndOtherPowersWeighByDistance) {
  const std::vector<SpotHeight> survey = random_survey(200, 3);
  InverseDistance::Scratch scratch;
  const std::vector<SpotHeight> near = nearest(survey, 10, 20, 6);
  double mean = 0;
  double weighted = 0;
  double weights = 0;
  for (const SpotHeight& s : near) {
    mean += s.z / 6;
    weighted += s.z / std::pow(distance(s, 10, 20), 1.5);
    weights += 1 / std::pow(distance(s, 10, 20), 1.5);
  }
  EXPECT_NEAR(InverseDistance(survey, 0, 6).height(10, 20, scratch), mean, 1e-9);
  EXPECT_NEAR(InverseDistance(survey, 1.5, 6).height(10, 20, scratch), weighted / weights, 1e-9);
}

TEST(InverseDistance, SpotHeightsOnThePointGiveTheirMeanExactly) {
  std::vector<SpotHeight> survey = random_survey(100, 5);
  survey.push_back({40, -30, 101.5});
  survey.push_back({40, -30, 102});
  survey.push_back({40, -30, 103});
  std::sort(survey.begin(), survey.end());
  InverseDistance::Scratch scratch;
  // However many there are, beyond the count of neighbours too.
  EXPECT_EQ(InverseDistance(survey, 2, 1).height(40, -30, scratch), 306.5 / 3);
  EXPECT_EQ(InverseDistance(survey, 2, 8).height(40, -30, scratch), 306.5 / 3);
  EXPECT_EQ(InverseDistance(survey, 2, 8).height(survey[17].x, survey[17].y, scratch),
            survey[17].z);
}

TEST(InverseDistance, ATieAtTheLastDistanceGoesToTheSmallerXThenYThenZ) {
  // Four spot heights 1 m from the origin, another two at the same place.
  std::vector<SpotHeight> survey = {{1, 0, 10},  {-1, 0, 20}, {0, 1, 30},
                                    {0, -1, 40}, {0, -1, 35}, {5, 5, 0}};
  std::sort(survey.begin(), survey.end());
  InverseDistance::Scratch scratch;
  EXPECT_EQ(InverseDistance(survey, 1, 1).height(0, 0, scratch), 20);
  EXPECT_EQ(InverseDistance(survey, 1, 2).height(0, 0, scratch), (20 + 35) / 2.0);
  EXPECT_EQ(InverseDistance(survey, 1, 3).height(0, 0, scratch), (20 + 35 + 40) / 3.0);
}

class TerrainInterpolation : public ::testing::Test {
 protected:
  TerrainInterpolation() {
    test::write_file(request_.base_path,
                     "X\tY\tZ\r\n0\t0\t0\r\n0\t10\t0\r\n10\t0\t0\r\n10\t10\t0\r\n20\t0\t0\r\n");
    request_.alpha = 2;
    request_.neighbours = 3;
  }
  TerrainOutcome run(const TerrainRequest& request) {
    test::ScriptedClock clock({0});
    return interpolate_terrain(request, sink_, clock);
  }
  std::string terrain(const std::string& survey) {
    test::write_file(request_.spot_heights_path, survey);
    const TerrainOutcome outcome = run(request_);
    if (const auto* failure = std::get_if<Message>(&outcome)) ADD_FAILURE() << failure->text;
    return test::read_file(request_.terrain_path);
  }

  test::TempDir dir_;
  test::RecordingSink sink_;
  TerrainRequest request_ = [this] {
    TerrainRequest r;
    r.base_path = dir_.file("base.txt");
    r.spot_heights_path = dir_.file("quote.txt");
    r.terrain_path = dir_.file("orografia.txt");
    return r;
  }();
};

TEST_F(TerrainInterpolation, WritesTheBasePointsWithTheirHeightsInTheBaseOrder) {
  request_.precision = "cm";
  EXPECT_EQ(terrain("X;Y;Z\n0;0;100\n20;0;120\n10;10;110\n0.004;10;99.999\n"),
            "X\tY\tZ\r\n0.00\t0.00\t100.00\r\n0.00\t10.00\t100.00\r\n10.00\t0.00\t110.00\r\n"
            "10.00\t10.00\t110.00\r\n20.00\t0.00\t120.00\r\n");
  const TerrainSummary summary = std::get<TerrainSummary>(run(request_));
  EXPECT_EQ(summary.points, 5);
  EXPECT_LT(summary.lowest, 100);  // 99.999 at 0.004 m from (0, 10)
  EXPECT_EQ(summary.highest, 120);
  EXPECT_EQ(terrain_summary_text(summary),
            "Orografia creata con successo.\nPunti scritti: 5\nQuota minima: 100.00 m\n"
            "Quota massima: 120.00 m");
}

TEST_F(TerrainInterpolation, TheOrderOfTheSurveyLinesChangesNothing) {
  std::vector<std::string> lines;
  for (const SpotHeight& s : random_survey(40, 9)) {
    lines.push_back(test::c_printf("%.17g;%.17g;%.17g\n", s.x, s.y, s.z));
  }
  std::string forward, backward;
  for (const std::string& line : lines) forward += line;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) backward += *it;
  std::string base = "X Y Z\n";
  for (int i = -90; i <= 90; i += 15)
    base += std::to_string(i) + " " + std::to_string(-i / 2) + " 0\n";
  test::write_file(request_.base_path, base);
  request_.precision = "mm";
  const std::string first = terrain(forward);
  EXPECT_EQ(terrain(backward), first);
}

TEST_F(TerrainInterpolation, PartsPutTogetherAreTheWhole) {
  std::string base = "X Y Z\n";
  for (int i = 0; i < 23; ++i) base += std::to_string(i * 3) + " " + std::to_string(i % 5) + " 0\n";
  test::write_file(request_.base_path, base);
  const std::string whole = terrain("0 0 1\n70 0 2\n35 4 3\n10 2 4\n");
  std::string joined;
  for (int k = 1; k <= 4; ++k) {
    request_.part = {k, 4};
    joined += terrain("0 0 1\n70 0 2\n35 4 3\n10 2 4\n");
  }
  EXPECT_EQ(test::first_difference(joined, whole), "");
}

TEST_F(TerrainInterpolation, AFailureWritesNothing) {
  test::write_file(request_.terrain_path, "old");
  test::write_file(request_.spot_heights_path, "1 2 3\n4 5\n");
  EXPECT_EQ(std::get<Message>(run(request_)).text,
            text::kBadSpotLine + std::string("2") + text::kBadSpotLineEnd);
  test::write_file(request_.spot_heights_path, "1 2 3\n");
  test::write_file(request_.base_path, "X Y Z\n1 2 3\n1 2\n");
  EXPECT_EQ(std::get<Message>(run(request_)).text,
            text::kBadBaseLine + std::string("3") + text::kBadBaseLineEnd);
  test::write_file(request_.base_path, "X Y Z\n1 2 3\n");
  TerrainRequest over_input = request_;
  over_input.terrain_path = request_.spot_heights_path;
  EXPECT_EQ(std::get<Message>(run(over_input)).text, text::kTerrainIsInput);
  EXPECT_EQ(test::read_file(request_.terrain_path), "old");
  EXPECT_EQ(test::read_file(request_.spot_heights_path), "1 2 3\n");
}

}  // namespace
}  // namespace tralva
