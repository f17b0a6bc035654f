#include "common/scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "common/format.h"
#include "test_support.h"

namespace tralva {
namespace {

TEST(ScanReal, SkipsWhiteSpaceOfAnyKindIncludingLineEnds) {
  ByteStream in(" \t\r\n\v\f 12.5\r\n-3");
  EXPECT_EQ(scan_double(in), 12.5);
  EXPECT_EQ(scan_double(in), -3.0);
  EXPECT_EQ(scan_double(in), std::nullopt);  // end of the stream
}

TEST(ScanReal, TakesTheLongestTextThatCanContinueANumber) {
  struct Case {
    const char* text;
    std::optional<double> value;
    int rest;  // the next character after the scan
  };
  const Case cases[] = {
      {"1.5e3x", 1500.0, 'x'},  {"1e+x", 1.0, 'x'},     {"1ex", 1.0, 'x'},
      {"-.5,", -0.5, ','},      {"+7;", 7.0, ';'},      {"1.", 1.0, ByteStream::kEof},
      {".e5", std::nullopt, 'e'}, {"-x", std::nullopt, 'x'}, {"+", std::nullopt, ByteStream::kEof},
      {"1,5", 1.0, ','},        {"3-4", 3.0, '-'},      {"0x10", 0.0, 'x'},
      {"1.2.3", 1.2, '.'},      {"inf", std::nullopt, 'i'}, {"007", 7.0, ByteStream::kEof},
  };
  for (const Case& c : cases) {
    ByteStream in(c.text);
    EXPECT_EQ(scan_double(in), c.value) << c.text;
    EXPECT_EQ(in.peek(), c.rest) << c.text;
  }
}

TEST(ScanReal, FloatsAreRoundedOnceFromTheText) {
  // 1.00000005960464477539 lies just above the midpoint of two floats; going
  // through double first would round it down.
  ByteStream in("1.000000059604644775390625000001 0.1");
  EXPECT_EQ(scan_float(in), std::nextafter(1.0f, 2.0f));
  EXPECT_EQ(scan_float(in), 0.1f);
}

TEST(ScanReal, OutOfRangeGivesInfinityOrZeroLikeTheCLibrary) {
  ByteStream in("1e999 -1e999 1e-999 1e39");
  EXPECT_EQ(scan_double(in), HUGE_VAL);
  EXPECT_EQ(scan_double(in), -HUGE_VAL);
  EXPECT_EQ(scan_double(in), 0.0);
  EXPECT_EQ(scan_float(in), HUGE_VALF);
}

TEST(ScanReal, AgreesWithStrtodOnRandomNumbers) {
  std::mt19937_64 random(3);
  std::uniform_int_distribution<int> exponent(-300, 300);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::string text;
  std::vector<double> expected;
  for (int i = 0; i < 20000; ++i) {
    const double v = mantissa(random) * std::pow(10.0, exponent(random));
    text += test::c_printf("%.17g\n", v);
    expected.push_back(v);
  }
  ByteStream in(text);
  for (const double v : expected) ASSERT_EQ(scan_double(in), v);
}

TEST(ScanInt, ReadsDecimalHexadecimalAndOctal) {
  ByteStream in("42 -7 0x1F 0X10 010 08 +3 0xg");
  EXPECT_EQ(scan_int(in), 42);
  EXPECT_EQ(scan_int(in), -7);
  EXPECT_EQ(scan_int(in), 31);
  EXPECT_EQ(scan_int(in), 16);
  EXPECT_EQ(scan_int(in), 8);
  EXPECT_EQ(scan_int(in), 0);  // "08": octal 0, then 8 on its own
  EXPECT_EQ(scan_int(in), 8);
  EXPECT_EQ(scan_int(in), 3);
  EXPECT_EQ(scan_int(in), 0);  // "0x" without digits is the 0 before it
  EXPECT_EQ(in.get(), 'g');
}

TEST(ScanInt, StopsAtAPointAndSaturates) {
  ByteStream in("3.5 99999999999 -99999999999 -");
  EXPECT_EQ(scan_int(in), 3);
  EXPECT_EQ(in.peek(), '.');
  in.get();
  EXPECT_EQ(scan_int(in), 5);
  EXPECT_EQ(scan_int(in), INT32_MAX);
  EXPECT_EQ(scan_int(in), INT32_MIN);
  EXPECT_EQ(scan_int(in), std::nullopt);
}

TEST(ScanSeparator, ReadsCrLfAsOneLineEnd) {
  ByteStream in("\r\n\n\rx");
  EXPECT_EQ(read_separator(in), '\n');
  EXPECT_EQ(read_separator(in), '\n');
  EXPECT_EQ(read_separator(in), '\r');  // a lone CR is not a line end
  EXPECT_EQ(read_separator(in), 'x');
  EXPECT_EQ(read_separator(in), ByteStream::kEof);
}

TEST(ByteStreamFile, NumbersAcrossTheBufferBoundaryReadWhole) {
  // Long runs of white space and long numbers push tokens across every
  // position of the internal buffer.
  test::TempDir dir;
  std::string text;
  std::vector<double> expected;
  std::mt19937_64 random(5);
  while (text.size() < 3'000'000) {
    text.append(random() % 700, ' ');
    const double v = static_cast<double>(random() % 1000000) / 997.0;
    text += test::c_printf("%.17g", v);
    expected.push_back(v);
    text += '\n';
  }
  test::write_file(dir.file("numbers.txt"), text);
  ByteStream in;
  ASSERT_TRUE(in.open(dir.file("numbers.txt")));
  EXPECT_EQ(in.size(), static_cast<std::int64_t>(text.size()));
  for (const double v : expected) ASSERT_EQ(scan_double(in), v);
  EXPECT_EQ(scan_double(in), std::nullopt);
}

TEST(ByteStreamFile, SeeksForwardBackwardAndPastTheEnd) {
  test::TempDir dir;
  std::string text(600000, 'a');
  text[0] = 'b';
  text[500000] = 'c';
  test::write_file(dir.file("f"), text);
  ByteStream in;
  ASSERT_TRUE(in.open(dir.file("f")));
  in.seek(500000);
  EXPECT_EQ(in.get(), 'c');
  EXPECT_EQ(in.tell(), 500001);
  in.seek(0);
  EXPECT_EQ(in.get(), 'b');
  in.seek(10'000'000);
  EXPECT_EQ(in.get(), ByteStream::kEof);
  in.seek(1);
  EXPECT_EQ(in.get(), 'a');
}

TEST(ByteStreamFile, MissingFilesAndFoldersDoNotOpen) {
  test::TempDir dir;
  ByteStream in;
  EXPECT_FALSE(in.open(dir.file("missing")));
  EXPECT_FALSE(in.open(dir.path().string()));
}

}  // namespace
}  // namespace tralva
