#include "command_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace tralva::cli {
namespace {

template <class T>
std::optional<std::string> refusal(const std::string& text) {
  T value = 7;
  auto why = read_number(text, value);
  EXPECT_EQ(value, T{7}) << text << ": a refused value leaves the target as it was";
  return why;
}

TEST(ReadNumber, TakesTheUsualDecimalNotation) {
  const std::pair<const char*, double> cases[] = {
      {"0", 0},     {"-12.5", -12.5}, {"+3", 3},      {".5", 0.5},
      {"5.", 5},    {"1e3", 1000},    {"1E-2", 0.01}, {"1512340.25", 1512340.25},
      {"-0", -0.0}, {"007", 7},       {"1e-400", 0},  {"1.7e308", 1.7e308},
  };
  for (const auto& [text, expected] : cases) {
    double d = 99;
    EXPECT_EQ(read_number(text, d), std::nullopt) << text;
    EXPECT_EQ(d, expected) << text;
    float f = 99;
    if (std::abs(expected) < 1e38) {
      EXPECT_EQ(read_number(text, f), std::nullopt) << text;
      EXPECT_EQ(f, static_cast<float>(expected)) << text;
    }
  }
  // A float is rounded once, from the text, not through a double.
  float f = 0;
  ASSERT_EQ(read_number("0.1", f), std::nullopt);
  EXPECT_EQ(f, 0.1f);
}

TEST(ReadNumber, RefusesTextThatIsNotWhollyANumber) {
  for (const char* text :
       {"abc", "10x", "",     " 5",  "5 ",   "\t5", "1e",    "1e+",  "2E-", "-",
        "+",   ".",   "0x10", "inf", "-inf", "nan", "1 000", "1..2", "--5", "5m"}) {
    const std::string expected = std::string("«") + text + "» non è un numero.";
    EXPECT_EQ(refusal<double>(text), expected) << text;
    EXPECT_EQ(refusal<float>(text), expected) << text;
  }
}

TEST(ReadNumber, TheDecimalCommaIsExplained) {
  EXPECT_EQ(refusal<double>("0,5"), "«0,5» non è un numero: il separatore decimale è il punto.");
  EXPECT_EQ(refusal<float>("-12,75"),
            "«-12,75» non è un numero: il separatore decimale è il punto.");
  // Only where a point would make it a number.
  EXPECT_EQ(refusal<double>("1,5x"), "«1,5x» non è un numero.");
  EXPECT_EQ(refusal<double>("1,000,000"), "«1,000,000» non è un numero.");
}

TEST(ReadNumber, ANumberBeyondItsTypeIsOutOfRange) {
  const std::string doubles = " è fuori dall'intervallo ammesso, da -1.79769e+308 a 1.79769e+308.";
  const std::string floats = " è fuori dall'intervallo ammesso, da -3.40282e+38 a 3.40282e+38.";
  EXPECT_EQ(refusal<double>("1e400"), "«1e400»" + doubles);
  EXPECT_EQ(refusal<double>("-1e309"), "«-1e309»" + doubles);
  EXPECT_EQ(refusal<float>("1e39"), "«1e39»" + floats);
  EXPECT_EQ(refusal<float>("-3.5e38"), "«-3.5e38»" + floats);
  float largest = 0;
  EXPECT_EQ(read_number("3.4e38", largest), std::nullopt);
  EXPECT_EQ(largest, 3.4e38f);
}

TEST(ReadNumber, AnIntegerIsASignAndDigitsOnly) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"42", 42}, {"+7", 7}, {"-0", 0}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}};
  for (const auto& [text, expected] : cases) {
    std::int32_t i = 99;
    EXPECT_EQ(read_number(text, i), std::nullopt) << text;
    EXPECT_EQ(i, expected) << text;
  }
  for (const char* text : {"2.5", "2.", "1e3", "", " 1", "1 ", "x", "-", "+", "0x10", "1,5"}) {
    EXPECT_EQ(refusal<std::int32_t>(text), std::string("«") + text + "» non è un numero intero.")
        << text;
  }
  const std::string range = " è fuori dall'intervallo ammesso, da -2147483648 a 2147483647.";
  for (const char* text : {"2147483648", "-2147483649", "99999999999999999999999"}) {
    EXPECT_EQ(refusal<std::int32_t>(text), std::string("«") + text + "»" + range) << text;
  }
}

TEST(Numbers, TheFirstRefusalNamesItsOptionAndStopsTheReading) {
  ParsedArguments parsed;
  parsed.options["--origine"] = {"1.5", "-2"};
  parsed.options["--passi"] = {"3", "x"};
  parsed.options["--passo"] = {"abc"};
  double x = 0, y = 0;
  std::int32_t nx = 0, ny = 0;
  float step = 9, level = 4;
  Numbers numbers(parsed);
  numbers.option("--origine", x, y)
      .option("--quota", level)  // not given: left alone
      .option("--passi", nx, ny)
      .option("--passo", step);
  EXPECT_FALSE(numbers.ok());
  EXPECT_EQ(x, 1.5);
  EXPECT_EQ(y, -2);
  EXPECT_EQ(level, 4);
  EXPECT_EQ(nx, 3);
  EXPECT_EQ(ny, 0);
  EXPECT_EQ(step, 9) << "read after the first refusal";
  std::ostringstream out, err;
  Io io{out, err};
  EXPECT_EQ(numbers.report_failure(io), kUsage);
  EXPECT_EQ(err.str(), "Errore: --passi: «x» non è un numero intero.\n");
  EXPECT_EQ(out.str(), "");
}

TEST(Numbers, ChecksIntegersItDoesNotStoreAndNamesOperands) {
  ParsedArguments parsed;
  parsed.options["--fi"] = {"90"};
  parsed.options["--psi"] = {"90.5"};
  Numbers checked(parsed);
  EXPECT_TRUE(checked.check_integer("--fi").ok());
  EXPECT_FALSE(checked.check_integer("--psi").ok());

  double value = 0;
  Numbers operands;
  EXPECT_TRUE(operands.read("X1", "10", value).ok());
  EXPECT_EQ(value, 10);
  EXPECT_FALSE(operands.read("Y1", "dieci", value).ok());
  std::ostringstream out, err;
  Io io{out, err};
  operands.report_failure(io);
  EXPECT_EQ(err.str(), "Errore: Y1: «dieci» non è un numero.\n");
}

}  // namespace
}  // namespace tralva::cli
