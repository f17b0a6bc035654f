#include "field/field_points.h"

#include <cmath>

#include "common/number_tokenizer.h"
#include "field/degrees.h"

namespace tralva {

PlaneGridPoints::PlaneGridPoints(const PlaneGrid& grid, float level)
    : origin_{grid.origin_x, grid.origin_y, level}, step_x_(grid.step_x), step_y_(grid.step_y) {
  const SineCosine fi = sin_cos_degrees(grid.fi);
  const SineCosine psi = sin_cos_degrees(grid.psi);
  u_[0] = fi.cos;
  u_[1] = fi.sin;
  u_[2] = 0;
  v_[0] = -fi.sin * psi.cos;
  v_[1] = fi.cos * psi.cos;
  v_[2] = psi.sin;
}

Point3 PlaneGridPoints::point(std::int64_t i, std::int64_t j) const {
  const double along_u = static_cast<double>(i) * step_x_;
  const double along_v = static_cast<double>(j) * step_y_;
  return {origin_.x + along_u * u_[0] + along_v * v_[0],
          origin_.y + along_u * u_[1] + along_v * v_[1],
          origin_.z + along_u * u_[2] + along_v * v_[2]};
}

bool PointFileReader::open(const std::string& path) {
  in_ = &own_;
  header_read_ = false;
  const bool opened = own_.open(path);
  lines_.restart(own_);
  return opened;
}

namespace {

// A number followed by white space or the end of the line: "1,5" (a decimal
// comma) or "2.5.1" is not a coordinate.
std::optional<double> coordinate(ByteStream& line) {
  const auto value = scan_double(line);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  const int after = line.peek();
  if (after != ByteStream::kEof && !is_scan_space(after)) return std::nullopt;
  return value;
}

}  // namespace

PointFileReader::Next PointFileReader::read(Point3* out, std::size_t count, std::size_t& read) {
  for (read = 0; read < count; ++read) {
    if (const Next got = next(out[read]); got != Next::point) return got;
  }
  return Next::point;
}

PointFileReader::Next PointFileReader::skip(std::int64_t count) {
  Point3 passed;
  for (std::int64_t k = 0; k < count; ++k) {
    if (const Next got = next(passed); got != Next::point) return got;
  }
  return Next::point;
}

PointFileReader::Next PointFileReader::count(std::int64_t& count) {
  Point3 point;
  Next got;
  for (count = 0; (got = next(point)) == Next::point;) ++count;
  return got;
}

PointFileReader::Next PointFileReader::next(Point3& point) {
  for (;;) {
    const auto line = lines_.next();
    if (!line) return in_->read_error() ? Next::read_error : Next::end;
    if (!header_read_) {
      header_read_ = true;
      continue;
    }
    if (lines_.too_long()) return Next::invalid;
    ByteStream text(*line);
    if (skip_space(text) == ByteStream::kEof) continue;  // a blank line
    const auto x = coordinate(text);
    const auto y = x ? coordinate(text) : std::nullopt;
    const auto z = y ? coordinate(text) : std::nullopt;
    if (!z) return Next::invalid;
    point = {*x, *y, *z};
    return Next::point;
  }
}

}  // namespace tralva
