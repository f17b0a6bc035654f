#include "convert/base_grid.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <random>

#include "child_process.h"
#include "common/temporary_cleanup.h"
#include "convert/convert_texts.h"
#include "ordinary_user.h"
#include "progress_recorder.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = convert_text;

using Outcome = test::CommandRun;  // output: the bytes of grid.txt afterwards

class BaseGrid : public testing::Test {
 protected:
  BaseGridRequest grid(double ox, double oy, int sx, int sy, float step, const char* precision) {
    BaseGridRequest r;
    r.origin_x = ox;
    r.origin_y = oy;
    r.steps_x = sx;
    r.steps_y = sy;
    r.step = step;
    r.base_precision = precision;
    r.base_file_path = dir.file("grid.txt");
    return r;
  }
  Outcome create(const BaseGridRequest& request, Clock* clock = nullptr) {
    return test::run_command(
        [&](ProgressSink& sink, Clock& c) { return create_base_file(request, sink, c); },
        dir.file("grid.txt"), clock, 1000);
  }
  test::TempDir dir;
};

TEST_F(BaseGrid, WritesXOuterYInnerWithHeightZero) {
  const Outcome run = create(grid(100, 200, 2, 1, 10, "m"));
  EXPECT_EQ(run.message, information_message(text::kBaseCreated));
  EXPECT_EQ(run.output,
            "X\tY\tZ\r\n100\t200\t0\r\n100\t210\t0\r\n110\t200\t0\r\n110\t210\t0\r\n"
            "120\t200\t0\r\n120\t210\t0\r\n");
  EXPECT_EQ(create(grid(0.5, 0, 0, 0, 1, "mm")).output, "X\tY\tZ\r\n0.500\t0.000\t0\r\n");
}

TEST_F(BaseGrid, EveryPrecisionIsThePrintfOfTheDoubleCoordinate) {
  // A single-precision step times the index, plus the double origin: the
  // step 0.1f is 0.100000001490116..., which the millimetres show.
  const struct {
    const char* precision;
    const char* format;
  } cases[] = {{"m", "%.lf\t%.lf\t%i\r\n"},    {"dm", "%.1lf\t%.1lf\t%i\r\n"},
               {"cm", "%.2lf\t%.2lf\t%i\r\n"}, {"mm", "%.3lf\t%.3lf\t%i\r\n"},
               {"MM", "%.lf\t%.lf\t%i\r\n"},   {"", "%.lf\t%.lf\t%i\r\n"}};
  const float step = 1234.1f;
  for (const auto& c : cases) {
    std::string expected = "X\tY\tZ\r\n";
    for (int i = 0; i <= 4; ++i) {
      for (int j = 0; j <= 70; ++j) {
        expected += test::c_printf(c.format, 4500000.0625 + i * static_cast<double>(step),
                                   -0.125 + j * static_cast<double>(step), 0);
      }
    }
    EXPECT_EQ(create(grid(4500000.0625, -0.125, 4, 70, step, c.precision)).output, expected)
        << c.precision;
  }
}

TEST_F(BaseGrid, TallGridsBeyondTheCachedRowsStayExact) {
  const Outcome run = create(grid(0, 0.05, 1, 70000, 0.1f, "mm"));
  const std::string& file = run.output;
  const std::size_t last_line = file.rfind('\n', file.size() - 2) + 1;
  EXPECT_EQ(file.substr(last_line), test::c_printf("%.3lf\t%.3lf\t0\r\n", 0.1f * 1.0,
                                                   0.05 + 70000 * static_cast<double>(0.1f)));
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1 + 2 * 70001);
  const std::size_t middle = file.find("\n0.000\t6553.6") + 1;
  EXPECT_EQ(file.substr(middle, file.find('\n', middle) + 1 - middle),
            test::c_printf("%.3lf\t%.3lf\t0\r\n", 0.0, 0.05 + 65536 * static_cast<double>(0.1f)));
}

// The file the C library would write for a grid.
std::string printf_grid(const BaseGridRequest& r, const char* format) {
  std::string expected = "X\tY\tZ\r\n";
  for (std::int64_t i = 0; i <= r.steps_x; ++i) {
    for (std::int64_t j = 0; j <= r.steps_y; ++j) {
      expected += test::c_printf(format, r.origin_x + static_cast<double>(i) * r.step,
                                 r.origin_y + static_cast<double>(j) * r.step, 0);
    }
  }
  return expected;
}

TEST_F(BaseGrid, TallColumnsWrittenAsBlocksStayExact) {
  // X grows from five to six digits: the lines of a column change length.
  const BaseGridRequest digits = grid(99990, -3.25, 30, 2999, 1, "m");
  EXPECT_EQ(
      test::first_difference(create(digits).output, printf_grid(digits, "%.lf\t%.lf\t%i\r\n")), "");
  // X beyond 16 characters goes line by line, after the blocks before it.
  const BaseGridRequest wide = grid(999999999998.0, 0.5, 3, 2047, 1, "mm");
  EXPECT_EQ(test::first_difference(create(wide).output, printf_grid(wide, "%.3lf\t%.3lf\t%i\r\n")),
            "");
  // Short X, of one to three characters, and its progress: every position once.
  const BaseGridRequest small = grid(0, 0, 200, 2047, 0.5f, "m");
  const Outcome run = create(small);
  EXPECT_EQ(test::first_difference(run.output, printf_grid(small, "%.lf\t%.lf\t%i\r\n")), "");
  std::vector<std::string> every;
  for (int k = 1; k <= 1000; ++k) every.push_back("at " + std::to_string(k));
  EXPECT_EQ(run.sink.only("at "), every);
}

TEST_F(BaseGrid, StepCountsOfZeroOrBelow) {
  // One point, whatever the step.
  for (const float step : {0.0f, -5.0f, 3.0f}) {
    EXPECT_EQ(create(grid(7, 8, 0, 0, step, "m")).output, "X\tY\tZ\r\n7\t8\t0\r\n");
  }
  // A negative count: the header alone; the step is not tested then.
  EXPECT_EQ(create(grid(7, 8, -1, 5, 1, "m")).output, "X\tY\tZ\r\n");
  const Outcome run = create(grid(7, 8, -5, -3, 0, "m"));
  EXPECT_EQ(run.message.kind, MessageKind::information);
  EXPECT_EQ(run.output, "X\tY\tZ\r\n");
}

TEST_F(BaseGrid, ChecksTheStepThenThePathBeforeTouchingAnything) {
  test::write_file(dir.file("grid.txt"), "old");
  Outcome run = create(grid(0, 0, 3, 0, 0, "m"));
  EXPECT_EQ(run.message, warning_message(text::kStepNotPositive));
  EXPECT_TRUE(run.sink.events.empty());
  EXPECT_EQ(run.output, "old");

  BaseGridRequest no_path = grid(0, 0, 1, 1, 1, "m");
  no_path.base_file_path.clear();
  run = create(no_path);
  EXPECT_EQ(run.message, warning_message(text::kBaseWithoutPath));
  EXPECT_EQ(run.sink.events, (std::vector<std::string>{"range 0-1000"}));

  BaseGridRequest missing_folder = grid(0, 0, 1, 1, 1, "m");
  missing_folder.base_file_path = dir.file("missing/grid.txt");
  run = create(missing_folder);
  EXPECT_EQ(run.message, error_message(text::kCannotCreateBase, ENOENT));
  EXPECT_EQ(run.output, "old");
}

TEST_F(BaseGrid, AFailedWriteIsAnErrorAndKeepsTheOldFile) {
  test::write_file(dir.file("grid.txt"), "old");
  Outcome run;
  {
    const test::FileSizeLimit limit(1 << 20);
    run = create(grid(0, 0, 999, 999, 1, "mm"));  // about 20 MB
  }
  EXPECT_EQ(run.message, error_message(text::kCannotCreateBase, EFBIG));
  EXPECT_EQ(run.output, "old");
  EXPECT_EQ(run.sink.events.back(), "refresh");
  EXPECT_EQ(run.sink.only("at ").back(), "at 0");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The size is known before a byte is written, exactly: the check of the
// free space would otherwise refuse what fits or start what does not.
TEST_F(BaseGrid, TheSizeIsKnownBeforeTheFileIsWritten) {
  std::vector<BaseGridRequest> grids = {grid(0, 0, 0, 0, 1, "m"),
                                        grid(7, 8, -1, 5, 1, "m"),
                                        grid(99990, -3.25, 30, 99, 1, "m"),
                                        grid(-10.5, -0.004, 40, 30, 0.5f, "mm"),
                                        grid(-0.3, 9.96, 12, 7, 0.01f, "dm"),
                                        grid(999999999998.0, 0.5, 3, 20, 1, "mm"),
                                        grid(-1e6, -1e6, 20, 20, 1e5f, "cm"),
                                        grid(4500000.0625, -0.125, 4, 70, 1234.1f, "mm")};
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> origin(-2000, 2000);
  std::uniform_real_distribution<float> step(0.001f, 300.0f);
  const char* const precisions[] = {"m", "dm", "cm", "mm"};
  for (int k = 0; k < 40; ++k) {
    grids.push_back(
        grid(origin(random), origin(random), k % 13, 37 - k % 11, step(random), precisions[k % 4]));
  }
  for (const BaseGridRequest& r : grids) {
    EXPECT_EQ(base_file_size(r), create(r).output.size())
        << r.origin_x << " " << r.origin_y << " " << r.steps_x << " " << r.steps_y << " " << r.step
        << " " << r.base_precision;
  }
  // Beyond 64 bits it saturates.
  EXPECT_EQ(base_file_size(grid(1e300, 1e300, INT32_MAX, INT32_MAX, 1, "mm")), UINT64_MAX);
}

// 4 x 10^18 points would have filled the disk, and every other program with
// it, before failing: refused at once, nothing written.
TEST_F(BaseGrid, AGridThatCannotFitIsRefusedBeforeAByteIsWritten) {
  test::write_file(dir.file("grid.txt"), "old");
  const Outcome run = create(grid(0, 0, 2000000000, 2000000000, 1, "m"));
  EXPECT_EQ(run.message, error_message(text::kCannotCreateBase, ENOSPC));
  EXPECT_EQ(run.output, "old");
  EXPECT_EQ(run.sink.events, (std::vector<std::string>{"range 0-1000"}));
  EXPECT_EQ(test::names_in(dir.path()), std::vector<std::string>{"grid.txt"});
}

// Another program takes the last of the disk in the middle of the grid: the
// writing stops at the first failed write instead of running on.
TEST_F(BaseGrid, ADiskThatFillsUpStopsTheWritingAtOnce) {
  const test::SmallTmpfs disk(dir.path(), 4 << 20);
  if (!disk.mounted()) GTEST_SKIP() << "no small file system to fill: " << disk.reason();
  BaseGridRequest request = grid(0, 0, 599, 499, 1, "m");
  request.base_file_path = disk.file("grid.txt");
  ASSERT_LT(base_file_size(request), std::uint64_t{4} << 20);
  int highest = 0;
  test::RecordingSink sink;
  sink.on_position = [&](int position) {
    if (position == 300) {
      std::ofstream filler(disk.file("filler"), std::ios::binary);
      const std::string chunk(64 << 10, 'f');
      for (int i = 0; i < 64 && filler.write(chunk.data(), chunk.size()); ++i) {
      }
    }
    highest = std::max(highest, position);
  };
  test::SteppingClock clock(0, 0);
  EXPECT_EQ(create_base_file(request, sink, clock), error_message(text::kCannotCreateBase, ENOSPC));
  EXPECT_LT(highest, 700);  // the grid passes 300 before its second megabyte goes out
  EXPECT_EQ(test::names_in(disk.path()), std::vector<std::string>{"filler"});
}

// Stopped half-way by Ctrl-C or by SIGTERM: the old file stays and nothing
// is left beside it.
TEST_F(BaseGrid, AStopInTheMiddleLeavesNothingBehind) {
  for (const int signal : {SIGINT, SIGTERM}) {
    std::string reason;
    if (!test::delivered(signal, reason)) {
      std::printf("skipped: %s\n", reason.c_str());
      continue;
    }
    test::write_file(dir.file("grid.txt"), "old");
    const BaseGridRequest request = grid(0, 0, 499, 499, 1, "mm");  // about 5 MB
    test::PausedChild child([&request](const test::PausedChild::Ready& ready) {
      install_temporary_cleanup();  // as each program's main does
      test::RecordingSink sink;
      sink.on_position = [&ready](int position) {
        if (position == 500) ready();
      };
      test::SteppingClock clock(0, 0);
      (void)create_base_file(request, sink, clock);
    });
    EXPECT_TRUE(test::ended_by(child.stop_with(signal), signal)) << strsignal(signal);
    EXPECT_EQ(test::read_file(dir.file("grid.txt")), "old");
    EXPECT_EQ(test::names_in(dir.path()), std::vector<std::string>{"grid.txt"});
  }
}

TEST_F(BaseGrid, ProgressAfterPointsRemainingTimeAfterColumns) {
  // Ten columns of one point: the bar moves by 100 per point; after each
  // column the estimate is elapsed x columns left / columns done, here
  // 2 (i + 1) x (9 - i) / (i + 1), and the last one is 0.
  test::SteppingClock clock(500, 2);  // the start at 500, each estimate 2 s later
  const Outcome run = create(grid(0, 0, 9, 0, 1, "m"), &clock);
  std::vector<std::string> expected{"range 0-1000"};
  for (int i = 0; i <= 9; ++i) {
    expected.push_back("at " + std::to_string(100 * (i + 1)));
    expected.push_back("left 0h0m" + std::to_string(2 * (9 - i)) + "s");
    expected.push_back("refresh");  // more than 0.9 s since the last one
  }
  expected.push_back("refresh");  // the end: remaining 0 (already), the bar full (already)
  EXPECT_EQ(run.sink.events, expected);
}

TEST_F(BaseGrid, BigColumnsMoveTheBarWithinAColumnAndRefreshOnlyOncePerSecond) {
  test::ScriptedClock clock({0, 0, 1, 1, 3});
  const Outcome run = create(grid(0, 0, 3, 999, 1, "m"), &clock);  // 4 columns of 1000
  const auto positions = run.sink.only("at ");
  ASSERT_EQ(positions.size(), 1000u);  // every value once, in order
  EXPECT_EQ(positions.front(), "at 1");
  EXPECT_EQ(positions[249], "at 250");
  EXPECT_EQ(positions.back(), "at 1000");
  // Estimates at 0, 1, 1 and 3 s: 0 x 3 / 1, 1 x 2 / 2, 1 x 1 / 3, 3 x 0 / 4.
  EXPECT_EQ(run.sink.only("left"),
            (std::vector<std::string>{"left 0h0m0s", "left 0h0m1s", "left 0h0m0s"}));
  EXPECT_EQ(run.sink.only("refresh").size(), 3u);  // at 1 s, at 3 s, at the end
}

}  // namespace
}  // namespace tralva
