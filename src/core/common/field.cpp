#include "common/field.h"

#include <cmath>

#include "common/decimal_conversion.h"
#include "common/format.h"
#include "common/number_tokenizer.h"

namespace tralva {
namespace {

std::string_view skip_leading_space(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_scan_space(static_cast<unsigned char>(text[i]))) ++i;
  return text.substr(i);
}

}  // namespace

std::optional<double> leading_number(std::string_view text) {
  return scan_double_text(skip_leading_space(text)).value;
}

std::optional<double> parse_field_double(std::string_view text) {
  const auto value = leading_number(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<float> parse_field_float(std::string_view text) {
  // The first magnitude that rounds to a float infinity: halfway past the
  // largest float, whose odd last digit makes the tie round up.
  constexpr double kFloatOverflow = 0x1.ffffffp127;
  const auto value = leading_number(text);
  if (!value || !(std::fabs(*value) < kFloatOverflow)) return std::nullopt;
  return static_cast<float>(*value);
}

std::optional<std::int32_t> parse_field_int(std::string_view text) {
  text = skip_leading_space(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > (std::int64_t{1} << 31)) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

namespace {

// How far the number at the start of `text` (white space skipped) reaches.
std::size_t number_end(std::string_view text, FieldKind kind) {
  std::size_t i = 0;
  while (i < text.size() && is_scan_space(static_cast<unsigned char>(text[i]))) ++i;
  if (kind != FieldKind::int32) {
    return i + scan_double_text(text.substr(i)).length;
  }
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  return i;
}

}  // namespace

std::optional<std::string> field_reading_note(std::string_view text, FieldKind kind) {
  std::string shown;
  switch (kind) {
    case FieldKind::real64: {
      const auto value = parse_field_double(text);
      if (!value) return std::nullopt;
      shown = show_double(*value);
      break;
    }
    case FieldKind::real32: {
      const auto value = parse_field_float(text);
      if (!value) return std::nullopt;
      shown = show_float(*value);
      break;
    }
    case FieldKind::int32: {
      const auto value = parse_field_int(text);
      if (!value) return std::nullopt;
      shown = show_int(*value);
      break;
    }
  }
  const std::string_view rest = text.substr(number_end(text, kind));
  std::size_t after = 0;
  while (after < rest.size() && is_scan_space(static_cast<unsigned char>(rest[after]))) ++after;
  if (after == rest.size()) return std::nullopt;
  // The usual slips first: the decimal comma, digits grouped with a space, a
  // fraction in a field of whole numbers.
  const bool digit_follows = after + 1 < rest.size() && is_digit(rest[after + 1]);
  const char* why = "il testo dopo il numero è ignorato.";
  if (rest[0] == ',' && digit_follows) {
    why = "il separatore decimale è il punto.";
  } else if (after > 0 && is_digit(rest[after])) {
    why = "lo spazio chiude il numero.";
  } else if (kind == FieldKind::int32 && rest[0] == '.') {
    why = "il campo accetta solo numeri interi.";
  }
  return "Letto come " + shown + ": " + why;
}

std::string show_double(double value) { return general_text(value, kDoubleDigits); }
std::string show_float(float value) { return general_text(value, kFloatDigits); }
std::string show_int(std::int32_t value) { return int_text(value); }

}  // namespace tralva
