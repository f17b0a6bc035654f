#pragma once
// The conductor geometry of a project, as the configuration view draws it:
// every conductor's suspension point at every support, the curve of every
// conductor in every span as a polyline, and every support's ground and top
// levels.  Built from the project file with the viewer's own checks.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/byte_stream.h"
#include "common/message.h"
#include "project/project_rows.h"

namespace tralva {

struct SuspensionPoint {
  double x = 0;
  double y = 0;
  float z = 0;
};

struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

struct SpanCurve {
  double span_length = 0;   // in plan
  double span_azimuth = 0;  // direction angle in plan, radians in [0, 2pi)
  // The catenary's lowest point along the span and its height offset; only
  // for sag constants of 1 or more, and only when finite.
  std::optional<double> vertex_offset;
  std::optional<double> curve_offset;
  // The polyline from the first suspension point to the second; empty when
  // the span cannot be drawn (length 0 under a catenary).  Every sample is finite.
  std::vector<Point3> samples;
};

// One line of the project; arrays over conductors and supports (or spans) are
// conductor-major.
struct LineGeometry : LineCounts {
  float current = 0;
  float segment_length = 0;  // 1 000 000 when a span is drawn as one straight piece
  bool is_overhead = false;

  // Per conductor.
  std::vector<std::int32_t> phase_code;
  std::vector<float> phase_offset;  // degrees; the view does not use it, the field does
  // Per support.
  std::vector<double> x;
  std::vector<double> y;
  std::vector<float> ground_level;
  std::vector<double> arm_angle;  // radians in [0, pi); computed for cable runs
  std::vector<float> top_level;
  // Cable runs only, indexed by support: the direction of the leg to the next
  // support (0 at the last) and to the previous one (0 at the first).
  std::vector<double> forward_azimuth;
  std::vector<double> backward_azimuth;
  // Per conductor and support.
  std::vector<float> height;
  std::vector<float> arm_length;  // at a cable run's corners, the distance along the bisector
  std::vector<SuspensionPoint> suspension_points;
  // Per conductor and span.
  std::vector<float> sag_constant;
  std::vector<SpanCurve> spans;
};

struct ConfigurationGeometry {
  std::vector<LineGeometry> lines;
};

// Either the geometry or the message that stopped the building (an error or
// a warning), exactly as the user sees it.
using ConfigurationOutcome = std::variant<ConfigurationGeometry, Message>;

// Reads and checks the project file at `path` and builds its geometry.  The
// file is closed again before it returns.  Memory and time stay bounded
// whatever the file holds.
ConfigurationOutcome build_configuration(const std::string& path);
ConfigurationOutcome build_configuration(ByteStream& in);

// The most samples one span gets; a longer span takes longer steps.  The
// whole project also shares a budget, so many long spans take longer steps
// still.
inline constexpr std::int64_t kMaxSamplesPerSpan = 100'000;
inline constexpr std::int64_t kMaxSamplesPerProject = 8'000'000;

}  // namespace tralva
