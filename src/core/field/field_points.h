#pragma once
// Where the field is computed: the points of a plane grid, or those of a
// point file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/byte_stream.h"
#include "common/text_lines.h"
#include "geometry/configuration.h"

namespace tralva {

// The grid of "Calcolo piano": point (i, j) = O + i step_x u + j step_y v for
// i = 0 .. steps_x and j = 0 .. steps_y, with O = (origin_x, origin_y,
// level), u = (cos fi, sin fi, 0) and v = (-sin fi cos psi, cos fi cos psi,
// sin psi), angles in degrees: fi turns the grid in plan, psi tilts its
// second axis up to a vertical plane.  Rows are j, and within a row i runs,
// as the result conversion reads them.
struct PlaneGrid {
  double origin_x = 0;
  double origin_y = 0;
  float step_x = 1;
  float step_y = 1;
  std::int32_t steps_x = 0;
  std::int32_t steps_y = 0;
  double fi = 0;
  double psi = 0;
};

class PlaneGridPoints {
 public:
  PlaneGridPoints(const PlaneGrid& grid, float level);
  Point3 point(std::int64_t i, std::int64_t j) const;

 private:
  Point3 origin_;
  double step_x_, step_y_;
  double u_[3], v_[3];
};

// A point file: a header line, then one point per line, X, Y and Z first,
// separated by spaces or tabs; further columns are ignored, blank lines
// skipped.  The base grid file and the GIS terrain file are such files.
// Memory stays bounded whatever the file holds: a line longer than
// kMaxPointLine is refused.
class PointFileReader {
 public:
  static constexpr std::size_t kMaxPointLine = 1 << 16;

  enum class Next { point, end, invalid, read_error };

  bool open(const std::string& path);
  // A stream the caller keeps open (for the fuzz target and the tests).
  explicit PointFileReader(ByteStream& in) : in_(&in), lines_(in, kMaxPointLine) {}
  PointFileReader() : in_(&own_), lines_(own_, kMaxPointLine) {}

  // The next point; `invalid` when a line does not start with three finite
  // numbers, line_number() telling which.
  Next next(Point3& point);
  // Up to `count` points into `out`, `read` telling how many: `point` when
  // all were read, else why the reading stopped.
  Next read(Point3* out, std::size_t count, std::size_t& read);
  // Passes over the next `count` points, as read() reads them.
  Next skip(std::int64_t count);
  // Counts the points left, checking every line: `end` with `count` the
  // points when the file is whole, else why the counting stopped.
  Next count(std::int64_t& count);
  std::int64_t line_number() const { return lines_.number(); }
  // Why the last open failed (ByteStream::cause()).
  int cause() const { return own_.cause(); }
  // Where the reading stands in the file, and the file's size, in bytes.
  std::int64_t position() const { return in_->tell(); }
  std::int64_t size() const { return in_->size(); }

 private:
  ByteStream own_;
  ByteStream* in_;
  TextLines lines_;
  bool header_read_ = false;
};

}  // namespace tralva
