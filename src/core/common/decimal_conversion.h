#pragma once
// The value of a decimal number's text, exactly as the C library's strtof
// and strtod give it in the "C" locale, whatever the process locale.  The
// text is a whole number as the number tokenizer delimits it: an optional
// sign, digits with an optional point (one digit at least), an optional
// complete exponent; nothing before or after.  No exception.

#include <string_view>

namespace tralva {

float float_from_text(std::string_view text);
double double_from_text(std::string_view text);

}  // namespace tralva
