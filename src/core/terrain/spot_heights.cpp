#include "terrain/spot_heights.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

#include "common/decimal_conversion.h"
#include "common/number_tokenizer.h"
#include "common/text_lines.h"
#include "terrain/terrain_texts.h"

namespace tralva {
namespace {

namespace text = terrain_text;

// A line read from left to right.
class Cursor {
 public:
  explicit Cursor(std::string_view line) : line_(line) {}

  // Skips white space; true when some was skipped.
  bool skip_space() {
    const std::size_t from = at_;
    while (at_ < line_.size() && is_scan_space(static_cast<unsigned char>(line_[at_]))) ++at_;
    return at_ > from;
  }
  bool at_end() const { return at_ == line_.size(); }
  bool take(char c) {
    if (at_end() || line_[at_] != c) return false;
    ++at_;
    return true;
  }
  // A finite number with nothing dangling after it: "1e" and "2e+" are no
  // numbers here, though the scan passes over their dangling exponent.
  std::optional<double> number() {
    const ScannedText scanned = scan_double_text(line_.substr(at_));
    if (!scanned.ends_with_number()) return std::nullopt;
    at_ += scanned.consumed;
    if (!std::isfinite(*scanned.value)) return std::nullopt;
    return scanned.value;
  }

 private:
  std::string_view line_;
  std::size_t at_ = 0;
};

// Exactly three numbers, each after the first behind white space, a comma
// or a semicolon; white space around them.
SpotLine three_numbers(std::string_view line, SpotHeight& point) {
  Cursor cursor(line);
  cursor.skip_space();
  if (cursor.at_end()) return SpotLine::blank;
  double values[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      const bool spaced = cursor.skip_space();
      if (cursor.take(',') || cursor.take(';')) {
        cursor.skip_space();
      } else if (!spaced) {
        return SpotLine::invalid;
      }
    }
    const auto value = cursor.number();
    if (!value) return SpotLine::invalid;
    values[i] = *value;
  }
  cursor.skip_space();
  if (!cursor.at_end()) return SpotLine::invalid;
  point = {values[0], values[1], values[2]};
  return SpotLine::point;
}

// The line with every comma between two digits made a point.
std::string with_decimal_points(std::string_view line) {
  std::string fixed(line);
  for (std::size_t i = 1; i + 1 < fixed.size(); ++i) {
    if (fixed[i] == ',' && is_digit(fixed[i - 1]) && is_digit(fixed[i + 1])) fixed[i] = '.';
  }
  return fixed;
}

// Whether a line starts with a number: a header does not.
bool starts_with_number(std::string_view line) {
  Cursor cursor(line);
  cursor.skip_space();
  return cursor.number().has_value();
}

Message bad_line(std::int64_t number, const char* ending) {
  return error_message(text::kBadSpotLine + std::to_string(number) + ending);
}

}  // namespace

SpotLine read_spot_line(std::string_view line, SpotHeight& point) {
  const SpotLine read = three_numbers(line, point);
  if (read != SpotLine::invalid) return read;
  // Plainly a decimal comma: with its commas made points, the line reads.
  const std::string fixed = with_decimal_points(line);
  SpotHeight ignored;
  if (fixed != line && three_numbers(fixed, ignored) == SpotLine::point) {
    return SpotLine::decimal_comma;
  }
  return SpotLine::invalid;
}

SpotHeightsOutcome read_spot_heights(ByteStream& in) {
  TextLines lines(in, kLongestSpotLine);
  std::vector<SpotHeight> points;
  bool first = true;
  try {
    while (const auto line = lines.next()) {
      if (lines.too_long()) return bad_line(lines.number(), text::kLongSpotLineEnd);
      std::string_view content = *line;
      if (first && lines.number() == 1 && content.starts_with("\xEF\xBB\xBF")) {
        content.remove_prefix(3);
      }
      SpotHeight point;
      const SpotLine read = read_spot_line(content, point);
      if (read == SpotLine::blank) continue;
      if (first) {
        first = false;
        if (!starts_with_number(content)) continue;  // the header
      }
      if (read == SpotLine::decimal_comma) return bad_line(lines.number(), text::kDecimalCommaEnd);
      if (read == SpotLine::invalid) return bad_line(lines.number(), text::kBadSpotLineEnd);
      if (points.size() == kMostSpotHeights) return error_message(text::kTooManySpotHeights);
      points.push_back(point);
    }
    if (in.read_error()) return error_message(text::kCannotReadSpotHeights);
    if (points.empty()) return error_message(text::kNoSpotHeights);
    std::sort(points.begin(), points.end());
    points.shrink_to_fit();
  } catch (const std::bad_alloc&) {
    return error_message(text::kTooManySpotHeights);
  }
  return points;
}

SpotHeightsOutcome read_spot_heights(const std::string& path) {
  ByteStream in;
  if (!in.open(path)) return error_message(text::kCannotOpenSpotHeights, in.cause());
  return read_spot_heights(in);
}

}  // namespace tralva
