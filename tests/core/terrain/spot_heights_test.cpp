#include "terrain/spot_heights.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "terrain/terrain_texts.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = terrain_text;

SpotHeightsOutcome read(const std::string& bytes) {
  ByteStream in(bytes);
  return read_spot_heights(in);
}

std::vector<SpotHeight> points(const std::string& bytes) {
  const SpotHeightsOutcome outcome = read(bytes);
  if (const auto* failure = std::get_if<Message>(&outcome)) {
    ADD_FAILURE() << failure->text;
    return {};
  }
  return std::get<std::vector<SpotHeight>>(outcome);
}

std::string refusal(const std::string& bytes) {
  const SpotHeightsOutcome outcome = read(bytes);
  const auto* failure = std::get_if<Message>(&outcome);
  if (failure == nullptr) return "accepted";
  EXPECT_EQ(failure->kind, MessageKind::error);
  return failure->text;
}

std::string bad_line(int number, const char* ending = text::kBadSpotLineEnd) {
  return text::kBadSpotLine + std::to_string(number) + ending;
}

TEST(SpotHeights, TakesTheSeparatorsOfSurveysAndGisExportsAndSortsThePoints) {
  const std::vector<SpotHeight> expected = {{-1.5, 2, 3}, {1, 2, 3}, {1, 2, 4}, {4, 5, 6}};
  EXPECT_EQ(points("4 5 6\n1\t2\t4\r\n-1.5 2 3\n1 2 3\n"), expected);
  EXPECT_EQ(points("X;Y;Z\r\n4;5;6\r\n1;2;4\r\n-1.5 ; 2 ;3\r\n1;2;3\r\n"), expected);
  EXPECT_EQ(points("x,y,quota\n4,5,6\n\n  \n1,2,4\n-1.5,2,3\n1, 2, 3"), expected);
  // A byte-order mark before a header or before the first point is not text.
  const std::vector<SpotHeight> one = {{4, 5, 6}};
  EXPECT_EQ(points("\xEF\xBB\xBF"
                   "X;Y;Z\n4;5;6\n"),
            one);
  EXPECT_EQ(points("\xEF\xBB\xBF"
                   "4;5;6\n"),
            one);
  // Points at the same place are all kept.
  EXPECT_EQ(points("1 1 5\n1 1 5\n").size(), 2u);
}

TEST(SpotHeights, ALineThatIsNotExactlyThreeFiniteNumbersIsRefusedByItsNumber) {
  for (const char* line : {"1 2", "1 2 3 4", "1;2;3;", "1 2 nan", "1 2 1e400", "1 2 3e", "1 2 3x",
                           "1;;2;3", "1 2;;3", "1.2.3 4 5", "a 1 2"}) {
    EXPECT_EQ(refusal(std::string("X Y Z\n\n0 0 0\n") + line + "\n5 5 5\n"), bad_line(4)) << line;
  }
  // A first line that starts with a number is a point, not a header.
  EXPECT_EQ(refusal("1 2\n3 4 5\n"), bad_line(1));
}

TEST(SpotHeights, ADecimalCommaIsNamedWhereItIsPlainlyOne) {
  EXPECT_EQ(refusal("X;Y;Z\n100,5;200,25;31,5\n"), bad_line(2, text::kDecimalCommaEnd));
  EXPECT_EQ(refusal("100.5 200 31\n100,5 200,25 31\n"), bad_line(2, text::kDecimalCommaEnd));
  // Six comma-separated digits could be anything: the usual message.
  EXPECT_EQ(refusal("100,5,200,25,31,5\n"), bad_line(1));
}

TEST(SpotHeights, AFileWithoutPointsIsRefused) {
  for (const char* bytes : {"", "\n\n", "X;Y;Z\n", "X;Y;Z\r\n \r\n"}) {
    EXPECT_EQ(refusal(bytes), text::kNoSpotHeights) << bytes;
  }
}

TEST(SpotHeights, AHugeLineIsRefusedAfterItsFirstBytes) {
  // A sparse gigabyte of one line: refused without reading it through.
  test::TempDir dir;
  const std::string path = dir.file("huge.txt");
  test::write_file(path, "1 2 3\n");
  ASSERT_EQ(truncate(path.c_str(), off_t{1} << 30), 0);
  const SpotHeightsOutcome outcome = read_spot_heights(path);
  ASSERT_TRUE(std::holds_alternative<Message>(outcome));
  EXPECT_EQ(std::get<Message>(outcome).text, bad_line(2, text::kLongSpotLineEnd));
}

}  // namespace
}  // namespace tralva
