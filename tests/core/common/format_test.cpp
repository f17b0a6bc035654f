#include "common/format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>

#include "test_support.h"

namespace tralva {
namespace {

using test::c_printf;

std::vector<double> awkward_values() {
  const double inf = std::numeric_limits<double>::infinity();
  return {0.0,          -0.0,
          0.5,          1.5,
          2.5,          -2.5,
          0.125,        0.375,
          1e-7,         -1e-7,
          0.0005,       -0.0004,
          0.9999995,    9.9999995,
          30.0,         1234567.0,
          1e15,         1e17,
          9.999e17,     1e18,
          1.5e19,       1e22,
          1e300,        -1e300,
          5e-324,       2.2250738585072014e-308,
          4500000.1,    100.0 / 3,
          inf,          -inf,
          std::nan(""), 0.1f,
          1e-5,         123456.5,
          0.00001234,   1e-4,
          9.5,          99999.95,
          1e6};
}

TEST(FormatFixed, MatchesThePrintfOfTheCLibraryOnAwkwardValues) {
  for (const double v : awkward_values()) {
    for (int d = 0; d <= 6; ++d) {
      EXPECT_EQ(fixed_text(v, d), c_printf("%.*f", d, v)) << v << " with " << d;
    }
  }
}

TEST(FormatFixed, MatchesPrintfOnRandomValuesOfEveryMagnitude) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> exponent(-30, 70);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  for (int i = 0; i < 200000; ++i) {
    const double v = std::ldexp(mantissa(random), exponent(random));
    const int d = i % 7;
    ASSERT_EQ(fixed_text(v, d), c_printf("%.*f", d, v)) << v;
  }
}

TEST(FormatFixed, HalvesOnTheGridRoundToEven) {
  // Exact binary halves at every precision: the cases where a rounding
  // shortcut goes wrong.
  for (int d = 0; d <= 6; ++d) {
    for (std::int64_t k = 0; k < 5000; ++k) {
      const double v = (static_cast<double>(k) + 0.5) / std::pow(10.0, d);
      ASSERT_EQ(fixed_text(v, d), c_printf("%.*f", d, v)) << v;
      const double w = static_cast<double>(k) / 8.0 + 0.0625;
      ASSERT_EQ(fixed_text(w, d), c_printf("%.*f", d, w)) << w;
    }
  }
}

// The sizes of outputs are computed from it before they are written.
TEST(FixedLength, IsTheLengthOfTheFormattedText) {
  std::vector<double> values = awkward_values();
  // Where the rounding adds a digit: just below, at and above 10^k less half
  // a unit of the last decimal.
  for (int k = 0; k <= 20; ++k) {
    for (const double unit : {0.5, 0.05, 0.005, 0.0005}) {
      const double edge = std::pow(10.0, k) - unit;
      values.insert(values.end(), {edge, -edge, std::nextafter(edge, 0.0),
                                   std::nextafter(edge, 1e300), static_cast<float>(edge)});
    }
  }
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> exponent(-30, 80);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  for (int i = 0; i < 50000; ++i) values.push_back(std::ldexp(mantissa(random), exponent(random)));
  for (const double v : values) {
    for (int d = 0; d <= 8; ++d) {
      ASSERT_EQ(fixed_length(v, d), fixed_text(v, d).size()) << v << " with " << d;
    }
  }
}

TEST(FormatGeneral, MatchesPrintfWithSixAndFifteenDigits) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> exponent(-40, 80);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  for (const double v : awkward_values()) {
    EXPECT_EQ(general_text(v), c_printf("%g", v));
    EXPECT_EQ(general_text(v, 15), c_printf("%.15g", v));
  }
  for (int i = 0; i < 100000; ++i) {
    const double v = std::ldexp(mantissa(random), exponent(random));
    ASSERT_EQ(general_text(v), c_printf("%g", v));
    ASSERT_EQ(general_text(v, 15), c_printf("%.15g", v));
    const float f = static_cast<float>(v);
    ASSERT_EQ(general_text(f), c_printf("%g", static_cast<double>(f)));
  }
}

TEST(FormatGeneral, ShortFormsOfTheFiles) {
  EXPECT_EQ(general_text(30.0), "30");
  EXPECT_EQ(general_text(0.5), "0.5");
  EXPECT_EQ(general_text(1234567.0), "1.23457e+06");
  EXPECT_EQ(general_text(static_cast<float>(1234.5678)), "1234.57");
  EXPECT_EQ(general_text(0.1f), "0.1");
}

TEST(FormatInt, PrintsDecimal) {
  EXPECT_EQ(int_text(0), "0");
  EXPECT_EQ(int_text(-240), "-240");
  EXPECT_EQ(int_text(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(FormatLocale, TheProcessLocaleChangesNothing) {
  // Under LC_ALL=it_IT.UTF-8 the C library itself writes "0,5"; we must not.
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", 0.5);
  const char* requested = std::getenv("LC_ALL");
  if (requested != nullptr && std::string(requested).rfind("it_IT", 0) == 0) {
    ASSERT_STREQ(buffer, "0,5") << "the Italian locale is not in effect";
  }
  EXPECT_EQ(fixed_text(0.5, 1), "0.5");
  EXPECT_EQ(general_text(0.5), "0.5");
  EXPECT_EQ(general_text(1e-5, 15), "1e-05");
}

}  // namespace
}  // namespace tralva
