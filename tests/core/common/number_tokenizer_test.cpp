#include "common/number_tokenizer.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

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
      {"1.5e3x", 1500.0, 'x'},    {"1e+x", 1.0, 'x'},         {"1ex", 1.0, 'x'},
      {"-.5,", -0.5, ','},        {"+7;", 7.0, ';'},          {"1.", 1.0, ByteStream::kEof},
      {".e5", std::nullopt, 'e'}, {"-x", std::nullopt, 'x'},  {"+", std::nullopt, ByteStream::kEof},
      {"1,5", 1.0, ','},          {"3-4", 3.0, '-'},          {"0x10", 0.0, 'x'},
      {"1.2.3", 1.2, '.'},        {"inf", std::nullopt, 'i'}, {"007", 7.0, ByteStream::kEof},
  };
  for (const Case& c : cases) {
    ByteStream in(c.text);
    EXPECT_EQ(scan_double(in), c.value) << c.text;
    EXPECT_EQ(in.peek(), c.rest) << c.text;
  }
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

TEST(ScanText, TellsTheNumberFromWhatTheScanPassesOver) {
  struct Case {
    const char* text;
    std::size_t consumed;
    std::size_t length;  // the number's own text
  };
  const Case cases[] = {
      {"1.5e3x", 5, 5}, {"1e", 2, 1}, {"2E+;", 3, 1}, {"3.e-", 4, 2}, {"1.", 2, 2},
      {"-x", 1, 0},     {".", 1, 0},  {"", 0, 0},     {"e5", 0, 0},
  };
  for (const Case& c : cases) {
    const ScannedText scanned = scan_double_text(c.text);
    EXPECT_EQ(scanned.consumed, c.consumed) << c.text;
    EXPECT_EQ(scanned.length, c.length) << c.text;
    EXPECT_EQ(scanned.value.has_value(), c.length > 0) << c.text;
    EXPECT_EQ(scanned.ends_with_number(), c.length > 0 && c.length == c.consumed) << c.text;
  }
}

TEST(ScanInt, TheRestOfARealNumberCanBePassedOver) {
  ByteStream in("30.5e+2x 7e;08.5 1.");
  EXPECT_EQ(scan_int(in), 30);
  skip_number_rest(in);
  EXPECT_EQ(in.get(), 'x');
  EXPECT_EQ(scan_int(in), 7);
  skip_number_rest(in);  // a dangling exponent goes too
  EXPECT_EQ(in.get(), ';');
  EXPECT_EQ(scan_int(in), 0);  // octal, up to the 8
  skip_number_rest(in);        // no point or exponent: nothing passed over
  EXPECT_EQ(scan_double(in), 8.5);
  EXPECT_EQ(scan_int(in), 1);
  skip_number_rest(in);
  EXPECT_EQ(in.get(), ByteStream::kEof);
}

TEST(ScanSeparator, ReadsCrLfAsOneLineEnd) {
  ByteStream in("\r\n\n\rx");
  EXPECT_EQ(read_separator(in), '\n');
  EXPECT_EQ(read_separator(in), '\n');
  EXPECT_EQ(read_separator(in), '\r');  // a lone CR is not a line end
  EXPECT_EQ(read_separator(in), 'x');
  EXPECT_EQ(read_separator(in), ByteStream::kEof);
}

TEST(ScanReal, ALongNumberAtTheEndOfTheStreamReadsWhole) {
  // Longer than the token's inline room, and running up to the end.
  const std::string digits = "0." + std::string(100, '0') + "15e2";
  ByteStream in(digits);
  EXPECT_EQ(scan_double(in), 1.5e-99);
  ByteStream again(digits);
  EXPECT_EQ(scan_float(again), 0.0f);
}

TEST(NextToken, TakesTheCharacterAfterTheNumberAsAsked) {
  constexpr int kEof = ByteStream::kEof;
  struct Case {
    const char* text;
    Separator after;
    const char* number;
    int separator;  // kEof when none is taken
    int rest;
  };
  const Case cases[] = {
      {"1.5\tx", Separator::left, "1.5", kEof, '\t'},
      {"1.5\tx", Separator::read, "1.5", '\t', 'x'},
      {" \n-2\r\n7", Separator::read, "-2", '\n', '7'},      // CR LF is one line end
      {"3\r7", Separator::read, "3", '\r', '7'},             // a lone CR is not
      {"1e+;", Separator::read, "1", ';', kEof},             // the dangling "e+" is consumed
      {"x,7", Separator::read, "", 'x', ','},                // taken after no number too
      {"x,7", Separator::read_after_number, "", kEof, 'x'},  // but not here
      {"-x", Separator::read_after_number, "", kEof, 'x'},   // the sign stays consumed
      {"4,7", Separator::read_after_number, "4", ',', '7'},
      {"5", Separator::read, "5", kEof, kEof},
      {" \t", Separator::read, "", kEof, kEof},
  };
  for (const Case& c : cases) {
    ByteStream in(c.text);
    TokenSpill spill;
    const NumberToken token = next_token(in, spill, c.after);
    EXPECT_EQ(token.text, c.number) << c.text;
    EXPECT_EQ(token.separator, c.separator) << c.text;
    EXPECT_EQ(in.peek(), c.rest) << c.text;
  }
}

// The longest number text that still reads, and one character more.
const std::string kLongest = "12345." + std::string(kLongestNumber - 6, '0');
const std::string kTooLong = kLongest + "0";

TEST(NextToken, ANumberLongerThanAnyFieldReadsAsNoneAndIsConsumedWhole) {
  const std::string text = kLongest + "\t" + kTooLong + "\t-" + kTooLong + "e+5\t7";
  ByteStream in(text);
  EXPECT_EQ(scan_double(in), 12345.0);
  EXPECT_EQ(scan_double(in), std::nullopt);
  EXPECT_EQ(in.get(), '\t');
  EXPECT_FALSE(skip_number(in));
  EXPECT_EQ(in.get(), '\t');
  EXPECT_EQ(scan_double(in), 7.0);
  // Counted as one repetition each, so counts stay aligned.
  const std::string line = kTooLong + "\t" + kTooLong + "\n1";
  ByteStream count(line);
  EXPECT_EQ(count_numbers(count, CountUntil::line_end).repetitions, 2);
}

TEST(NextToken, LongRunsAcrossBufferRefillsReadAsInMemory) {
  // Numbers at the limit and just beyond, and a run of digits longer than the
  // stream's buffer, at many positions of the buffer: the stream reads them
  // as a block of memory holding the same text does.
  test::TempDir dir;
  std::mt19937_64 random(41);
  std::string text;
  while (text.size() < 1'500'000) {
    text.append(random() % 700, ' ');
    text += random() % 2 ? kLongest : kTooLong;
    text += '\t';
    if (random() % 500 == 0) text += std::string(400'000, '9') + "\n";
  }
  test::write_file(dir.file("f"), text);
  ByteStream file;
  ASSERT_TRUE(file.open(dir.file("f")));
  ByteStream memory(text);
  TokenSpill file_spill;
  TokenSpill memory_spill;
  std::int64_t numbers = 0;
  for (;;) {
    const NumberToken a = next_token(file, file_spill, Separator::read);
    const NumberToken b = next_token(memory, memory_spill, Separator::read);
    ASSERT_EQ(a.text, b.text);
    ASSERT_EQ(a.separator, b.separator);
    ASSERT_EQ(file.tell(), memory.tell());
    if (a.separator == ByteStream::kEof) break;
    numbers += !a.text.empty();
  }
  EXPECT_GT(numbers, 500);
}

TEST(CountNumbers, CountsEveryNumberAndTheCharacterAfterIt) {
  const auto count = [](const std::string& text, CountUntil until) {
    ByteStream in(text);
    return count_numbers(in, until).repetitions;
  };
  EXPECT_EQ(count("1\t2\n3", CountUntil::line_end), 2);
  EXPECT_EQ(count("1\t2\r\n3", CountUntil::line_end), 2);
  EXPECT_EQ(count("1\t2\n3", CountUntil::end_of_stream), 3);
  EXPECT_EQ(count("1\t2\n3\n", CountUntil::end_of_stream), 4);  // the last repetition meets the end
  EXPECT_EQ(count("", CountUntil::line_end), 1);
  EXPECT_EQ(count("1 2 3", CountUntil::line_end), 3);       // no line end: the end stops it
  EXPECT_EQ(count("a,b\n", CountUntil::end_of_stream), 4);  // unreadable numbers count too
}

// The counting as it reads without the fast path: scan, then one character.
std::int64_t reference_count(ByteStream& in, CountUntil until) {
  std::int64_t count = 0;
  for (;;) {
    (void)scan_float(in);
    const int c = read_separator(in);
    ++count;
    if (c == ByteStream::kEof || (c == '\n' && until == CountUntil::line_end)) return count;
  }
}

TEST(CountNumbers, AgreesWithReadingOneByOneAcrossBufferBoundaries) {
  test::TempDir dir;
  std::mt19937_64 random(23);
  const char* const pieces[] = {"1.5",           "-2e7", "x",      "\t", " ",
                                "\r\n",          "\n",   "\r",     "1e", "+",
                                "123456789.125", ",",    "\r\r\n", "-."};
  std::string text;
  while (text.size() < 1'500'000) {
    text += pieces[random() % std::size(pieces)];
    if (random() % 1000 == 0) text.append(random() % 300000, ' ');
  }
  test::write_file(dir.file("f"), text);
  for (const CountUntil until : {CountUntil::line_end, CountUntil::end_of_stream}) {
    ByteStream fast;
    ByteStream slow;
    ASSERT_TRUE(fast.open(dir.file("f")));
    ASSERT_TRUE(slow.open(dir.file("f")));
    // Line by line through the whole file.
    while (fast.peek() != ByteStream::kEof) {
      ASSERT_EQ(count_numbers(fast, until).repetitions, reference_count(slow, until));
      ASSERT_EQ(fast.tell(), slow.tell());
    }
  }
}

TEST(NextTokens, ReadTheTokensNextTokenReadsAcrossBufferBoundaries) {
  test::TempDir dir;
  std::mt19937_64 random(29);
  const std::string long_number(500, '7');  // longer than any number read
  const std::vector<std::string> numbers = {"1.5", "-2e7", "\t", " ", "\r\n", "\n", "\r", "0.25"};
  std::vector<std::string> anything = numbers;
  anything.insert(anything.end(), {"x", "+", ",", "-.", "1e"});
  // Where no character follows a failed number, only numbers and blanks:
  // such a reader never gets past anything else.
  const struct {
    Separator after;
    const std::vector<std::string>& pieces;
  } cases[] = {{Separator::read, anything},
               {Separator::left, numbers},
               {Separator::read_after_number, numbers}};
  for (const auto& c : cases) {
    std::string text;
    while (text.size() < 1'200'000) {
      text += random() % 100 == 0 ? long_number : c.pieces[random() % c.pieces.size()];
    }
    test::write_file(dir.file("f"), text);
    for (const std::size_t batch : {std::size_t{1}, std::size_t{7}, std::size_t{256}}) {
      ByteStream one;
      ByteStream many;
      ASSERT_TRUE(one.open(dir.file("f")));
      ASSERT_TRUE(many.open(dir.file("f")));
      TokenSpill one_spill;
      TokenSpill many_spill;
      std::vector<NumberToken> tokens(batch);
      std::size_t compared = 0;
      while (one.peek() != ByteStream::kEof && skip_space(one) != ByteStream::kEof) {
        const std::size_t n = next_tokens(many, many_spill, c.after, tokens);
        ASSERT_GE(n, 1u);
        for (std::size_t k = 0; k < n; ++k, ++compared) {
          const NumberToken expected = next_token(one, one_spill, c.after);
          ASSERT_EQ(tokens[k].text, expected.text) << compared;
          ASSERT_EQ(tokens[k].separator, expected.separator) << compared;
        }
        ASSERT_EQ(many.tell(), one.tell());
      }
      EXPECT_GT(compared, 50000u);  // the whole file, not an early stop
    }
  }
}

TEST(ScanSeparated, ReadsNumberCharacterNumberAndStopsAtTheFirstFailure) {
  float v[4] = {-1, -1, -1, -1};
  ByteStream in("1\t2; 3,4\n5\t6\tx\t8\n");
  const std::array<float*, 4> all = {&v[0], &v[1], &v[2], &v[3]};
  EXPECT_EQ(scan_separated(in, all), 4);
  EXPECT_EQ(std::vector<float>(v, v + 4), (std::vector<float>{1, 2, 3, 4}));
  const std::array<float*, 4> first_and_third = {&v[0], nullptr, &v[2], nullptr};
  EXPECT_EQ(scan_separated(in, first_and_third), 2);  // "x" fails; only 5 is kept
  EXPECT_EQ(v[0], 5.0f);
  EXPECT_EQ(v[1], 2.0f);  // passed over, not stored
  EXPECT_EQ(in.peek(), 'x');
}

TEST(ScanSeparated, AgreesWithReadingOneByOneAcrossBufferBoundaries) {
  test::TempDir dir;
  std::mt19937_64 random(29);
  const char* const pieces[] = {"12.5", "-3e2", "7",   "x",        "\t", " ", "\r\n",
                                "\n",   ";",    "\t ", "0.000001", "1e", "-"};
  std::string text;
  while (text.size() < 1'200'000) {
    text += pieces[random() % std::size(pieces)];
    if (random() % 5000 == 0) text.append(random() % 100000, ' ');
  }
  test::write_file(dir.file("f"), text);
  ByteStream fast;
  ByteStream slow;
  ASSERT_TRUE(fast.open(dir.file("f")));
  ASSERT_TRUE(slow.open(dir.file("f")));
  while (fast.peek() != ByteStream::kEof) {
    const unsigned wanted = static_cast<unsigned>(random() % 16);
    float a[4] = {0, 0, 0, 0};
    float b[4] = {0, 0, 0, 0};
    std::array<float*, 4> slots{};
    for (int k = 0; k < 4; ++k) slots[k] = wanted & (1u << k) ? &a[k] : nullptr;
    const int n = scan_separated(fast, slots);
    int m = 0;
    for (; m < 4; ++m) {
      if (m > 0 && read_separator(slow) == ByteStream::kEof) break;
      const auto value = scan_float(slow);
      if (!value) break;
      if (wanted & (1u << m)) b[m] = *value;
    }
    ASSERT_EQ(n, m);
    ASSERT_EQ(std::vector<float>(a, a + 4), std::vector<float>(b, b + 4));
    ASSERT_EQ(fast.tell(), slow.tell());
    if (n == 0 && fast.peek() != ByteStream::kEof) {  // past what stopped both
      fast.get();
      slow.get();
    }
  }
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

}  // namespace
}  // namespace tralva
