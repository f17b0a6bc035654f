#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <random>

#include "common/output_file.h"
#include "ordinary_user.h"
#include "project/project_file.h"
#include "project/project_texts.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = project_text;
using test::c_printf;

PowerLine example_line() {
  PowerLine line = make_power_line(1, 2);
  line.current = 100;
  line.segment_length = 30;
  line.x = {0, 300};
  line.arm_angle = {90, 90};
  line.height = {20, 20};
  line.arm_length = {2, 2};
  line.sag_constant = {1000};
  return line;
}

constexpr const char* kExampleRows =
    "100 1 2 30\r\n"
    "0 0\r\n"
    "0.000 0.000 0 90 300.000 0.000 0 90 \r\n"
    "20 20 \r\n"
    "2 2 \r\n"
    "1000 \r\n";

std::string with_header(const std::string& rows) { return std::string(project_header()) + rows; }

// A line of the given size with values that exercise every format.
PowerLine random_line(LineKind kind, int n, int p, std::mt19937_64& random) {
  std::uniform_real_distribution<double> coordinate(-5e6, 5e6);
  std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
  const bool overhead = kind == LineKind::overhead;
  PowerLine line = make_power_line(n, p);
  line.current = value(random);
  line.segment_length = overhead ? std::abs(value(random)) + 0.1f : 0.0f;
  static const char* const kPhases[] = {"R", "S", "T"};
  for (int k = 0; k < n; ++k) {
    line.phase[k] = kPhases[random() % 3];
    line.phase_offset[k] = value(random) / 7;
  }
  for (int s = 0; s < p; ++s) {
    line.x[s] = coordinate(random);
    line.y[s] = coordinate(random) / 1000;
    line.ground_level[s] = value(random);
    line.arm_angle[s] = overhead ? std::abs(value(random)) / 6 : 0.0f;
  }
  for (float& v : line.height) v = value(random) * 1e-3f;
  for (float& v : line.arm_length) v = value(random) * 1e3f;
  for (float& v : line.sag_constant) v = overhead ? value(random) * 10 : 0.0f;
  return line;
}

// What a value is after a trip through the file, by the C library's rules.
template <class T>
T parsed(const std::string& text) {
  T value{};
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}
float six_digits(float v) { return parsed<float>(c_printf("%g", static_cast<double>(v))); }
double three_decimals(double v) { return parsed<double>(c_printf("%.3f", v)); }

PowerLine rounded_by_the_file(PowerLine line) {
  line.current = six_digits(line.current);
  line.segment_length = six_digits(line.segment_length);
  for (auto* values : {&line.phase_offset, &line.ground_level, &line.arm_angle, &line.height,
                       &line.arm_length, &line.sag_constant}) {
    for (float& v : *values) v = six_digits(v);
  }
  for (auto* values : {&line.x, &line.y}) {
    for (double& v : *values) v = three_decimals(v);
  }
  return line;
}

class ProjectFileTest : public testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.file(name);
    test::write_file(path, bytes);
    return path;
  }
  test::TempDir dir_;
};

TEST_F(ProjectFileTest, WritesTheExampleByteForByte) {
  const std::string path = dir_.file("example.tlva");
  ASSERT_EQ(write_single_line(path, LineKind::overhead, example_line()), std::nullopt);
  const std::string bytes = test::read_file(path);
  EXPECT_EQ(bytes, with_header(kExampleRows));
  EXPECT_EQ(bytes.substr(949, 12), "100 1 2 30\r\n");
}

TEST_F(ProjectFileTest, UndergroundLinesCarryZeroForSegmentAnglesAndSag) {
  PowerLine line = make_power_line(3, 3);
  line.current = 250.5f;
  line.segment_length = 30;  // not written for a cable run
  line.arm_angle = {10, 20, 30};
  line.sag_constant.assign(6, 500);
  line.phase = {"R", "S", "x"};  // any other text is phase T
  line.x = {1.23456, -2, 1e6};
  line.ground_level = {1234567, 0.5f, -0.25f};
  EXPECT_EQ(
      single_line_text(LineKind::underground, line),
      with_header("250.5 3 3 0\r\n"
                  "0 0 120 0 240 0 \r\n"
                  "1.235 0.000 1.23457e+06 0 -2.000 0.000 0.5 0 1000000.000 0.000 -0.25 0 \r\n"
                  "0 0 0 0 0 0 0 0 0 \r\n"
                  "0 0 0 0 0 0 0 0 0 \r\n"
                  "0 0 0 0 0 0 \r\n"));
}

TEST_F(ProjectFileTest, SavingNeedsAPathAndAFolderThatExists) {
  EXPECT_EQ(write_single_line("", LineKind::overhead, example_line()),
            warning_message(text::kSaveWithoutPath));
  EXPECT_EQ(write_single_line(dir_.file("no/such/folder.tlva"), LineKind::overhead, example_line()),
            error_message(text::kCannotCreate, ENOENT));
}

TEST_F(ProjectFileTest, ASaveThatFailsHalfWayKeepsThePreviousFile) {
  const std::string path = write("line.tlva", "previous project");
  const auto outcome = [&] {
    const test::FileSizeLimit limit(500);  // less than the header block
    return write_single_line(path, LineKind::overhead, example_line());
  }();
  EXPECT_EQ(outcome, error_message(text::kCannotCreate, EFBIG));
  EXPECT_EQ(test::read_file(path), "previous project");
}

// "Scrivi il file" where the user may change the file but create none
// beside it (shared network folders): the file is written in place.  A new
// file there, or a read-only one, still cannot be saved.
TEST_F(ProjectFileTest, SavesInPlaceWhereTheFolderAllowsNoNewFile) {
  const std::string path = write("line.tlva", "previous project");
  chmod(path.c_str(), 0666);
  const std::string locked = write("locked.tlva", "locked");
  chmod(locked.c_str(), 0444);
  std::optional<Message> saved, fresh, refused;
  {
    const test::OrdinaryUser user(dir_.path());
    ASSERT_TRUE(user.ready());
    ASSERT_EQ(chmod(dir_.path().c_str(), 0555), 0);
    saved = write_single_line(path, LineKind::overhead, example_line());
    fresh = write_single_line(dir_.file("new.tlva"), LineKind::overhead, example_line());
    refused = write_single_line(locked, LineKind::overhead, example_line());
  }
  EXPECT_EQ(saved, std::nullopt);
  EXPECT_EQ(test::read_file(path), with_header(kExampleRows));
  EXPECT_EQ(fresh, error_message(text::kCannotCreate, EACCES));
  EXPECT_EQ(refused, error_message(text::kCannotCreate, EACCES));
  EXPECT_EQ(test::read_file(locked), "locked");
  EXPECT_EQ(test::names_in(dir_.path()), (std::vector<std::string>{"line.tlva", "locked.tlva"}));
}

TEST_F(ProjectFileTest, EveryConfigurationRoundTrips) {
  std::mt19937_64 random(2024);
  for (const LineKind kind : {LineKind::overhead, LineKind::underground}) {
    for (const int n : {1, 3, 6}) {
      for (int p = 2; p <= 6; ++p) {
        const PowerLine written = random_line(kind, n, p, random);
        const std::string path = dir_.file("line.tlva");
        ASSERT_EQ(write_single_line(path, kind, written), std::nullopt);
        PowerLine read = make_power_line(n, p);
        const LoadResult result = read_single_line(path, kind, n, p, read);
        ASSERT_TRUE(result.loaded) << n << " conductors, " << p << " supports";
        EXPECT_TRUE(result.messages.empty());
        PowerLine expected = rounded_by_the_file(written);
        if (kind == LineKind::underground) expected.segment_length = read.segment_length;
        EXPECT_EQ(read, expected) << n << " conductors, " << p << " supports";
      }
    }
  }
}

TEST_F(ProjectFileTest, LoadingKeepsTheStorageOfEveryArray) {
  // A form binds its controls to these elements once; a load must not move them.
  const auto storage = [](const PowerLine& l) {
    return std::vector<const void*>{l.phase.data(),  l.phase_offset.data(), l.x.data(),
                                    l.y.data(),      l.ground_level.data(), l.arm_angle.data(),
                                    l.height.data(), l.arm_length.data(),   l.sag_constant.data()};
  };
  PowerLine line = make_power_line(1, 2);
  const std::vector<const void*> before = storage(line);
  ASSERT_TRUE(read_single_line(write("line.tlva", with_header(kExampleRows)), LineKind::overhead, 1,
                               2, line)
                  .loaded);
  EXPECT_EQ(line, example_line());
  EXPECT_EQ(storage(line), before);
}

TEST_F(ProjectFileTest, LfLineEndsReadLikeCrLf) {
  std::string rows = with_header(kExampleRows);
  std::string lf;
  for (const char c : rows) {
    if (c != '\r') lf += c;
  }
  ASSERT_EQ(lf.size(), 935u + 70u);
  PowerLine from_crlf = make_power_line(1, 2);
  PowerLine from_lf = make_power_line(1, 2);
  ASSERT_TRUE(
      read_single_line(write("crlf.tlva", rows), LineKind::overhead, 1, 2, from_crlf).loaded);
  ASSERT_TRUE(read_single_line(write("lf.tlva", lf), LineKind::overhead, 1, 2, from_lf).loaded);
  EXPECT_EQ(from_lf, from_crlf);
  EXPECT_EQ(from_lf, example_line());
}

TEST_F(ProjectFileTest, RejectionsBeforeTheDataAreRead) {
  PowerLine line = example_line();
  const PowerLine before = line;
  const auto only = [&](const std::string& path, int n = 1, int p = 2) {
    const LoadResult result = read_single_line(path, LineKind::overhead, n, p, line);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(line, before);
    return result.messages;
  };
  using Messages = std::vector<Message>;
  EXPECT_EQ(only(""), Messages{warning_message(text::kLoadWithoutPath)});
  EXPECT_EQ(only(dir_.file("missing.tlva")), Messages{error_message(text::kCannotOpen, ENOENT)});
  const Message not_single = error_message(text::kNotSingleLine);
  EXPECT_EQ(only(write("empty.tlva", "")), Messages{not_single});
  EXPECT_EQ(only(write("short.tlva", "100 1 2 30\r\n0 0\r\n")), Messages{not_single});
  EXPECT_EQ(only(write("two.tlva", with_header("100 1 2 30 200 1 2 30\r\n"))),
            Messages{not_single});
  EXPECT_EQ(only(write("five.tlva", with_header("100 1 2 30 7\r\n"))), Messages{not_single});
  EXPECT_EQ(only(write("open.tlva", with_header("100 1 2"))), Messages{not_single});
}

TEST_F(ProjectFileTest, SizeChecksNameWhatTheFileHolds) {
  PowerLine line = make_power_line(1, 3);
  const PowerLine before = line;
  const auto messages = [&](const std::string& row_one, int n, int p) {
    const std::string path = write("f.tlva", with_header(row_one + "\r\n0 0\r\n"));
    const LoadResult result = read_single_line(path, LineKind::overhead, n, p, line);
    EXPECT_FALSE(result.loaded);
    return result.messages;
  };
  const std::string start = text::kMismatchStart;
  EXPECT_EQ(messages("100 3 3 30", 1, 3),
            std::vector<Message>{error_message(start + "2 campate e 3 conduttori.")});
  EXPECT_EQ(messages("100 1 2 30", 3, 3),
            std::vector<Message>{error_message(start + "1 campata e 1 conduttore.")});
  EXPECT_EQ(messages("100 3 2 30", 1, 3),
            std::vector<Message>{error_message(start + "1 campata e 3 conduttori.")});
  EXPECT_EQ(messages("100 1 4 30", 1, 3),
            std::vector<Message>{error_message(start + "3 campate e 1 conduttore.")});
  EXPECT_EQ(messages("100 1 7 30", 1, 3),
            std::vector<Message>{error_message(text::kUnacceptableSize)});
  EXPECT_EQ(messages("100 2 3 30", 1, 3),
            std::vector<Message>{error_message(text::kUnacceptableSize)});
  // The kind warning comes first and does not stop the checks.
  EXPECT_EQ(
      messages("100 3 3 0", 1, 3),
      (std::vector<Message>{warning_message(std::string(text::kKindWarningStart) + "interrata."),
                            error_message(start + "2 campate e 3 conduttori.")}));
  EXPECT_EQ(line, before);
}

TEST_F(ProjectFileTest, SegmentLengthDecidesTheKindWarning) {
  const auto warnings = [&](LineKind kind, const std::string& segment) {
    std::string rows = kExampleRows;
    rows.replace(rows.find(" 30\r\n"), 3, " " + segment);
    PowerLine line = make_power_line(1, 2);
    const LoadResult result =
        read_single_line(write("k.tlva", with_header(rows)), kind, 1, 2, line);
    EXPECT_TRUE(result.loaded) << segment;
    return result.messages;
  };
  const Message underground = warning_message(std::string(text::kKindWarningStart) + "interrata.");
  const Message overhead = warning_message(std::string(text::kKindWarningStart) + "aerea.");
  EXPECT_TRUE(warnings(LineKind::overhead, "0.1").empty());
  EXPECT_EQ(warnings(LineKind::overhead, "0.09"), std::vector<Message>{underground});
  EXPECT_EQ(warnings(LineKind::overhead, "0"), std::vector<Message>{underground});
  EXPECT_EQ(warnings(LineKind::underground, "30"), std::vector<Message>{overhead});
  EXPECT_EQ(warnings(LineKind::underground, "1"), std::vector<Message>{overhead});
  EXPECT_TRUE(warnings(LineKind::underground, "0.5").empty());
  EXPECT_TRUE(warnings(LineKind::underground, "0").empty());
  // An underground dialog reads the fourth number by the "%i" rule: a value
  // beyond the int32 range saturates instead of reading as 0, and a
  // fraction or an exponent after the integer goes with it.
  EXPECT_EQ(warnings(LineKind::underground, "99999999999999999999"),
            std::vector<Message>{overhead});
  EXPECT_EQ(warnings(LineKind::underground, "1e30"), std::vector<Message>{overhead});
  EXPECT_EQ(warnings(LineKind::underground, "30.5"), std::vector<Message>{overhead});
  EXPECT_TRUE(warnings(LineKind::underground, "-99999999999999999999").empty());
  EXPECT_TRUE(warnings(LineKind::underground, "0.9e1").empty());
}

TEST_F(ProjectFileTest, EachKindReadsTheOthersFileAfterItsWarning) {
  // Fractional angles and sag constants in the integer slots of an
  // underground dialog must not shift the values after them.
  const std::string overhead_file = write("a.tlva", with_header("100 1 2 30\r\n0 1.5\r\n"
                                                                "1 2 3 90.5 4 5 6 45.25 \r\n"
                                                                "20 21 \r\n2 3 \r\n999.5 \r\n"));
  PowerLine cable = make_power_line(1, 2);
  const LoadResult as_cable = read_single_line(overhead_file, LineKind::underground, 1, 2, cable);
  ASSERT_TRUE(as_cable.loaded);
  EXPECT_EQ(as_cable.messages.size(), 1u);
  EXPECT_EQ(cable.x, (std::vector<double>{1, 4}));
  EXPECT_EQ(cable.ground_level, (std::vector<float>{3, 6}));
  EXPECT_EQ(cable.height, (std::vector<float>{20, 21}));
  EXPECT_EQ(cable.arm_length, (std::vector<float>{2, 3}));
  EXPECT_EQ(cable.arm_angle, (std::vector<float>{0, 0}));
  EXPECT_EQ(cable.phase_offset, std::vector<float>{1.5f});

  PowerLine cable_line = make_power_line(1, 2);
  cable_line.current = 50;
  cable_line.arm_length = {1, 1};
  const std::string underground_file = dir_.file("int.tlva");
  ASSERT_EQ(write_single_line(underground_file, LineKind::underground, cable_line), std::nullopt);
  PowerLine overhead = example_line();
  const LoadResult as_overhead =
      read_single_line(underground_file, LineKind::overhead, 1, 2, overhead);
  ASSERT_TRUE(as_overhead.loaded);
  EXPECT_EQ(as_overhead.messages.size(), 1u);
  EXPECT_EQ(overhead.current, 50);
  EXPECT_EQ(overhead.segment_length, 0);
  EXPECT_EQ(overhead.arm_angle, (std::vector<float>{0, 0}));
  EXPECT_EQ(overhead.sag_constant, std::vector<float>{0});
}

TEST_F(ProjectFileTest, IncompleteOrInvalidDataChangesNothing) {
  PowerLine line = example_line();
  line.current = 7;
  const PowerLine before = line;
  for (
      const char* rows : {
          "100 1 2 30\r\n0 0\r\n0.000 0.000 0 90 300.000 0.000 0 90 \r\n20 20 \r\n2 ",
          "100 1 2 30\r\n0 0\r\n0.000 0.000 0 90 300.000 zero 0 90 \r\n20 20 \r\n2 2 \r\n1000 \r\n",
          "100 1 2 30\r\n",
          "a b c 1\r\n0 0\r\n",
          "100 1.0 2 30\r\n0 0\r\n0.000 0.000 0 90 300.000 0.000 0 90 \r\n20 20 \r\n2 2 \r\n1 \r\n",
      }) {
    const LoadResult result =
        read_single_line(write("bad.tlva", with_header(rows)), LineKind::overhead, 1, 2, line);
    EXPECT_FALSE(result.loaded) << rows;
    EXPECT_EQ(result.messages, std::vector<Message>{error_message(text::kIncomplete)}) << rows;
    EXPECT_EQ(line, before);
  }
}

TEST_F(ProjectFileTest, NumbersFollowTheScanfRules) {
  // Counts in octal, phase codes other than 0 and 120 read as T, anything
  // after the last value ignored.
  const std::string path = write("x.tlva", with_header("1e2 03 03 3e1\r\n"
                                                       "120 0 240 0 7 -1.5 \r\n"
                                                       "1 1 0 0 2 2 0 0 3 3 0 0 \r\n"
                                                       "1 2 3 4 5 6 7 8 9 \r\n"
                                                       "1 2 3 4 5 6 7 8 9 \r\n"
                                                       "1 2 3 4 5 6 \r\ntrailing text"));
  PowerLine line = make_power_line(3, 3);
  const LoadResult result = read_single_line(path, LineKind::overhead, 3, 3, line);
  ASSERT_TRUE(result.loaded);
  EXPECT_TRUE(result.messages.empty());
  EXPECT_EQ(line.current, 100);
  EXPECT_EQ(line.segment_length, 30);
  EXPECT_EQ(line.phase, (std::vector<std::string>{"S", "T", "T"}));
  EXPECT_EQ(line.phase_offset[2], -1.5f);
  EXPECT_EQ(line.sag_constant.back(), 6);
}

TEST(ProjectHeader, IsTheFixed949ByteBlockInWindows1252) {
  const std::string_view header = project_header();
  ASSERT_EQ(header.size(), 949u);
  EXPECT_EQ(header.substr(0, 72), " " + std::string(69, '*') + "\r\n");
  EXPECT_EQ(header.substr(945), "\r\n\r\n");
  EXPECT_EQ(std::count(header.begin(), header.end(), '\xB0'), 2);
  EXPECT_EQ(header.find("\xC2"), std::string_view::npos);  // no UTF-8
  // Every line of text is 70 or 71 characters, the last one empty.
  std::size_t start = 0;
  int lines = 0;
  for (std::size_t end; (end = header.find("\r\n", start)) != std::string_view::npos;
       start = end + 2) {
    const std::size_t length = end - start;
    ++lines;
    if (lines == 1 || lines == 13) {
      EXPECT_EQ(length, 70u);
    } else if (lines == 14) {
      EXPECT_EQ(length, 0u);
    } else {
      EXPECT_EQ(length, 71u) << "line " << lines;
    }
  }
  EXPECT_EQ(lines, 14);
}

}  // namespace
}  // namespace tralva
