#pragma once
// The form fields' number rule: skip leading white space, read the longest
// decimal number (point as separator, optional sign and exponent) and ignore
// the rest; no number at all, an empty field included, is "no number".
// Shown values use "%.*g" with 15 digits for doubles and 6 for floats.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tralva {

inline constexpr int kDoubleDigits = 15;
inline constexpr int kFloatDigits = 6;

// The prompts when a field holds no number: the only English texts shown.
inline constexpr char kNumberPrompt[] = "Please enter a number.";
inline constexpr char kIntegerPrompt[] = "Please enter an integer.";

// A number beyond the range of the field's type ("1e400", or "1e39" for a
// float) is no number either: as infinity it would reach the files as "inf".
std::optional<double> parse_field_double(std::string_view text);
std::optional<float> parse_field_float(std::string_view text);
// The number a field's text starts with, whatever its size (infinity beyond
// the double range); nullopt when there is none.  Tells a number too large
// from no number at all.
std::optional<double> leading_number(std::string_view text);
// Optional sign and decimal digits; a value outside the int32 range is no number.
std::optional<std::int32_t> parse_field_int(std::string_view text);

std::string show_double(double value);  // "%.15g"
std::string show_float(float value);    // "%.6g"
std::string show_int(std::int32_t value);

// The kinds of number field, for what is said about their reading.
enum class FieldKind { real64, real32, int32 };

// When a field's text is more than the number read from it ("12,5" read as
// 12, "30x" as 30, "1 000" as 1), what the user is told without a box:
// "Letto come 12: il separatore decimale è il punto."  nullopt when the text
// is wholly the number (white space around it aside) or holds none (the
// prompt speaks then).
std::optional<std::string> field_reading_note(std::string_view text, FieldKind kind);

}  // namespace tralva
