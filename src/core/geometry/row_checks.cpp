#include "geometry/row_checks.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/geometry_texts.h"
#include "geometry/plan_direction.h"
#include "project/arm_angles.h"
#include "project/project_texts.h"

namespace tralva {
namespace {

namespace text = geometry_text;

// Corner distances grow as 1 / sin(half the corner angle); like a miter
// limit, the factor stops here, so a run that turns back on itself, or whose
// legs point the same way, keeps its conductors at a finite distance.
constexpr double kMiterLimit = 4;

Message incomplete() { return error_message(project_text::kIncomplete); }

// The value read into `values`, or the message that a value is missing.
template <class T>
std::optional<Message> take(const std::optional<T>& value, std::vector<T>& values) {
  if (!value) return incomplete();
  values.push_back(*value);
  return std::nullopt;
}

// Into [0, pi), folding twice as cable-run directions may need.
double folded(double angle) {
  for (int pass = 0; pass < 2; ++pass) {
    if (angle < 0) {
      angle += kPi;
    } else if (angle >= kPi) {
      angle -= kPi;
    }
  }
  return angle;
}

// At a cable run's corner the conductor keeps its arm length from both legs:
// along the bisector that is arm_length / sin(half the angle between the
// legs).  A straight run (sin = 1) keeps the arm length exactly.
double corner_factor(double forward, double backward) {
  const double s = std::abs(std::sin((forward - backward) / 2));
  return s > 1 / kMiterLimit ? 1 / s : kMiterLimit;
}

std::int32_t integer_part(double value) {
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(std::trunc(value), kLow, kHigh));
}

// Hands out the values of one row in order.  A value that is missing, or not
// finite in the precision it is used in, is refused.
class RowCursor {
 public:
  explicit RowCursor(const std::vector<ProjectValue>& row) : row_(row) {}

  std::optional<ProjectValue> next() {
    if (next_ == row_.size()) return std::nullopt;
    return row_[next_++];
  }
  std::optional<double> real() {
    const auto v = next();
    if (!v || !std::isfinite(v->as_double)) return std::nullopt;
    return v->as_double;
  }
  std::optional<float> real_float() {
    const auto v = next();
    if (!v || !std::isfinite(v->as_float)) return std::nullopt;
    return v->as_float;
  }

 private:
  const std::vector<ProjectValue>& row_;
  std::size_t next_ = 0;
};

// Runs the viewer's checks over the values read, in the order in which they
// can fire.
class RowChecks {
 public:
  explicit RowChecks(const ProjectData& data) : data_(data) {}

  ConfigurationOutcome run() {
    using Step = std::optional<Message> (RowChecks::*)();
    for (const Step step : {&RowChecks::read_headers, &RowChecks::read_phases,
                            &RowChecks::read_supports, &RowChecks::check_coincident_supports,
                            &RowChecks::read_heights_and_arms, &RowChecks::read_sag_constants}) {
      if (auto message = (this->*step)()) return *std::move(message);
    }
    // Counts below 1 may need no value at all and still make no project.
    if (!data_.complete) return incomplete();
    return std::move(geometry_);
  }

 private:
  std::optional<Message> read_headers() {
    for (const LineHeader& header : data_.lines) {
      if (header.segment_length < 0) return error_message(text::kNegativeSegment);
      if (!std::isfinite(header.segment_length)) return incomplete();
      LineGeometry line;
      line.current = header.current;
      line.conductor_count = header.conductor_count;
      line.support_count = header.support_count;
      line.segment_length = header.segment_length;
      line.is_overhead = !(header.segment_length < 0.001);
      geometry_.lines.push_back(std::move(line));
    }
    return std::nullopt;
  }

  // One value of a row into its line; the message that stops the building,
  // if any.
  using ReadValue = std::optional<Message> (*)(RowCursor&, LineGeometry&, const RowSlot&);

  // Reads a row of every line in turn.  Arrays grow as values arrive, so a
  // count the file cannot back is never used to size anything.
  std::optional<Message> read_row(DataRow data_row, ReadValue read) {
    RowCursor row(data_.row(data_row));
    std::optional<Message> stop;
    for (LineGeometry& line : geometry_.lines) {
      visit_row(line, data_row, [&](const RowSlot& slot) {
        stop = read(row, line, slot);
        return !stop;
      });
      if (stop) break;
    }
    return stop;
  }

  std::optional<Message> read_phases() { return read_row(DataRow::phases, phase_value); }
  std::optional<Message> read_supports() { return read_row(DataRow::supports, support_value); }
  std::optional<Message> read_heights_and_arms() {
    if (auto message = read_row(DataRow::heights, height_or_arm)) return message;
    return read_row(DataRow::arm_lengths, height_or_arm);
  }

  static std::optional<Message> phase_value(RowCursor& row, LineGeometry& line,
                                            const RowSlot& slot) {
    const auto value = row.next();
    if (!value) return incomplete();
    if (slot.quantity == RowQuantity::phase_code) {
      line.phase_code.push_back(integer_part(value->as_double));
    } else {
      line.phase_offset.push_back(value->as_float);
    }
    return std::nullopt;
  }

  static std::optional<Message> support_value(RowCursor& row, LineGeometry& line,
                                              const RowSlot& slot) {
    switch (slot.quantity) {
      case RowQuantity::x:
        return take(row.real(), line.x);
      case RowQuantity::y:
        return take(row.real(), line.y);
      case RowQuantity::ground_level:
        return take(row.real_float(), line.ground_level);
      default:
        break;
    }
    const auto angle = row.next();
    if (!angle) return incomplete();
    // Infinite angles are out of range like any other.
    const double degrees = angle->as_double;
    if (degrees < 0 || !(degrees < 180)) return error_message(text::kArmAngleRange);
    line.arm_angle.push_back(degrees * (kPi / 180));
    return std::nullopt;
  }

  static std::optional<Message> height_or_arm(RowCursor& row, LineGeometry& line,
                                              const RowSlot& slot) {
    return take(row.real_float(),
                slot.quantity == RowQuantity::height ? line.height : line.arm_length);
  }

  std::optional<Message> check_coincident_supports() {
    for (const LineGeometry& line : geometry_.lines) {
      if (has_coincident_supports(line.x, line.y)) {
        return error_message(project_text::kCoincidentSupports);
      }
    }
    return std::nullopt;
  }

  static void set_leg_directions(LineGeometry& line) {
    const std::size_t p = line.x.size();  // the supports read, whatever the count claims
    line.forward_azimuth.assign(p, 0.0);
    line.backward_azimuth.assign(p, 0.0);
    for (std::size_t i = 0; i < p; ++i) {
      if (i + 1 < p) {
        line.forward_azimuth[i] =
            direction_angle(line.x[i + 1] - line.x[i], line.y[i + 1] - line.y[i]);
      }
      if (i > 0) {
        line.backward_azimuth[i] =
            direction_angle(line.x[i - 1] - line.x[i], line.y[i - 1] - line.y[i]);
      }
    }
  }

  // A span with a sag constant below 0.01 is a leg of a cable run: it sets
  // the cross direction at its supports.
  static void set_cable_run_direction(LineGeometry& line, int k, int s) {
    if (line.forward_azimuth.empty()) return;  // not a cable run: the line is refused anyway
    const auto i = static_cast<std::size_t>(s);
    if (s == 0) line.arm_angle[0] = line.forward_azimuth[0] + kPi / 2;
    if (s >= 1) {
      line.arm_angle[i] = (line.forward_azimuth[i] + line.backward_azimuth[i]) / 2;
      float& arm = line.arm_length[line.at_support(k, s)];
      arm = static_cast<float>(arm *
                               corner_factor(line.forward_azimuth[i], line.backward_azimuth[i]));
    }
    if (s == line.support_count - 2) line.arm_angle[i + 1] = line.backward_azimuth[i + 1] - kPi / 2;
  }

  std::optional<Message> read_sag_constants() {
    for (LineGeometry& line : geometry_.lines) {
      if (line.segment_length < 0.1) set_leg_directions(line);
    }
    RowCursor row(data_.sag_constants);
    for (std::size_t l = 0; l < geometry_.lines.size(); ++l) {
      LineGeometry& line = geometry_.lines[l];
      const double segment = line.segment_length;
      bool inconsistent = false;
      std::optional<Message> stop;
      visit_row(line, DataRow::sag_constants, [&](const RowSlot& slot) {
        const auto value = row.real_float();
        if (!value) {
          stop = incomplete();
        } else if (*value < 0) {
          stop = error_message(text::kNegativeSag);
        }
        if (stop) return false;
        const float a = *value;
        if ((a < 0.01 && segment > 0.1) || (a > 0.01 && segment < 0.1)) inconsistent = true;
        if (a < 0.01) set_cable_run_direction(line, slot.conductor, slot.place);
        const auto i = static_cast<std::size_t>(slot.place);
        line.arm_angle[i] = folded(line.arm_angle[i]);
        line.arm_angle[i + 1] = folded(line.arm_angle[i + 1]);
        line.sag_constant.push_back(a);
        return true;
      });
      if (stop) return stop;
      if (inconsistent) {
        return warning_message(text::kInconsistentStart + std::to_string(l + 1) +
                               text::kInconsistentEnd);
      }
    }
    return std::nullopt;
  }

  const ProjectData& data_;
  ConfigurationGeometry geometry_;
};

}  // namespace

ConfigurationOutcome check_rows(const ProjectData& data) { return RowChecks(data).run(); }

}  // namespace tralva
