#include "common/field.h"

#include <cmath>

#include "common/format.h"
#include "common/scan.h"

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

std::string show_double(double value) { return general_text(value, kDoubleDigits); }
std::string show_float(float value) { return general_text(value, kFloatDigits); }
std::string show_int(std::int32_t value) { return int_text(value); }

}  // namespace tralva
