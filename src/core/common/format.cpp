#include "common/format.h"

#include <array>
#include <bit>
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
                                    100000000000000000ULL,
                                    1000000000000000000ULL,
                                    10000000000000000000ULL};
constexpr std::uint64_t kPow5[] = {1, 5, 25, 125, 625, 3125, 15625};
constexpr int kFastDecimals = 6;

__extension__ typedef unsigned __int128 Uint128;

constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes exactly `width` digits of value, with leading zeros, two at a time.
char* write_padded(char* out, std::uint64_t value, int width) {
  int i = width;
  while (i >= 2) {
    i -= 2;
    std::memcpy(out + i, &kDigitPairs[static_cast<std::size_t>(2 * (value % 100))], 2);
    value /= 100;
  }
  if (i == 1) out[0] = static_cast<char>('0' + value % 10);
  return out + width;
}

int digit_count(std::uint64_t value) {
  // log10 from the bit width, corrected by one comparison.
  const int guess = (static_cast<int>(std::bit_width(value)) * 1233) >> 12;
  if (value < 10) return 1;
  return guess + (value >= kPow10[guess] ? 1 : 0);
}

// Writes the decimal digits of value, most significant first.
char* write_digits(char* out, std::uint64_t value) {
  return write_padded(out, value, digit_count(value));
}

// The exact value times 10^decimals, rounded half to even as the C library
// does, when that fits in 64 bits; false otherwise.  A double is m * 2^e with
// m < 2^53, so value * 10^d = m * 5^d * 2^(e + d), and m * 5^d < 2^67 is
// exact in 128 bits (in 64 bits for the usual short mantissas).
bool scaled_round(double magnitude, int decimals, std::uint64_t& result) {
  if (!(magnitude < 1e18)) return false;
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  if (mantissa == 0) {
    result = 0;
    return true;
  }
  const int zeros = std::countr_zero(mantissa);  // an odd mantissa keeps products small
  mantissa >>= zeros;
  exponent += zeros;
  const int shift = exponent + decimals;  // value*10^d = N * 2^shift
  std::uint64_t n64 = 0;
  const bool small = !__builtin_mul_overflow(mantissa, kPow5[decimals], &n64);
  if (small && shift < 0 && shift > -64) {
    const int k = -shift;
    const std::uint64_t q = n64 >> k;
    const std::uint64_t rest = n64 & ((std::uint64_t{1} << k) - 1);
    const std::uint64_t half = std::uint64_t{1} << (k - 1);
    result = q + ((rest > half || (rest == half && (q & 1))) ? 1 : 0);
    return true;
  }
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

// Integer part, point and fractional part; a constant divisor per precision.
template <int Decimals>
char* write_scaled(char* out, std::uint64_t scaled) {
  constexpr std::uint64_t unit = kPow10[Decimals];
  out = write_digits(out, scaled / unit);
  if constexpr (Decimals > 0) {
    *out++ = '.';
    out = write_padded(out, scaled % unit, Decimals);
  }
  return out;
}

}  // namespace

char* format_fixed(char* out, double value, int decimals) {
  if (decimals <= kFastDecimals && std::isfinite(value)) {
    std::uint64_t scaled = 0;
    if (scaled_round(std::fabs(value), decimals, scaled)) {
      if (std::signbit(value)) *out++ = '-';
      switch (decimals) {
        case 0:
          return write_scaled<0>(out, scaled);
        case 1:
          return write_scaled<1>(out, scaled);
        case 2:
          return write_scaled<2>(out, scaled);
        case 3:
          return write_scaled<3>(out, scaled);
        case 4:
          return write_scaled<4>(out, scaled);
        case 5:
          return write_scaled<5>(out, scaled);
        default:
          return write_scaled<6>(out, scaled);
      }
    }
  }
  return to_chars_or_die(out, value, std::chars_format::fixed, decimals);
}

std::size_t fixed_length(double value, int decimals) {
  // The digits of the integer part, a point and the decimals: the rounding
  // can add a digit only within a unit of the last decimal below a power of
  // ten (where no double lies at all for the larger powers).
  constexpr double kUnits[] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6};
  const double magnitude = std::fabs(value);
  if (decimals <= kFastDecimals && magnitude < 1e15) {
    const int digits = digit_count(static_cast<std::uint64_t>(magnitude));
    if (magnitude < static_cast<double>(kPow10[digits]) - kUnits[decimals]) {
      return (std::signbit(value) ? 1u : 0u) + static_cast<std::size_t>(digits) +
             (decimals > 0 ? 1u + static_cast<std::size_t>(decimals) : 0u);
    }
  }
  char buffer[kFormatBufferSize];
  return static_cast<std::size_t>(format_fixed(buffer, value, decimals) - buffer);
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

std::string hex_colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string colour = "#";
  for (const std::uint8_t c : {red, green, blue}) {
    colour += kHex[c >> 4];
    colour += kHex[c & 0xf];
  }
  return colour;
}

}  // namespace tralva
