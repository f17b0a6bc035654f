#pragma once
// The magnetic field of a project's lines over a plane grid or the points of
// a file, written as a GIS result file: the header "X\tY\tZ\tB [uT]", then
// one line per point, X, Y and Z with the decimals of the precision choice
// and B in microtesla with four, every line ending with CR LF.  The result
// conversion reads it as it stands.  Over a terrain the field is taken at
// several heights above each point: a line for each height, or one line per
// point at the height where the field is largest.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "common/message.h"
#include "common/progress.h"
#include "common/threads.h"
#include "common/work_part.h"
#include "field/field_points.h"

namespace tralva {

// Part K of N: a block of grid rows, or of the points of a file.
using FieldPart = WorkPart;

struct FieldRequest {
  std::string data_path;           // the line project
  std::optional<PlaneGrid> plane;  // the plane grid, or else
  std::string points_path;         // the point file, points raised by `level`
  float level = 0;
  // The heights of each point: k step_z above it for k = 0 .. steps_z, k
  // inner; with project_maximum only the height where B is largest (the
  // lowest of equals) is written.
  float step_z = 1;
  std::int32_t steps_z = 0;
  bool project_maximum = false;
  float buffer = 1000;
  std::string precision = "m";
  std::string result_path;
  FieldPart part;
  int threads = 0;  // 0: every core the process may run on
};

// What a calculation found, for its summary.
inline constexpr double kFieldThresholds[] = {3, 10, 100};  // quality, attention, limit; uT

struct FieldSummary {
  std::int64_t points = 0;  // the lines written
  double maximum = 0;       // uT, at the first point where it occurs
  Point3 maximum_at;
  std::int64_t reaching[std::size(kFieldThresholds)] = {};  // points with B >= each threshold
};

using FieldOutcome = std::variant<FieldSummary, Message>;

// Reads the project (stopping with build_configuration's own message if it
// fails), checks the points, computes the field on every core and writes the
// result file; progress from 0 to 1000 with the remaining time.  On any
// failure nothing is written and the target is as it was.
FieldOutcome compute_field(const FieldRequest& request, ProgressSink& sink, Clock& clock);

// The summary as the user reads it, coordinates with the request's decimals.
std::string summary_text(const FieldSummary& summary, const std::string& precision);

// What a calculation would take, told before it is run, so that a user can
// choose how many parts to split it into: its points and heights, the mean
// number of segments within the buffer over a fixed sample of points (runs
// of neighbours spread over the part), the evaluations that makes, and the
// time on this machine from the sample computed for a moment on every core.
struct FieldEstimate {
  std::int64_t points = 0;  // of the part
  std::int64_t heights = 1;
  std::int64_t sampled = 0;
  double segments_within = 0;
  double evaluations = 0;  // points x heights x segments_within
  double seconds = 0;
  int threads = 1;
};

using FieldEstimateOutcome = std::variant<FieldEstimate, Message>;

// Every check of compute_field, the output path's included, then the
// estimate; nothing is written.
FieldEstimateOutcome estimate_field(const FieldRequest& request);

std::string estimate_text(const FieldEstimate& estimate);

}  // namespace tralva
