#include "common/decimal_conversion.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>

namespace tralva {
namespace {

locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

constexpr auto kExactPowers = [] {
  std::array<double, 23> powers{};
  double p = 1;
  for (double& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

// The common short numbers ("123.45", "-0.5", "4500000.125", "1e3") without
// the general algorithm.  When the significant digits (below 2^53) and the
// power of ten (up to 10^22) are both exact doubles, one IEEE multiplication
// or division rounds the exact value correctly.  A float is then rounded
// from that double, which is the float nearest the exact value unless the
// double lies exactly halfway between two floats: no other double can lie
// between the exact value and its nearest double.  False when the number
// falls outside these cases.
template <class T>
bool convert_exactly(const char* p, const char* end, T& out) {
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  std::uint64_t digits = 0;
  int significant = 0;
  int exponent = 0;
  bool fraction = false;
  for (; p < end; ++p) {
    if (*p == '.') {
      fraction = true;
      continue;
    }
    if (!is_digit(*p)) break;
    if (fraction) --exponent;
    if (digits == 0 && *p == '0') continue;
    if (++significant > 19) return false;
    digits = digits * 10 + static_cast<unsigned>(*p - '0');
  }
  if (p < end) {  // a complete exponent: 'e', optional sign, digits
    ++p;
    const bool negative_exponent = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    int e = 0;
    for (; p < end; ++p) e = std::min(e * 10 + (*p - '0'), 100000);
    exponent += negative_exponent ? -e : e;
  }
  if (digits == 0) {
    out = negative ? -T(0) : T(0);
    return true;
  }
  constexpr std::uint64_t kExactDigits = std::uint64_t{1} << 53;
  while (digits >= kExactDigits && digits % 10 == 0) {
    digits /= 10;
    ++exponent;
  }
  if (digits > kExactDigits || exponent > 22 || exponent < -22) return false;
  double value = static_cast<double>(digits);
  value = exponent < 0 ? value / kExactPowers[static_cast<std::size_t>(-exponent)]
                       : value * kExactPowers[static_cast<std::size_t>(exponent)];
  if constexpr (std::is_same_v<T, float>) {
    // Only normal floats, away from overflow; a halfway double goes the long way.
    if (!(value > 1e-37 && value < 1e38)) return false;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
    if ((bits & kBelowFloat) == std::uint64_t{1} << 28) return false;
    const auto rounded = static_cast<float>(value);
    out = negative ? -rounded : rounded;
  } else {
    out = negative ? -value : value;
  }
  return true;
}

template <class T>
T convert(std::string_view text) {
  T value{};
  if (convert_exactly(text.data(), text.data() + text.size(), value)) return value;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  const auto result = std::from_chars(begin, end, value);
  if (result.ec == std::errc()) return value;
  // Out of range: the C library's answer (infinity or zero), never the locale's.
  const std::string copy(begin, end);
  if constexpr (std::is_same_v<T, float>) {
    return strtof_l(copy.c_str(), nullptr, c_locale());
  } else {
    return strtod_l(copy.c_str(), nullptr, c_locale());
  }
}

}  // namespace

float float_from_text(std::string_view text) { return convert<float>(text); }
double double_from_text(std::string_view text) { return convert<double>(text); }

}  // namespace tralva
