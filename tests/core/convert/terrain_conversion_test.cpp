#include "convert/terrain_conversion.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <random>

#include "convert/convert_texts.h"
#include "convert/result_conversion.h"
#include "ordinary_user.h"
#include "progress_recorder.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = convert_text;

const char* const kMatrix = "0\t100\t110\t120\n200\t1.5\t2.5\t3.5\n210\t4.5\t5.5\t6.5\n";
const char* const kPoints =
    "X\tY\tZ\r\n100\t200\t1.50\r\n110\t200\t2.50\r\n120\t200\t3.50\r\n"
    "100\t210\t4.50\r\n110\t210\t5.50\r\n120\t210\t6.50\r\n";

using Conversion = test::CommandRun;

class TerrainConversion : public testing::Test {
 protected:
  Conversion convert(const std::string& input, const char* precision = "m",
                     Clock* clock = nullptr) {
    test::write_file(dir.file("in.txt"), input);
    return run({dir.file("in.txt"), dir.file("out.txt"), precision}, clock);
  }
  Conversion run(const TerrainConversionRequest& request, Clock* clock = nullptr) {
    return test::run_command(
        [&](ProgressSink& sink, Clock& c) { return convert_terrain(request, sink, c); },
        request.terrain_gis_path, clock);
  }
  test::TempDir dir;
};

TEST_F(TerrainConversion, OnePointPerLineRowsInFileOrderXFastest) {
  const Conversion c = convert(kMatrix);
  EXPECT_EQ(c.message, information_message(text::kConversionDone));
  EXPECT_EQ(c.output, kPoints);
  // The corner number is never written; CR LF reads as LF; white space of
  // any kind may separate the heights.
  std::string crlf = "-7.5e3\t100\t110\t120\r\n200 1.5  2.5\t3.5\r\n210\n4.5\t5.5\t6.5\r\n";
  EXPECT_EQ(convert(crlf).output, kPoints);
}

TEST_F(TerrainConversion, PrecisionForXAndYTwoDecimalsForZ) {
  const std::string input = "0\t500000.1255\t-0.5\n4500000.0625\t123.455\t-0.005\n";
  const double x[] = {500000.1255, -0.5};
  const float z[] = {123.455f, -0.005f};
  const struct {
    const char* precision;
    const char* format;
  } cases[] = {{"mm", "%.3lf\t%.3lf\t%.2f\r\n"},
               {"cm", "%.2lf\t%.2lf\t%.2f\r\n"},
               {"dm", "%.1lf\t%.1lf\t%.2f\r\n"},
               {"m", "%.lf\t%.lf\t%.2f\r\n"},
               {"Mm", "%.lf\t%.lf\t%.2f\r\n"}};
  for (const auto& c : cases) {
    std::string expected = "X\tY\tZ\r\n";
    for (int k = 0; k < 2; ++k) {
      expected += test::c_printf(c.format, x[k], 4500000.0625, static_cast<double>(z[k]));
    }
    EXPECT_EQ(convert(input, c.precision).output, expected) << c.precision;
  }
}

TEST_F(TerrainConversion, HeightsAreThePrintfOfTheirFloats) {
  // Short decimals take a shortcut; every form must print as the C library
  // prints the float it reads.
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  std::mt19937 random(31);
  std::vector<std::string> heights = {
      "-0",        "+0.5",   ".5",        "5.",          "-.05",     "0000012.3",
      "131071.99", "131072", "131072.01", "-131071.995", "99999999", "1e2",
      "0.125",     "0.375",  "2.675",     "-0.005",      "1.005",    "16777217"};
  for (int i = 0; i < 3000; ++i) {
    std::string h = random() % 3 == 0 ? "-" : random() % 5 == 0 ? "+" : "";
    h += std::to_string(random() % (i % 2 ? 200000 : 1000));
    const int decimals = static_cast<int>(random() % 4);
    if (decimals > 0 || random() % 4 == 0) h += '.';
    for (int d = 0; d < decimals; ++d) h += static_cast<char>('0' + random() % 10);
    heights.push_back(h);
  }
  std::string input = "0";
  std::string expected = "X\tY\tZ\r\n";
  for (std::size_t k = 0; k < heights.size(); ++k) input += "\t" + std::to_string(k);
  input += "\n7";
  for (std::size_t k = 0; k < heights.size(); ++k) {
    input += "\t" + heights[k];
    expected +=
        std::to_string(k) + "\t7\t" +
        test::c_printf("%.2f", static_cast<double>(strtof_l(heights[k].c_str(), nullptr, c))) +
        "\r\n";
  }
  EXPECT_EQ(convert(input + "\n").output, expected);
}

TEST_F(TerrainConversion, ColumnsFromTheFirstLineRowsFromTheWholeCount) {
  // Only the corner number: no columns, nothing to convert.
  EXPECT_EQ(convert("5\n1\n2\n").message, error_message(text::kTerrainWithoutColumns));
  // A blank before the line feed runs the first-line count on: here into
  // five columns, and the whole count then leaves no row.
  EXPECT_EQ(convert("0\t100\t110 \n200\t1.5\t2.5\n").message,
            error_message(text::kTerrainWithoutRows));
  // A short last row: the whole count gives the rows, and what is missing
  // reads as 0; a row too short to count is left out.
  EXPECT_EQ(convert("0\t1\t2\n10\t5\t6\n20\t7\n").output,
            "X\tY\tZ\r\n1\t10\t5.00\r\n2\t10\t6.00\r\n1\t20\t7.00\r\n2\t20\t0.00\r\n");
  EXPECT_EQ(convert("0\t1\t2\n10\t5\t6\n20\n").output, "X\tY\tZ\r\n1\t10\t5.00\r\n2\t10\t6.00\r\n");
  // Values that are not numbers are not validated; they read as 0.
  EXPECT_EQ(convert("0\t1\t2\n10\tx\t6\n").output, "X\tY\tZ\r\n1\t10\t0.00\r\n2\t10\t0.00\r\n");
}

// No success for nothing: a matrix with no line feed after its first line
// (an empty file, a lone CR), without columns or without rows (a first line
// that is no numbers) is refused and the previous output stays.
TEST_F(TerrainConversion, MatricesWithNothingToConvertAreRefused) {
  const std::string binary("\xff\xfe\0garbage\r", 11);
  for (const std::string& input :
       {std::string(), std::string("\r"), std::string("12"), std::string("0\t1\t2"), binary,
        std::string("\t\t\t"), std::string("nan"), std::string("nan\r\n"), std::string("7\n"),
        std::string("\n\n")}) {
    test::write_file(dir.file("out.txt"), "previous");
    const Conversion c = convert(input);
    EXPECT_EQ(c.message, error_message(text::kTerrainWithoutColumns)) << '"' << input << '"';
    EXPECT_EQ(c.output, "previous");
    EXPECT_TRUE(c.sink.events.empty());
  }
  for (const std::string& input : {std::string("0\t100\t110\n"), std::string("0\t1\t2\n5\n")}) {
    test::write_file(dir.file("out.txt"), "previous");
    const Conversion c = convert(input);
    EXPECT_EQ(c.message, error_message(text::kTerrainWithoutRows)) << '"' << input << '"';
    EXPECT_EQ(c.output, "previous");
  }
  EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"in.txt", "out.txt"}));
}

// Converts with the address space limited to what the process has and
// `spare` bytes more; exits with 0 when the conversion ends with the refusal
// of a matrix without rows, as a process of its own must (a failed
// allocation ends it).
[[noreturn, maybe_unused]] void refuse_within(const TerrainConversionRequest& request,
                                              std::size_t spare) {
  std::size_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const rlimit limit{pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + spare,
                     RLIM_INFINITY};
  setrlimit(RLIMIT_AS, &limit);
  NullProgress none;
  test::SteppingClock clock(0, 0);
  const Message refusal = error_message(text::kTerrainWithoutRows);
  std::_Exit(convert_terrain(request, none, clock) == refusal ? 0 : 1);
}

TEST_F(TerrainConversion, AFirstLineWithNoRowAfterItTakesNoMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own reservations leave no address space to limit";
#else
  // Four million columns (a separator with no number reads as a column at
  // 0), whose texts alone would take over 140 MB, and no row: refused with
  // 64 MB to spare.
  test::write_file(dir.file("in.txt"), "0" + std::string(4'000'000, ',') + "1\n");
  const TerrainConversionRequest request{dir.file("in.txt"), dir.file("out.txt"), "m"};
  EXPECT_EXIT(refuse_within(request, std::size_t{64} << 20), testing::ExitedWithCode(0), "");
#endif
}

TEST_F(TerrainConversion, ReadsTheMatrixTheResultConversionWrites) {
  // That matrix has no line end after its last row: the same rows result.
  test::write_file(dir.file("gis.txt"),
                   "h\n100\t200\t0\t1.5\n110\t200\t0\t2.5\n"
                   "100\t210\t0\t4.5\n110\t210\t0\t5.5\n");
  ResultConversionRequest result;
  result.steps_x = result.steps_y = 1;
  result.gis_input_path = dir.file("gis.txt");
  result.conversion_output_path = dir.file("matrix.txt");
  NullProgress none;
  test::SteppingClock clock(0, 0);
  ASSERT_EQ(convert_result(result, none, clock).kind, MessageKind::information);
  const std::string matrix = test::read_file(dir.file("matrix.txt"));
  ASSERT_NE(matrix.back(), '\n');
  const std::string expected =
      "X\tY\tZ\r\n100\t200\t1.50\r\n110\t200\t2.50\r\n100\t210\t4.50\r\n110\t210\t5.50\r\n";
  EXPECT_EQ(convert(matrix).output, expected);
  EXPECT_EQ(convert(matrix + "\r\n").output, expected);
}

// The output would replace the matrix it is made from: refused, under any of
// the input's names.
TEST_F(TerrainConversion, AnOutputThatIsTheInputIsRefused) {
  test::write_file(dir.file("same.txt"), kMatrix);
  std::filesystem::create_hard_link(dir.file("same.txt"), dir.file("hard.txt"));
  std::filesystem::create_symlink(dir.file("same.txt"), dir.file("soft.txt"));
  for (const char* output : {"same.txt", "hard.txt", "soft.txt"}) {
    const Conversion c = run({dir.file("same.txt"), dir.file(output), "m"});
    EXPECT_EQ(c.message, error_message(text::kTerrainOutputIsInput)) << output;
    EXPECT_EQ(test::read_file(dir.file("same.txt")), kMatrix);
  }
  EXPECT_EQ(test::names_in(dir.path()),
            (std::vector<std::string>{"hard.txt", "same.txt", "soft.txt"}));
}

TEST_F(TerrainConversion, PathsAndFilesAreCheckedInOrder) {
  EXPECT_EQ(run({"", dir.file("out.txt"), "m"}).message,
            warning_message(text::kTerrainInputWithoutPath));
  EXPECT_EQ(run({dir.file("missing.txt"), "", "m"}).message,
            warning_message(text::kTerrainOutputWithoutPath));
  EXPECT_EQ(run({dir.file("missing.txt"), dir.file("out.txt"), "m"}).message,
            error_message(text::kCannotOpenTerrainInput, ENOENT));
  test::write_file(dir.file("in.txt"), kMatrix);
  const Conversion c = run({dir.file("in.txt"), dir.file("no/out.txt"), "m"});
  EXPECT_EQ(c.message, error_message(text::kCannotCreateTerrainOutput, ENOENT));
  EXPECT_TRUE(c.sink.events.empty());
}

TEST_F(TerrainConversion, AFailedWriteIsAnErrorAndKeepsTheOldOutput) {
  std::string input = "0";
  for (int c = 0; c < 300; ++c) input += "\t" + std::to_string(c);
  input += "\n";
  for (int r = 0; r < 300; ++r) {
    input += std::to_string(r);
    for (int c = 0; c < 300; ++c) input += "\t1.25";
    input += "\n";
  }
  test::write_file(dir.file("out.txt"), "previous");
  Conversion c;
  {
    const test::FileSizeLimit limit(1000000);  // the input fits, the output does not
    c = convert(input);
  }
  EXPECT_EQ(c.message, error_message(text::kCannotCreateTerrainOutput, EFBIG));
  EXPECT_EQ(test::read_file(dir.file("out.txt")), "previous");
}

// A value beyond the range of its type would be written as "inf", which no
// reader takes for a number: refused, the previous output kept.  So is one
// that only the writing reads, apart from the count (after a lone "-").
TEST_F(TerrainConversion, ValuesBeyondTheirRangeAreRefused) {
  for (const char* input : {"0\t1e400\t2\n10\t5\t6\n", "0\t1\t2\n-1e400\t5\t6\n",
                            "0\t1\t2\n10\t5\t1e39\n", "0\t1\t2\n10\t-\t1e39\n"}) {
    test::write_file(dir.file("out.txt"), "previous");
    const Conversion c = convert(input);
    EXPECT_EQ(c.message, error_message(text::kTerrainNotFinite)) << input;
    EXPECT_EQ(c.output, "previous");
    EXPECT_TRUE(c.sink.events.empty());
    EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"in.txt", "out.txt"}));
  }
  // In a row the count leaves out, it is not written and no matter.
  EXPECT_EQ(convert("0\t1\t2\n10\t5\t6\n1e400\n").output,
            "X\tY\tZ\r\n1\t10\t5.00\r\n2\t10\t6.00\r\n");
}

// The size is known before writing, from the count where it reads the rows
// as the writing does, else by writing them nowhere first.
TEST_F(TerrainConversion, AnOutputThatCannotFitIsRefusedBeforeItIsWritten) {
  const test::SmallTmpfs disk(dir.path(), 256 << 10);
  if (!disk.mounted()) GTEST_SKIP() << "no small file system to fill: " << disk.reason();
  std::string alike = "0";
  std::string apart = "0";
  for (int c = 0; c < 200; ++c) {
    alike += "\t" + std::to_string(c);
    apart += "\t" + std::to_string(c);
  }
  alike += "\n";
  apart += "\n";
  for (int r = 0; r < 200; ++r) {
    alike += std::to_string(r);
    apart += std::to_string(r) + "\t-";  // a lone sign: the count reads it apart
    for (int c = 0; c < 200; ++c) {
      alike += "\t1.25";
      apart += "\t1.25";
    }
    alike += "\n";
    apart += "\n";
  }
  for (const std::string& input : {alike, apart}) {
    test::write_file(dir.file("in.txt"), input);
    test::write_file(disk.file("out.txt"), "previous");
    const Conversion c = run({dir.file("in.txt"), disk.file("out.txt"), "m"});
    EXPECT_EQ(c.message, error_message(text::kCannotCreateTerrainOutput, ENOSPC));
    EXPECT_EQ(test::read_file(disk.file("out.txt")), "previous");
    EXPECT_EQ(test::names_in(disk.path()), std::vector<std::string>{"out.txt"});
    EXPECT_TRUE(c.sink.events.empty());
  }
}

TEST_F(TerrainConversion, ProgressAfterEveryRow) {
  // Four rows; the estimate after row j is elapsed x rows left / rows done.
  std::string input = "0\t1\n";
  for (int r = 0; r < 4; ++r) input += std::to_string(r) + "\t9\n";
  test::ScriptedClock clock({50, 50, 52, 52, 60});
  const Conversion c = convert(input, "m", &clock);
  EXPECT_EQ(c.sink.events,
            (std::vector<std::string>{"range 0-1000", "at 250", "left 0h0m0s",  // 0 x 3 / 1
                                      "at 500", "left 0h0m2s", "refresh",       // 2 x 2 / 2
                                      "at 750", "left 0h0m0s",                  // 2 x 1 / 3
                                      "at 1000", "refresh",                     // 10 x 0 / 4
                                      "refresh"}));
}

}  // namespace
}  // namespace tralva
