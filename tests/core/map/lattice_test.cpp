#include "map/lattice.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

#include "map/map_texts.h"
#include "map_test_support.h"

namespace tralva {
namespace {

namespace text = map_text;

LatticeField read_field(const std::string& path) {
  LatticeOutcome outcome = read_lattice_field(path);
  if (const auto* failure = std::get_if<Message>(&outcome)) {
    ADD_FAILURE() << failure->text;
    return {};
  }
  return std::get<LatticeField>(std::move(outcome));
}

Message refusal(const std::string& bytes) {
  ByteStream in(bytes);
  LatticeOutcome outcome = read_lattice_field(in);
  if (const auto* failure = std::get_if<Message>(&outcome)) return *failure;
  return {};
}

TEST(LatticeReader, ReadsThePlaneGridsAndBaseGridsThatCampoWrites) {
  test::TempDir dir;
  // A plane grid: rows along Y, points along X within a row.
  test::plane_result(
      dir.file("l.tlva"),
      {.origin_x = 100, .origin_y = -30, .step_x = 10, .step_y = 5, .steps_x = 4, .steps_y = 3},
      "m", dir.file("plane.txt"));
  const LatticeField plane = read_field(dir.file("plane.txt"));
  EXPECT_EQ(plane.lattice.origin, (PlanPoint{100, -30}));
  EXPECT_EQ(plane.lattice.inner, (PlanPoint{10, 0}));
  EXPECT_EQ(plane.lattice.outer, (PlanPoint{0, 5}));
  EXPECT_EQ(plane.lattice.inner_count, 5);
  EXPECT_EQ(plane.lattice.outer_count, 4);
  ASSERT_EQ(plane.b.size(), 20u);
  EXPECT_EQ(plane.b[static_cast<std::size_t>(plane.maximum_at)], plane.maximum());

  // North up: the first raster row is the last row of the grid, and each
  // point sits at the centre of its pixel.
  const RasterView view = raster_view(plane.lattice);
  EXPECT_EQ(view.columns, 5);
  EXPECT_EQ(view.rows, 4);
  EXPECT_EQ(view.point(0, 0), 15);
  EXPECT_EQ(view.point(4, 3), 4);
  const double north_up[6] = {95, 10, 0, -12.5, 0, -5};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(view.transform[k], north_up[k]) << k;

  // A base grid, X outer and Y inner, with the maximum of two heights.
  test::base_grid_result(dir.file("l.tlva"),
                         {.origin_x = 250,
                          .origin_y = -20,
                          .steps_x = 3,
                          .steps_y = 2,
                          .step = 2.5f,
                          .base_precision = "cm",
                          .base_file_path = dir.file("base.txt")},
                         dir.file("base-result.txt"));
  const LatticeField base = read_field(dir.file("base-result.txt"));
  EXPECT_EQ(base.lattice.inner, (PlanPoint{0, 2.5}));
  EXPECT_EQ(base.lattice.outer, (PlanPoint{2.5, 0}));
  EXPECT_EQ(base.lattice.inner_count, 3);
  EXPECT_EQ(base.lattice.outer_count, 4);
  EXPECT_TRUE(base.lattice.along_axes());
  const RasterView columns_along_x = raster_view(base.lattice);
  EXPECT_EQ(columns_along_x.columns, 4);
  EXPECT_EQ(columns_along_x.rows, 3);
  EXPECT_EQ(columns_along_x.point(1, 0), 5);  // X 252.5, Y -15: the top row is the largest Y
  EXPECT_EQ(columns_along_x.transform[5], -2.5);
}

TEST(LatticeReader, TakesAGridTurnedInPlanAndRoundedToTheCentimetre) {
  test::TempDir dir;
  test::plane_result(dir.file("l.tlva"),
                     {.origin_x = 4500000.5,
                      .origin_y = 20,
                      .step_x = 0.7f,
                      .step_y = 1.3f,
                      .steps_x = 40,
                      .steps_y = 30,
                      .fi = 30},
                     "cm", dir.file("turned.txt"));
  const LatticeField turned = read_field(dir.file("turned.txt"));
  EXPECT_FALSE(turned.lattice.along_axes());
  EXPECT_EQ(turned.lattice.inner_count, 41);
  EXPECT_EQ(turned.lattice.outer_count, 31);
  EXPECT_NEAR(turned.lattice.inner.x, 0.7 * std::cos(3.141592653589793 / 6), 0.001);
  EXPECT_NEAR(turned.lattice.outer.x, -1.3 * std::sin(3.141592653589793 / 6), 0.001);
  EXPECT_NEAR(turned.lattice.cell_area(), 0.7 * 1.3, 0.001);
}

TEST(LatticeReader, RefusesWhatIsNoLatticeNamingTheFirstPointThatBreaksIt) {
  const std::string header = "X\tY\tZ\tB [uT]\r\n";
  // Three rows of three points, 10 m apart, B = 1.
  const auto grid = [&](std::string_view replaced, std::string_view by) {
    std::string text = header;
    for (int j = 0; j < 3; ++j) {
      for (int i = 0; i < 3; ++i) {
        text += std::to_string(10 * i) + "\t" + std::to_string(10 * j) + "\t0\t1\r\n";
      }
    }
    const std::size_t at = text.find(replaced);
    return at == std::string::npos ? text : text.replace(at, replaced.size(), by);
  };
  const auto bad_line = [](int line) {
    return error_message(text::kBadRecord + std::to_string(line) + text::kBadRecordEnd);
  };
  const auto at_point = [](std::string where, std::string_view ending) {
    return error_message(text::kThePoint + where + std::string(ending));
  };
  EXPECT_EQ(refusal(grid("", "")).text, "");  // the whole grid reads
  EXPECT_EQ(refusal("X\tY\tZ\r\n0\t0\t0\r\n"), error_message(text::kNotAResult));
  EXPECT_EQ(refusal(""), error_message(text::kNotAResult));
  EXPECT_EQ(refusal(grid("10\t10\t0\t1", "10\t10\t0\tnan")), bad_line(6));
  EXPECT_EQ(refusal(grid("10\t10\t0\t1", "10\t10\t0")), bad_line(6));
  EXPECT_EQ(refusal(grid("10\t10\t0\t1", "10\t10\t0\t-1")), bad_line(6));
  EXPECT_EQ(refusal(grid("10\t10\t0\t1", "10,5\t10\t0\t1")), bad_line(6));
  EXPECT_EQ(refusal(grid("10\t10\t0\t1\r\n", "\r\n10\t10\t0\t1\r\n")), bad_line(6));
  EXPECT_EQ(refusal(header + "0\t0\t0\t1\r\n"),
            error_message(text::kTooFewPoints + std::string("1") + text::kTooFewPointsEnd));
  EXPECT_EQ(refusal(header + "0\t0\t0\t1\r\n1\t0\t0\t1\r\n2\t0\t0\t1\r\n3\t0\t0\t1\r\n"),
            error_message(text::kSingleRow));
  // A point off its place, a point repeated, a grid with its last row cut.
  EXPECT_EQ(refusal(grid("10\t20\t0", "15\t20\t0")),
            at_point("9 (X 15, Y 20)", text::kOffLatticeEnd + std::string("X 10, Y 20.")));
  EXPECT_EQ(refusal(grid("10\t0\t0", "0\t0\t0")),
            at_point("3 (X 0, Y 0)", text::kRepeatedPointEnd));
  EXPECT_EQ(
      refusal(grid("20\t20\t0\t1\r\n", "")),
      error_message(text::kIncompleteRow + std::string("2") + text::kIncompleteRowMiddle + "3."));
  // A vertical plane: every row over the first in plan.
  EXPECT_EQ(refusal(header + "0\t0\t0\t1\r\n10\t0\t0\t1\r\n0\t0\t5\t1\r\n10\t0\t5\t1\r\n"),
            at_point("4 (X 0, Y 0)", text::kRowOnLineEnd));
  // Blank lines may only end the file.
  EXPECT_EQ(refusal(grid("", "") + "\r\n \r\n").text, "");
}

// Reads with the address space limited to what the process has and 64 MB
// more; exits with 0 when the reading ends with a refusal, as a process of
// its own must (a failed allocation ends it).
[[noreturn, maybe_unused]] void refuse_within_64_mb(const std::string& path) {
  std::size_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const rlimit limit{pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + (64 << 20),
                     RLIM_INFINITY};
  setrlimit(RLIMIT_AS, &limit);
  std::_Exit(std::holds_alternative<Message>(read_lattice_field(path)) ? 0 : 1);
}

TEST(LatticeReader, AShortFileSpanningAHugeAreaTakesNoMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own reservations leave no address space to limit";
#else
  // Steps of 1 m, then a point 10^5 m away: a lattice of 10^5 x 10^5 points
  // if it were taken from the coordinates, a refusal as it stands.
  test::TempDir dir;
  test::write_file(dir.file("r.txt"),
                   "X\tY\tZ\tB [uT]\n0\t0\t0\t1\n1\t0\t0\t1\n0\t1\t0\t1\n100000\t100000\t0\t1\n");
  EXPECT_EXIT(refuse_within_64_mb(dir.file("r.txt")), testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
}  // namespace tralva
