#include "map/lattice.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "common/format.h"
#include "common/gis_texts.h"
#include "common/number_tokenizer.h"
#include "common/text_lines.h"
#include "map/map_texts.h"

namespace tralva {
namespace {

namespace text = map_text;

// No line of a result is anywhere near this long.
constexpr std::size_t kLongestLine = 1 << 12;

// A coordinate as printed: its value and half a unit of its last decimal.
struct Printed {
  double value = 0;
  double half_unit = 0;
};

// The points as read, coordinates relative to the first point, so that the
// predictions keep their precision far from the origin of a national grid.
struct Points {
  PlanPoint first;
  std::vector<double> x, y;
  std::vector<float> half_x, half_y;
  std::vector<double> b;

  std::size_t size() const { return b.size(); }
};

// Half a unit of the last decimal of a number's text: "12.35" 0.005, "12"
// 0.5, "1.5e3" 50.
double half_unit(std::string_view number) {
  int decimals = 0;
  int exponent = 0;
  const std::size_t e = number.find_first_of("eE");
  const std::size_t point = number.find('.');
  if (point != std::string_view::npos) {
    decimals = static_cast<int>(std::min(e, number.size()) - point - 1);
  }
  if (e != std::string_view::npos) {
    const ScannedText scanned = scan_double_text(number.substr(e + 1));
    exponent = static_cast<int>(std::clamp(scanned.value.value_or(0.0), -400.0, 400.0));
  }
  return 0.5 * std::pow(10.0, exponent - decimals);
}

constexpr std::string_view kSpace = " \t\r\v\f";

// The next number of a line and what follows it: white space or the end.
// Only the coordinates need their half unit.
std::optional<Printed> next_number(std::string_view& line, bool coordinate) {
  const std::size_t start = line.find_first_not_of(kSpace);
  if (start == std::string_view::npos) return std::nullopt;
  line.remove_prefix(start);
  const std::size_t end = std::min(line.find_first_of(kSpace), line.size());
  const std::string_view number = line.substr(0, end);
  line.remove_prefix(end);
  const ScannedText scanned = scan_double_text(number);
  if (!scanned.value || scanned.consumed != number.size() || !std::isfinite(*scanned.value)) {
    return std::nullopt;
  }
  return Printed{*scanned.value, coordinate ? half_unit(number) : 0.0};
}

std::string point_text(double x, double y) {
  return "X " + general_text(x, 15) + ", Y " + general_text(y, 15);
}

// Records are lines 2 onwards.
std::string line_of(std::size_t record) { return int_text(static_cast<std::int64_t>(record) + 2); }

Message at_point(const Points& p, std::size_t k, std::string_view ending) {
  return error_message(std::string(text::kThePoint) + line_of(k) + " (" +
                       point_text(p.first.x + p.x[k], p.first.y + p.y[k]) + ")" +
                       std::string(ending));
}

std::variant<Points, Message> read_points(ByteStream& in) {
  TextLines lines(in, kLongestLine);
  const auto header = lines.next();
  if (!header) {
    return error_message(in.read_error() ? text::kCannotReadResult : text::kNotAResult);
  }
  std::string_view title = *header;
  while (!title.empty() && is_scan_space(static_cast<unsigned char>(title.back()))) {
    title.remove_suffix(1);
  }
  if (lines.too_long() || title != gis_text::kResultHeader) return error_message(text::kNotAResult);

  Points points;
  std::int64_t blank_line = 0;  // blank lines may only end the file
  for (;;) {
    auto line = lines.next();
    if (!line) break;
    const auto bad_line = [&](std::int64_t number) {
      return error_message(text::kBadRecord + int_text(number) + text::kBadRecordEnd);
    };
    std::string_view rest = lines.too_long() ? std::string_view("?") : *line;
    if (rest.find_first_not_of(kSpace) == std::string_view::npos) {
      if (blank_line == 0) blank_line = lines.number();
      continue;
    }
    if (blank_line != 0) return bad_line(blank_line);
    Printed values[4];
    for (int k = 0; k < 4; ++k) {
      const auto number = next_number(rest, k < 2);
      if (!number) return bad_line(lines.number());
      values[k] = *number;
    }
    if (values[3].value < 0 || rest.find_first_not_of(kSpace) != std::string_view::npos) {
      return bad_line(lines.number());
    }
    if (static_cast<std::int64_t>(points.size()) == kMaxLatticePoints) {
      return error_message(text::kTooManyPoints);
    }
    if (points.size() == 0) points.first = {values[0].value, values[1].value};
    points.x.push_back(values[0].value - points.first.x);
    points.y.push_back(values[1].value - points.first.y);
    points.half_x.push_back(static_cast<float>(values[0].half_unit));
    points.half_y.push_back(static_cast<float>(values[1].half_unit));
    points.b.push_back(values[3].value);
  }
  if (in.read_error()) return error_message(text::kCannotReadResult);
  return points;
}

// A little room for the arithmetic of the predictions.
double slack(double value) { return 1e-9 * (std::fabs(value) + 1); }

// The length of the first row.  Every grid that `campo` writes has its
// rows across its first axis, so a row ends where the points stop
// advancing along the line of the row: the next row starts back near the
// first point.  A point that advances but strays is named by the check of
// the whole lattice.
std::variant<std::size_t, Message> first_row_length(const Points& p) {
  if (p.x[1] == 0 && p.y[1] == 0) return at_point(p, 1, text::kRepeatedPointEnd);
  for (std::size_t k = 2; k < p.size(); ++k) {
    // Along the line from the first point to the last of the row so far.
    const double length = std::hypot(p.x[k - 1], p.y[k - 1]);
    const double step = length / static_cast<double>(k - 1);
    const double along = (p.x[k] * p.x[k - 1] + p.y[k] * p.y[k - 1]) / length;
    if (!(along > length + step / 2)) return k;
  }
  return error_message(text::kSingleRow);
}

// A step that the division left a hair away from a number of `half_unit`'s
// decimals takes that number: steps of 0.25 stay 0.25, and a step along an
// axis has no stray 1e-17 across it.
double snapped(double value, double half_unit) {
  const double unit = 2 * half_unit;
  const double units = std::nearbyint(value / unit);
  const double decimals = std::nearbyint(-std::log10(unit));
  const double rounded = decimals > 0 ? units / std::pow(10.0, decimals) : units * unit;
  return std::fabs(value - rounded) <= 1e-6 * unit ? rounded : value;
}

// Where the points before point k put it: the first point, the first row's
// last point and the first point of a later row fix the two steps.  The
// window is what the printed decimals of those three points, and of point k
// itself, leave unknown: a file rounded from a true lattice always fits.
struct Prediction {
  PlanPoint at;
  double window_x = 0;
  double window_y = 0;
};

Prediction predict(const Points& p, std::size_t inner_count, std::size_t row_end,
                   std::size_t row_start, double j_of_row_start, double i, double j,
                   std::size_t k) {
  const double u = i / static_cast<double>(inner_count - 1);
  const double v = j / j_of_row_start;
  const auto window = [&](const std::vector<float>& half) {
    return half[k] + half[0] * std::fabs(1 - u - v) + half[row_end] * u + half[row_start] * v;
  };
  return {{u * p.x[row_end] + v * p.x[row_start], u * p.y[row_end] + v * p.y[row_start]},
          window(p.half_x),
          window(p.half_y)};
}

}  // namespace

double Lattice::cell_area() const { return std::fabs(inner.x * outer.y - inner.y * outer.x); }

LatticeOutcome read_lattice_field(const std::string& path) {
  ByteStream in;
  if (!in.open(path)) return error_message(text::kCannotOpenResult, in.cause());
  return read_lattice_field(in);
}

LatticeOutcome read_lattice_field(ByteStream& in) {
  auto read = read_points(in);
  if (auto* failure = std::get_if<Message>(&read)) return *failure;
  const Points& p = std::get<Points>(read);
  const std::size_t n = p.size();
  if (n < 4) {
    return error_message(text::kTooFewPoints + int_text(static_cast<std::int64_t>(n)) +
                         text::kTooFewPointsEnd);
  }
  auto row = first_row_length(p);
  if (auto* failure = std::get_if<Message>(&row)) return *failure;
  const std::size_t inner_count = std::get<std::size_t>(row);
  const std::size_t row_end = inner_count - 1;
  const auto incomplete = [&](std::size_t last_row) {
    return error_message(text::kIncompleteRow + int_text(static_cast<std::int64_t>(last_row)) +
                         text::kIncompleteRowMiddle +
                         int_text(static_cast<std::int64_t>(inner_count)) + ".");
  };
  // The first point of the second row must leave the line of the first.
  {
    const double length = std::hypot(p.x[row_end], p.y[row_end]);
    const double off_line =
        std::fabs(p.x[row_end] * p.y[inner_count] - p.y[row_end] * p.x[inner_count]) / length;
    const double tolerance =
        std::max({p.half_x[inner_count], p.half_y[inner_count], p.half_x[0], p.half_y[0]});
    if (off_line <= tolerance + slack(length)) return at_point(p, inner_count, text::kRowOnLineEnd);
  }
  // Each point where the points before it put it, in the file's order.
  for (std::size_t k = 1; k < n; ++k) {
    const std::size_t i = k % inner_count;
    const std::size_t j = k / inner_count;
    if (j == 1 && i == 0) continue;  // it fixes the second step
    // A row's first point is put by the first point of the row before.
    const std::size_t row_start = j == 0 ? 0 : (i > 0 ? j : j - 1) * inner_count;
    const double j_of_row_start = j == 0 ? 1 : static_cast<double>(i > 0 ? j : j - 1);
    const Prediction expected = predict(p, inner_count, row_end, row_start, j_of_row_start,
                                        static_cast<double>(i), static_cast<double>(j), k);
    if (std::fabs(p.x[k] - expected.at.x) > expected.window_x + slack(expected.at.x) ||
        std::fabs(p.y[k] - expected.at.y) > expected.window_y + slack(expected.at.y)) {
      return at_point(p, k,
                      text::kOffLatticeEnd +
                          point_text(p.first.x + expected.at.x, p.first.y + expected.at.y) + ".");
    }
  }
  const std::size_t outer_count = n / inner_count;
  if (n % inner_count != 0) return incomplete(n % inner_count);

  // The steps over the whole lattice, free of the arithmetic's last bits.
  const std::size_t last_row = (outer_count - 1) * inner_count;
  const double widest_x = *std::max_element(p.half_x.begin(), p.half_x.end());
  const double widest_y = *std::max_element(p.half_y.begin(), p.half_y.end());
  const double along = static_cast<double>(inner_count - 1);
  const double across = static_cast<double>(outer_count - 1);
  Lattice lattice;
  lattice.origin = p.first;
  lattice.inner = {snapped(p.x[row_end] / along, widest_x),
                   snapped(p.y[row_end] / along, widest_y)};
  lattice.outer = {snapped(p.x[last_row] / across, widest_x),
                   snapped(p.y[last_row] / across, widest_y)};
  lattice.inner_count = static_cast<std::int64_t>(inner_count);
  lattice.outer_count = static_cast<std::int64_t>(outer_count);
  const auto top = static_cast<std::size_t>(std::max_element(p.b.begin(), p.b.end()) - p.b.begin());
  const PlanPoint top_point{p.first.x + p.x[top], p.first.y + p.y[top]};
  return LatticeField{lattice, std::move(std::get<Points>(read).b), static_cast<std::int64_t>(top),
                      top_point};
}

std::int64_t RasterView::point(std::int64_t column, std::int64_t row) const {
  std::int64_t along_column = column_reversed ? columns - 1 - column : column;
  std::int64_t along_row = row_reversed ? rows - 1 - row : row;
  if (!column_is_inner) std::swap(along_column, along_row);
  return along_row * inner_count + along_column;
}

RasterView raster_view(const Lattice& lattice) {
  RasterView view;
  view.inner_count = lattice.inner_count;
  view.outer_count = lattice.outer_count;
  // Columns go along the step that leans more towards X.
  const auto leaning = [](PlanPoint v) { return std::fabs(v.x) / std::hypot(v.x, v.y); };
  view.column_is_inner = leaning(lattice.inner) >= leaning(lattice.outer);
  PlanPoint column_step = view.column_is_inner ? lattice.inner : lattice.outer;
  PlanPoint row_step = view.column_is_inner ? lattice.outer : lattice.inner;
  view.columns = view.column_is_inner ? lattice.inner_count : lattice.outer_count;
  view.rows = view.column_is_inner ? lattice.outer_count : lattice.inner_count;
  view.column_reversed = column_step.x < 0;
  if (view.column_reversed) column_step = {-column_step.x, -column_step.y};
  // The orientation of a north-up image: rows run south as columns run east.
  view.row_reversed = column_step.x * row_step.y - column_step.y * row_step.x > 0;
  if (view.row_reversed) row_step = {-row_step.x, -row_step.y};
  double i = view.column_reversed ? static_cast<double>(view.columns - 1) : 0;
  double j = view.row_reversed ? static_cast<double>(view.rows - 1) : 0;
  if (!view.column_is_inner) std::swap(i, j);
  const PlanPoint first = lattice.at(i, j);
  view.transform[0] = first.x - 0.5 * column_step.x - 0.5 * row_step.x;
  view.transform[1] = column_step.x;
  view.transform[2] = row_step.x;
  view.transform[3] = first.y - 0.5 * column_step.y - 0.5 * row_step.y;
  view.transform[4] = column_step.y;
  view.transform[5] = row_step.y;
  return view;
}

}  // namespace tralva
