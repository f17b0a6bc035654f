#include "command_support.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <ostream>

#include "cli_texts.h"
#include "common/decimal_conversion.h"
#include "common/field.h"
#include "common/format.h"
#include "common/number_tokenizer.h"
#include "common/precision.h"

namespace tralva::cli {
namespace {

// The whole text is one number: nothing before it, nothing after it, and no
// dangling exponent ("1e", "2e+"), which the scan passes over.
bool is_whole_number(std::string_view text) {
  const ScannedText scanned = scan_double_text(text);
  return scanned.ends_with_number() && scanned.consumed == text.size();
}

std::string not_a_number(std::string_view text) {
  std::string why = cli_text::quoted(text) + std::string(cli_text::kNotANumber);
  // The usual slip of an Italian keyboard.
  std::string with_point(text);
  if (const auto comma = with_point.find(','); comma != std::string::npos) {
    with_point[comma] = '.';
    if (is_whole_number(with_point)) why += cli_text::kDecimalPoint;
  }
  return why + ".";
}

template <class T>
std::string out_of_range(std::string_view text) {
  const auto shown = [](T bound) {
    if constexpr (std::numeric_limits<T>::is_integer) {
      return int_text(bound);
    } else {
      return general_text(bound);
    }
  };
  return cli_text::quoted(text) + std::string(cli_text::kOutOfRange) +
         shown(std::numeric_limits<T>::lowest()) + std::string(cli_text::kRangeTo) +
         shown(std::numeric_limits<T>::max()) + ".";
}

template <class T>
std::optional<std::string> read_real(std::string_view text, T& value) {
  const ScannedText scanned = scan_double_text(text);
  if (!scanned.ends_with_number() || scanned.consumed != text.size()) return not_a_number(text);
  T read = 0;
  if constexpr (std::is_same_v<T, float>) {
    read = float_from_text(text);
  } else {
    read = *scanned.value;
  }
  if (!std::isfinite(read)) {
    return out_of_range<T>(text);
  }
  value = read;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> read_number(std::string_view text, double& value) {
  return read_real(text, value);
}

std::optional<std::string> read_number(std::string_view text, float& value) {
  return read_real(text, value);
}

std::optional<std::string> read_number(std::string_view text, std::int32_t& value) {
  const std::size_t digits = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
  if (digits == text.size() || text.find_first_not_of("0123456789", digits) != text.npos) {
    return cli_text::quoted(text) + std::string(cli_text::kNotAnInteger);
  }
  const auto read = parse_field_int(text);
  if (!read) {
    return out_of_range<std::int32_t>(text);
  }
  value = *read;
  return std::nullopt;
}

const Arguments* Numbers::values_of(std::string_view name, std::size_t count) const {
  assert(parsed_ != nullptr);
  const auto given = parsed_->options.find(name);
  if (given == parsed_->options.end()) return nullptr;
  assert(given->second.size() == count);
  (void)count;
  return &given->second;
}

std::string Numbers::not_above(std::string_view text, double bound, bool inclusive) {
  return cli_text::quoted(text) +
         std::string(inclusive ? cli_text::kNotAtLeast : cli_text::kNotAbove) +
         general_text(bound) + ".";
}

std::optional<WorkPart> part_of(const std::string& text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) return std::nullopt;
  const auto whole = [](std::string_view digits) -> std::optional<std::int32_t> {
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
      return std::nullopt;
    }
    return parse_field_int(digits);
  };
  const std::string_view view(text);
  const auto k = whole(view.substr(0, slash));
  const auto n = whole(view.substr(slash + 1));
  if (!k || !n || *k < 1 || *k > *n) return std::nullopt;
  return WorkPart{*k, *n};
}

int Numbers::report_failure(Io& io) const { return usage_error(io, failure_.value_or("")); }

Numbers& Numbers::precision(std::string& precision) {
  const Arguments* given = values_of(cli_text::kPrecision.name, 1);
  if (failure_ || given == nullptr) return *this;
  const std::string& choice = given->front();
  if (std::find(std::begin(kPrecisionTexts), std::end(kPrecisionTexts), choice) ==
      std::end(kPrecisionTexts)) {
    failure_ = std::string(cli_text::kPrecision.name) + ": " + cli_text::quoted(choice) +
               std::string(cli_text::kNotAPrecision);
    return *this;
  }
  precision = choice;
  return *this;
}

Numbers& Numbers::part(WorkPart& part) {
  const Arguments* given = values_of(cli_text::kPartOption, 1);
  if (failure_ || given == nullptr) return *this;
  if (const auto read = part_of(given->front())) {
    part = *read;
    return *this;
  }
  failure_ = std::string(cli_text::kPartOption) + ": " + cli_text::quoted(given->front()) +
             std::string(cli_text::kNotAPart);
  return *this;
}

}  // namespace tralva::cli
