#include "geometry/catenary.h"

#include <algorithm>
#include <cmath>

#include "common/vector_state.h"
#include "geometry/plan_direction.h"

namespace tralva {
namespace {

constexpr double kStraightPieces = 1'000'000;
constexpr float kTopLevelStart = -10'000'000;

void place_suspension_points(ConfigurationGeometry& geometry) {
  for (LineGeometry& line : geometry.lines) {
    line.top_level.assign(static_cast<std::size_t>(line.support_count), kTopLevelStart);
    for (int k = 0; k < line.conductor_count; ++k) {
      for (int p = 0; p < line.support_count; ++p) {
        const std::size_t at = line.at_support(k, p);
        const auto i = static_cast<std::size_t>(p);
        const double arm = line.arm_length[at];
        const SuspensionPoint point{line.x[i] + arm * std::cos(line.arm_angle[i]),
                                    line.y[i] + arm * std::sin(line.arm_angle[i]),
                                    line.ground_level[i] + line.height[at]};
        line.suspension_points.push_back(point);
        line.top_level[i] = std::max(line.top_level[i], point.z);
      }
    }
  }
}

SpanCurve span_constants(const SuspensionPoint& p, const SuspensionPoint& q, double a) {
  SpanCurve span;
  const double dx = q.x - p.x;
  const double dy = q.y - p.y;
  const double length = std::sqrt(dx * dx + dy * dy);
  span.span_length = length;
  span.span_azimuth = direction_angle(dx, dy);
  if (a < 1) return span;
  const double d = (double{q.z} - p.z) / a;
  const double e = std::exp(length / a);
  const double x0 =
      -a * std::log((std::sqrt((e - 1) * (e - 1) * std::exp(-length / a) + d * d) + d) / (e - 1));
  const double c0 = p.z - a * std::cosh(-x0 / a);
  // Length 0, or constants too large for a double: no curve to draw.
  if (std::isfinite(x0) && std::isfinite(c0)) {
    span.vertex_offset = x0;
    span.curve_offset = c0;
  }
  return span;
}

std::vector<Point3> samples(const SuspensionPoint& p, const SuspensionPoint& q,
                            const SpanCurve& span, double a, double segment, std::int64_t limit) {
  const Point3 first{p.x, p.y, p.z};
  const Point3 last{q.x, q.y, q.z};
  std::vector<Point3> points;
  if (!(a > 10)) {
    points = {first, last};
  } else if (span.vertex_offset && span.curve_offset && std::isfinite(span.span_length)) {
    const double length = span.span_length;
    const double x0 = *span.vertex_offset;
    const double c0 = *span.curve_offset;
    double step = segment;
    if (!(length / step <= static_cast<double>(limit))) step = length / static_cast<double>(limit);
    const auto pieces = static_cast<std::int64_t>(length / step);
    const double cos_azimuth = std::cos(span.span_azimuth);
    const double sin_azimuth = std::sin(span.span_azimuth);
    points.reserve(static_cast<std::size_t>(pieces) + 2);
    for (std::int64_t i = 0; i <= pieces; ++i) {
      const double t = static_cast<double>(i) * step;
      points.push_back(
          {p.x + cos_azimuth * t, p.y + sin_azimuth * t, a * std::cosh((t - x0) / a) + c0});
    }
    if (length != static_cast<double>(pieces) * step) points.push_back(last);
  }
  const bool finite = std::all_of(points.begin(), points.end(), [](const Point3& point) {
    return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
  });
  if (!finite) points.clear();
  return points;
}

// Every span's length, direction and catenary first: one span drawn
// straight makes the whole line straight, so the sampling comes after.
void shape_spans(ConfigurationGeometry& geometry) {
  release_vector_registers();  // hundreds of thousands of samples follow
  std::int64_t span_total = 0;
  for (const LineGeometry& line : geometry.lines) {
    span_total += line.values_in(DataRow::sag_constants);
  }
  const std::int64_t limit =
      std::clamp(kMaxSamplesPerProject / std::max<std::int64_t>(span_total, 1), std::int64_t{1},
                 kMaxSamplesPerSpan);
  for (LineGeometry& line : geometry.lines) {
    for (int k = 0; k < line.conductor_count; ++k) {
      for (int s = 0; s + 1 < line.support_count; ++s) {
        const float a = line.sag_constant[line.at_span(k, s)];
        line.spans.push_back(span_constants(line.suspension_points[line.at_support(k, s)],
                                            line.suspension_points[line.at_support(k, s + 1)], a));
        if (a < 1) line.segment_length = kStraightPieces;
      }
    }
  }
  for (LineGeometry& line : geometry.lines) {
    for (int k = 0; k < line.conductor_count; ++k) {
      for (int s = 0; s + 1 < line.support_count; ++s) {
        SpanCurve& span = line.spans[line.at_span(k, s)];
        span.samples = samples(line.suspension_points[line.at_support(k, s)],
                               line.suspension_points[line.at_support(k, s + 1)], span,
                               line.sag_constant[line.at_span(k, s)], line.segment_length, limit);
      }
    }
  }
}

}  // namespace

void hang_conductors(ConfigurationGeometry& geometry) {
  place_suspension_points(geometry);
  shape_spans(geometry);
}

}  // namespace tralva
