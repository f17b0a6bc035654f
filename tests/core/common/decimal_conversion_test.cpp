#include "common/decimal_conversion.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "test_support.h"

namespace tralva {
namespace {

const locale_t kC = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));

TEST(DecimalConversion, FloatsAreRoundedOnceFromTheText) {
  // 1.00000005960464477539 lies just above the midpoint of two floats; going
  // through double first would round it down.
  EXPECT_EQ(float_from_text("1.000000059604644775390625000001"), std::nextafter(1.0f, 2.0f));
  EXPECT_EQ(float_from_text("0.1"), 0.1f);
}

TEST(DecimalConversion, OutOfRangeGivesInfinityOrZeroLikeTheCLibrary) {
  EXPECT_EQ(double_from_text("1e999"), HUGE_VAL);
  EXPECT_EQ(double_from_text("-1e999"), -HUGE_VAL);
  EXPECT_EQ(double_from_text("1e-999"), 0.0);
  EXPECT_EQ(float_from_text("1e39"), HUGE_VALF);
}

TEST(DecimalConversion, AgreesWithStrtodOnRandomNumbers) {
  std::mt19937_64 random(3);
  std::uniform_int_distribution<int> exponent(-300, 300);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  for (int i = 0; i < 20000; ++i) {
    const double v = mantissa(random) * std::pow(10.0, exponent(random));
    ASSERT_EQ(double_from_text(test::c_printf("%.17g", v)), v);
  }
}

TEST(DecimalConversion, ShortNumbersRoundExactlyLikeTheCLibrary) {
  // The fast path of short decimals must give what strtof / strtod give.
  std::mt19937_64 random(17);
  for (int i = 0; i < 200000; ++i) {
    std::string n = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 19);
    for (int d = 0; d < digits; ++d) n += static_cast<char>('0' + random() % 10);
    const int point = static_cast<int>(random() % (digits + 1));
    if (point < digits) n.insert(n.size() - static_cast<std::size_t>(point), ".");
    if (random() % 5 == 0) n += "e" + std::to_string(static_cast<int>(random() % 60) - 30);
    ASSERT_EQ(float_from_text(n), strtof_l(n.c_str(), nullptr, kC)) << n;
    ASSERT_EQ(double_from_text(n), strtod_l(n.c_str(), nullptr, kC)) << n;
  }
}

TEST(DecimalConversion, FloatsJustBesideAHalfwayPointRoundTheRightWay) {
  // 0.3995470553636551 lies a hair above the point halfway between two
  // floats, but its nearest double is that point itself: rounding through the
  // double would go to the even float below.  16777217 is exactly halfway.
  const float above = strtof_l("0.3995470553636551", nullptr, kC);
  ASSERT_NE(above, static_cast<float>(strtod_l("0.3995470553636551", nullptr, kC)));
  EXPECT_EQ(float_from_text("0.3995470553636551"), above);
  EXPECT_EQ(float_from_text("-0.3995470553636551"), -above);
  EXPECT_EQ(float_from_text("16777217"), 16777216.0f);
}

}  // namespace
}  // namespace tralva
