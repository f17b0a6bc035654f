#pragma once
// Number formatting that is byte for byte what the C library prints in the
// "C" locale, whatever the process locale: the files are exchanged with other
// programs and must never read "0,5".
//
// The char* functions write into a buffer of at least kFormatBufferSize bytes,
// return the end of what they wrote, do not terminate it, never allocate and
// never throw.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tralva {

// Large enough for "%.6f" of the largest double (309 integer digits).
inline constexpr int kFormatBufferSize = 400;

// "%.<decimals>f" (also "%.<decimals>lf"), decimals 0 to 17.
char* format_fixed(char* out, double value, int decimals);

// The length of what format_fixed writes, without writing it: the size of
// an output is known before it is written.
std::size_t fixed_length(double value, int decimals);

// "%.<precision>g", precision 1 to 17.  "%g" is precision 6.
char* format_general(char* out, double value, int precision = 6);

// "%i" / "%d".
char* format_int(char* out, std::int64_t value);

std::string fixed_text(double value, int decimals);
std::string general_text(double value, int precision = 6);
std::string int_text(std::int64_t value);

// "#rrggbb", as SVG and the web write a colour.
std::string hex_colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace tralva
