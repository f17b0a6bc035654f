#pragma once
// The value of a decimal number's text, exactly as the C library's strtof
// and strtod give it in the "C" locale, whatever the process locale.  The
// text is a whole number as the number tokenizer delimits it: an optional
// sign, digits with an optional point (one digit at least), an optional
// complete exponent; nothing before or after.  No exception.

#include <string_view>

namespace tralva {

// A decimal digit, of a character or of a byte read as int.
constexpr bool is_digit(int c) { return c >= '0' && c <= '9'; }

float float_from_text(std::string_view text);
double double_from_text(std::string_view text);

}  // namespace tralva
