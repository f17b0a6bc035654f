#include <gtest/gtest.h>

#include "common/output_file.h"
#include "project/project_file.h"
#include "test_support.h"

namespace tralva {
namespace {

std::string with_header(const std::string& rows) { return std::string(project_header()) + rows; }

ProjectData read(const std::string& bytes) {
  ByteStream in(bytes);
  return read_project_data(in);
}

TEST(RowOneCount, CountsNumbersUpToTheLineEnd) {
  const auto count = [](const std::string& rows) {
    const std::string bytes = with_header(rows);
    ByteStream in(bytes);
    seek_data_start(in);
    return count_row_one(in);
  };
  EXPECT_EQ(count("100 1 2 30\r\n0 0\r\n"), 4);
  EXPECT_EQ(count("100 1 2 30 200 1 2 30\r\n"), 8);
  EXPECT_EQ(count("100 1 2 30\n0 0\n"), 4);
  EXPECT_EQ(count("100 1 2"), 3);  // ends with the file
  EXPECT_EQ(count(""), 1);
  // A blank before the line end runs the count on into row II.
  EXPECT_EQ(count("100 1 2 30 \r\n0 0\r\n"), 6);
}

TEST(DataStart, FollowsTheHeaderLineEnds) {
  const std::string crlf = with_header("1");
  ByteStream a(crlf);
  EXPECT_EQ(seek_data_start(a), 947);
  EXPECT_EQ(skip_space(a), '1');
  EXPECT_EQ(a.tell(), 949);
  std::string lf;
  for (const char c : crlf) {
    if (c != '\r') lf += c;
  }
  ByteStream b(lf);
  seek_data_start(b);
  EXPECT_EQ(skip_space(b), '1');
  EXPECT_EQ(b.tell(), 935);
  ByteStream empty("");
  EXPECT_EQ(seek_data_start(empty), 0);
}

TEST(ProjectData, ReadsEveryLineRowByRow) {
  const ProjectData data =
      read(with_header("100 1 2 30 200.5 3 2 0\r\n"
                       "0 0 0 1 120 2 240 3\r\n"
                       "0 0 0 90 300 0 0 90 1234567.89 1 2 3 5 6 7 8\r\n"
                       "20 20 1 2 3 4 5 6\r\n"
                       "2 2 1 1 1 1 1 1\r\n"
                       "1000 0 0 0\r\n"));
  ASSERT_TRUE(data.complete);
  ASSERT_EQ(data.lines.size(), 2u);
  EXPECT_EQ(data.lines[1].current, 200.5f);
  EXPECT_EQ(data.lines[1].conductor_count, 3);
  EXPECT_EQ(data.lines[1].segment_length, 0.0f);
  EXPECT_EQ(data.phases.size(), 8u);
  EXPECT_EQ(data.supports.size(), 16u);
  EXPECT_EQ(data.heights.size(), 8u);
  EXPECT_EQ(data.sag_constants.size(), 4u);
  // Both precisions come from the text itself.
  EXPECT_EQ(data.supports[8].as_double, 1234567.89);
  EXPECT_EQ(data.supports[8].as_float, 1234567.89f);
}

TEST(ProjectData, SevenNumbersInRowOneMakeOneLine) {
  const ProjectData data =
      read(with_header("100 1 2 30 120 0 0\r\n1 1 2 2 0 0 0 0 \r\n"
                       "1 1\r\n1 1\r\n5\r\n"));
  ASSERT_EQ(data.lines.size(), 1u);
  // The fifth number of row I is read as the first phase code.
  EXPECT_EQ(data.phases[0].as_double, 120);
  EXPECT_TRUE(data.complete);
}

TEST(ProjectData, FewerThanFourNumbersMakeNoLine) {
  const ProjectData data = read(with_header("100 1 2\r\n"));
  EXPECT_TRUE(data.lines.empty());
  EXPECT_TRUE(data.complete);
}

TEST(ProjectData, CountsTheFileCannotHoldAreRefusedBeforeAnythingIsSized) {
  for (const char* row :
       {"100 2000000000 2 30\r\n", "100 1 2000000000 30\r\n", "100 46341 46341 30\r\n",
        "100 0 2 30\r\n", "100 1 0 30\r\n", "100 -3 2 30\r\n"}) {
    const ProjectData data = read(with_header(std::string(row) + "0 0 0 0 0 0 0 0 0 0 0 0\r\n"));
    EXPECT_FALSE(data.complete) << row;
    EXPECT_EQ(data.lines.size(), 1u);
    EXPECT_TRUE(data.phases.empty() && data.supports.empty() && data.sag_constants.empty());
  }
}

TEST(ProjectData, AMissingOrInvalidValueStopsTheReadingWhereItIs) {
  const ProjectData truncated = read(with_header("100 1 2 30\r\n0 0\r\n0 0 0 90 300"));
  EXPECT_FALSE(truncated.complete);
  EXPECT_EQ(truncated.phases.size(), 2u);
  EXPECT_EQ(truncated.supports.size(), 5u);
  const ProjectData garbage = read(with_header("100 1 2 30\r\n0 zero\r\n"));
  EXPECT_FALSE(garbage.complete);
  EXPECT_EQ(garbage.phases.size(), 1u);
  const ProjectData bad_header = read(with_header("100 x 2 30\r\n"));
  EXPECT_FALSE(bad_header.complete);
  EXPECT_TRUE(bad_header.lines.empty());
}

TEST(ProjectData, PhaseCodesReadAsIntegersTakeTheIntegerSyntax) {
  const std::string bytes = with_header(
      "100 3 2 30\r\n0x78 0.5 0360 -1 120.5 2\r\n0 0 0 90 300 0 0 90\r\n"
      "1 1 1 1 1 1\r\n1 1 1 1 1 1\r\n1 1 1\r\n");
  ByteStream in(bytes);
  const ProjectData integers = read_project_data(in, PhaseCodes::integers);
  ASSERT_EQ(integers.phases.size(), 6u);
  // Hexadecimal, octal; "120.5" is the code 120 and the offset ".5", so the
  // last offset, 2, is left for row III and everything after it moves.
  EXPECT_EQ(integers.phases[0].as_double, 120);
  EXPECT_EQ(integers.phases[1].as_float, 0.5f);
  EXPECT_EQ(integers.phases[2].as_double, 240);
  EXPECT_EQ(integers.phases[3].as_float, -1.0f);
  EXPECT_EQ(integers.phases[4].as_float, 120.0f);
  EXPECT_EQ(integers.phases[5].as_double, 0.5);
  EXPECT_EQ(integers.supports[0].as_double, 2);
  // As reals, "0x78" is the number 0 followed by text that is none.
  const ProjectData reals = read(bytes);
  EXPECT_FALSE(reals.complete);
  EXPECT_EQ(reals.phases.size(), 1u);
}

TEST(ProjectData, MissingFileIsReportedAsSuch) {
  EXPECT_EQ(read_project_data(std::string("/nonexistent/x.tlva")), std::nullopt);
}

}  // namespace
}  // namespace tralva
