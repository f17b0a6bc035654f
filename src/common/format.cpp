#include "common/format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace tralva {
namespace {

constexpr std::uint64_t kPow10[] = {1ULL,
                                    10ULL,
                                    100ULL,
                                    1000ULL,
                                    10000ULL,
                                    100000ULL,
                                    1000000ULL,
                                    10000000ULL,
                                    100000000ULL,
                                    1000000000ULL,
                                    10000000000ULL,
                                    100000000000ULL,
                                    1000000000000ULL,
                                    10000000000000ULL,
                                    100000000000000ULL,
                                    1000000000000000ULL,
                                    10000000000000000ULL,
                                    100000000000000000ULL};
constexpr std::uint64_t kPow5[] = {1, 5, 25, 125, 625, 3125, 15625};
constexpr int kFastDecimals = 6;

__extension__ typedef unsigned __int128 Uint128;

// Writes the decimal digits of value, most significant first.
char* write_digits(char* out, std::uint64_t value) {
  char tmp[20];
  int n = 0;
  do {
    tmp[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) *out++ = tmp[--n];
  return out;
}

// Writes exactly `width` digits, with leading zeros.
char* write_padded(char* out, std::uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

// The exact value times 10^decimals, rounded half to even as the C library
// does, when that fits in 64 bits; false otherwise.  A double is m * 2^e with
// m < 2^53, so value * 10^d = m * 5^d * 2^(e + d) and m * 5^d < 2^67 is exact
// in 128 bits.
bool scaled_round(double magnitude, int decimals, std::uint64_t& result) {
  if (!(magnitude < 1e18)) return false;
  if (magnitude == 0.0) {
    result = 0;
    return true;
  }
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);  // [0.5, 1)
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = exponent - 53 + decimals;  // value*10^d = N * 2^shift
  const Uint128 n = static_cast<Uint128>(mantissa) * kPow5[decimals];
  if (shift >= 0) {
    if (shift >= 64) return false;
    const Uint128 shifted = n << shift;
    if (shifted >> 64) return false;
    result = static_cast<std::uint64_t>(shifted);
    return true;
  }
  const int k = -shift;
  if (k >= 127) {  // far below one half
    result = 0;
    return true;
  }
  const Uint128 q = n >> k;
  const Uint128 rest = n - (q << k);
  const Uint128 half = static_cast<Uint128>(1) << (k - 1);
  Uint128 rounded = q;
  if (rest > half || (rest == half && (q & 1))) ++rounded;
  if (rounded >> 64) return false;
  result = static_cast<std::uint64_t>(rounded);
  return true;
}

char* to_chars_or_die(char* out, double value, std::chars_format format, int precision) {
  const auto [end, ec] = std::to_chars(out, out + kFormatBufferSize, value, format, precision);
  (void)ec;  // the buffer is large enough for every double
  return end;
}

}  // namespace

char* format_fixed(char* out, double value, int decimals) {
  if (decimals <= kFastDecimals && std::isfinite(value)) {
    std::uint64_t scaled = 0;
    if (scaled_round(std::fabs(value), decimals, scaled)) {
      if (std::signbit(value)) *out++ = '-';
      const std::uint64_t unit = kPow10[decimals];
      out = write_digits(out, scaled / unit);
      if (decimals > 0) {
        *out++ = '.';
        out = write_padded(out, scaled % unit, decimals);
      }
      return out;
    }
  }
  return to_chars_or_die(out, value, std::chars_format::fixed, decimals);
}

char* format_general(char* out, double value, int precision) {
  return to_chars_or_die(out, value, std::chars_format::general, precision);
}

char* format_int(char* out, std::int64_t value) {
  return std::to_chars(out, out + kFormatBufferSize, value).ptr;
}

std::string fixed_text(double value, int decimals) {
  char buffer[kFormatBufferSize];
  return std::string(buffer, format_fixed(buffer, value, decimals));
}

std::string general_text(double value, int precision) {
  char buffer[kFormatBufferSize];
  return std::string(buffer, format_general(buffer, value, precision));
}

std::string int_text(std::int64_t value) {
  char buffer[kFormatBufferSize];
  return std::string(buffer, format_int(buffer, value));
}

}  // namespace tralva
