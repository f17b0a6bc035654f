#include "geometry/display_list.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <tuple>

#include "common/format.h"
#include "common/json_writer.h"
#include "common/output_file.h"
#include "common/vector_state.h"
#include "geometry/geometry_texts.h"

namespace tralva {
namespace {

namespace text = geometry_text;

// An end that rounding leaves a hair outside the rectangle still counts as
// inside.
constexpr double kTolerance = 0.00001;

// Each pass moves one end onto a border, so a handful of passes settles any
// segment; the bound only guards against rounding that keeps two ends
// trading places.
constexpr int kMaxClipPasses = 64;

bool inside(double value, int low, int high) {
  return value > low - kTolerance && value < high + kTolerance;
}

int whole_pixel(double value) { return static_cast<int>(value); }  // towards zero

// Moves (x, y) along the segment towards (other_x, other_y) onto the first
// border it lies beyond; false when it lies beyond none.
bool move_onto_border(double& x, double& y, double other_x, double other_y) {
  const PixelRect& r = kPlotRect;
  for (const int border : {r.left, r.right}) {
    if (border == r.left ? x < border : x > border) {
      y = y + (border - x) / (other_x - x) * (other_y - y);
      x = border;
      return true;
    }
  }
  for (const int border : {r.top, r.bottom}) {
    if (border == r.top ? y < border : y > border) {
      x = x + (border - y) / (other_y - y) * (other_x - x);
      y = border;
      return true;
    }
  }
  return false;
}

class Drawing {
 public:
  Drawing(Projection projection, const ViewBounds& bounds, std::vector<DrawnSegment>& out)
      : projection_(projection), map_(projection, bounds), out_(out) {}

  void line(const LineGeometry& line) {
    for (int k = 0; k < line.conductor_count; ++k) {
      if (line.is_overhead) structure(line, k);
      const std::int32_t code = line.phase_code[static_cast<std::size_t>(k)];
      for (int s = 0; s + 1 < line.support_count; ++s) {
        if (projection_ == Projection::xy) {
          // In plan a conductor is straight.
          const SuspensionPoint& p = line.suspension_points[line.at_support(k, s)];
          const SuspensionPoint& q = line.suspension_points[line.at_support(k, s + 1)];
          segment(code, map_.u(p.x, p.y), map_.v(p.y, p.z), map_.u(q.x, q.y), map_.v(q.y, q.z));
          continue;
        }
        polyline(code, line.spans[line.at_span(k, s)].samples);
      }
    }
  }

 private:
  // The conductor's cross-arms and, in elevation, the shafts of its pylons.
  void structure(const LineGeometry& line, int k) {
    for (int p = 0; p < line.support_count; ++p) {
      const SuspensionPoint& point = line.suspension_points[line.at_support(k, p)];
      const auto at = static_cast<std::size_t>(p);
      if (projection_ == Projection::xy) {
        segment(kStructureCode, point.x, point.y, line.x[at], line.y[at]);
        continue;
      }
      const double support_u = map_.u(line.x[at], line.y[at]);
      segment(kStructureCode, map_.u(point.x, point.y), point.z, support_u, point.z);
      segment(kStructureCode, support_u, line.ground_level[at], support_u, line.top_level[at]);
    }
  }

  // From world (u1, v1) to (u2, v2).
  void segment(std::int32_t code, double u1, double v1, double u2, double v2) {
    emit(code, map_.column(u1), map_.column(u2), map_.row(v1), map_.row(v2));
  }

  // The segments between consecutive samples; each sample is mapped once and
  // serves as the end of one segment and the start of the next.
  void polyline(std::int32_t code, const std::vector<Point3>& samples) {
    if (samples.empty()) return;
    double column = map_.column(map_.u(samples[0].x, samples[0].y));
    double row = map_.row(map_.v(samples[0].y, samples[0].z));
    for (std::size_t i = 1; i < samples.size(); ++i) {
      const double next_column = map_.column(map_.u(samples[i].x, samples[i].y));
      const double next_row = map_.row(map_.v(samples[i].y, samples[i].z));
      emit(code, column, next_column, row, next_row);
      column = next_column;
      row = next_row;
    }
  }

  // Real client pixels, in the classic order.
  void emit(std::int32_t code, double x1, double x2, double y1, double y2) {
    if (const auto drawn = draw_clipped_segment(code, x1, x2, y1, y2)) out_.push_back(*drawn);
  }

  Projection projection_;
  PlotMapping map_;
  std::vector<DrawnSegment>& out_;
};

// The smallest and largest finite value seen on one axis.
struct Extent {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  void add(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  // Widened by 5 % on each side, or by 1 m when it has no width.
  std::pair<double, double> widened() const {
    if (!(high > low)) return {low - 1, high + 1};
    double margin = (high - low) * 0.05;
    if (!std::isfinite(margin)) margin = 0;
    return {low - margin, high + margin};
  }
};

struct Extents {
  Extent x, y, z;
  bool empty = true;

  void add(double px, double py, double pz) {
    if (!std::isfinite(px) || !std::isfinite(py) || !std::isfinite(pz)) return;
    x.add(px);
    y.add(py);
    z.add(pz);
    empty = false;
  }
};

std::string colour_text(const Pen& pen) { return hex_colour(pen.red, pen.green, pen.blue); }

}  // namespace

std::optional<Projection> projection_from_text(std::string_view text) {
  for (const Projection p : {Projection::xy, Projection::yz, Projection::xz}) {
    if (text == projection_text(p)) return p;
  }
  return std::nullopt;
}

std::string_view projection_text(Projection projection) {
  switch (projection) {
    case Projection::xy:
      return "XY";
    case Projection::yz:
      return "YZ";
    case Projection::xz:
      break;
  }
  return "XZ";
}

AxisLabels axis_labels(Projection projection) {
  const std::string_view name = projection_text(projection);
  return {name.substr(0, 1), name.substr(1, 1)};
}

Pen pen_for(std::int32_t code) {
  switch (code) {
    case kStructureCode:
      return {100, 100, 100, 4};
    case 0:
      return {255, 0, 0, 2};
    case 120:
      return {0, 180, 0, 2};
    default:
      return {0, 0, 255, 2};
  }
}

std::optional<DrawnSegment> draw_clipped_segment(std::int32_t code, double x1, double x2, double y1,
                                                 double y2) {
  if (!std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(y1) || !std::isfinite(y2)) {
    return std::nullopt;
  }
  const PixelRect& r = kPlotRect;
  for (int pass = 0; pass < kMaxClipPasses; ++pass) {
    if (inside(x1, r.left, r.right) && inside(x2, r.left, r.right) && inside(y1, r.top, r.bottom) &&
        inside(y2, r.top, r.bottom)) {
      return DrawnSegment{code, whole_pixel(x1), whole_pixel(y1), whole_pixel(x2), whole_pixel(y2)};
    }
    if ((x1 < r.left && x2 < r.left) || (x1 > r.right && x2 > r.right) ||
        (y1 < r.top && y2 < r.top) || (y1 > r.bottom && y2 > r.bottom)) {
      return std::nullopt;
    }
    if (x1 == x2 && y1 == y2) return std::nullopt;
    if (!move_onto_border(x1, y1, x2, y2)) move_onto_border(x2, y2, x1, y1);
  }
  return std::nullopt;
}

DisplayList make_display_list(const ConfigurationGeometry& geometry, Projection projection,
                              const ViewBounds& bounds) {
  release_vector_registers();  // as many segments as samples follow
  DisplayList list;
  list.projection = projection;
  std::size_t most = 0;  // every sample may end a segment, every support two
  for (const LineGeometry& line : geometry.lines) {
    most += 2 * line.suspension_points.size();
    for (const SpanCurve& span : line.spans) most += span.samples.size();
  }
  list.segments.reserve(most);
  Drawing drawing(projection, bounds, list.segments);
  for (const LineGeometry& line : geometry.lines) drawing.line(line);
  return list;
}

PlotMapping::PlotMapping(Projection projection, const ViewBounds& b) : projection_(projection) {
  const bool plan = projection == Projection::xy;
  const bool yz = projection == Projection::yz;
  u_min_ = yz ? b.y_min : b.x_min;
  u_max_ = yz ? b.y_max : b.x_max;
  v_min_ = plan ? b.y_min : b.z_min;
  v_max_ = plan ? b.y_max : b.z_max;
}

std::optional<Message> check_data_path(const std::string& data_path) {
  if (data_path.empty()) return warning_message(text::kViewWithoutPath);
  return std::nullopt;
}

std::optional<Message> check_view_bounds(const ViewBounds& bounds) {
  if (!(bounds.x_min < bounds.x_max)) return warning_message(text::kBoundsX);
  if (!(bounds.y_min < bounds.y_max)) return warning_message(text::kBoundsY);
  if (!(bounds.z_min < bounds.z_max)) return warning_message(text::kBoundsZ);
  return std::nullopt;
}

std::optional<ViewBounds> fitted_bounds(const ConfigurationGeometry& geometry) {
  Extents extents;
  for (const LineGeometry& line : geometry.lines) {
    for (const SuspensionPoint& p : line.suspension_points) extents.add(p.x, p.y, p.z);
    for (const SpanCurve& span : line.spans) {
      for (const Point3& p : span.samples) extents.add(p.x, p.y, p.z);
    }
    if (!line.is_overhead) continue;  // a cable run's vertices are not drawn
    for (std::size_t p = 0; p < line.x.size() && p < line.top_level.size(); ++p) {
      extents.add(line.x[p], line.y[p], line.ground_level[p]);
      extents.add(line.x[p], line.y[p], line.top_level[p]);
    }
  }
  if (extents.empty) return std::nullopt;
  ViewBounds bounds;
  std::tie(bounds.x_min, bounds.x_max) = extents.x.widened();
  std::tie(bounds.y_min, bounds.y_max) = extents.y.widened();
  std::tie(bounds.z_min, bounds.z_max) = extents.z.widened();
  return bounds;
}

std::string display_list_svg(const DisplayList& list) {
  const PixelRect& f = kFrameRect;
  const auto number = [](int value) { return int_text(value); };
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  svg += kLineEnd;
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(f.width()) + "\" height=\"" +
         number(f.height()) + "\" viewBox=\"" + number(f.left) + ' ' + number(f.top) + ' ' +
         number(f.width()) + ' ' + number(f.height()) + "\">";
  svg += kLineEnd;
  // The frame: white inside, a black line along its edge.
  svg += "<rect x=\"" + number(f.left) + "\" y=\"" + number(f.top) + "\" width=\"" +
         number(f.width()) + "\" height=\"" + number(f.height()) +
         "\" fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"2\"/>";
  svg += kLineEnd;
  const AxisLabels labels = axis_labels(list.projection);
  // Text is placed by its baseline: about nine pixels below the top of an
  // eleven-pixel letter.
  for (const auto& [label, at] : {std::pair{labels.vertical, kVerticalLabelAt},
                                  std::pair{labels.horizontal, kHorizontalLabelAt}}) {
    svg += "<text x=\"" + number(at[0]) + "\" y=\"" + number(at[1] + 9) +
           "\" font-family=\"sans-serif\" font-size=\"11\">" + std::string(label) + "</text>";
    svg += kLineEnd;
  }
  for (const DrawnSegment& s : list.segments) {
    const Pen pen = pen_for(s.code);
    svg += "<line x1=\"" + number(s.x1) + "\" y1=\"" + number(s.y1) + "\" x2=\"" + number(s.x2) +
           "\" y2=\"" + number(s.y2) + "\" stroke=\"" + colour_text(pen) + "\" stroke-width=\"" +
           number(pen.width) + "\"/>";
    svg += kLineEnd;
  }
  svg += "</svg>";
  svg += kLineEnd;
  return svg;
}

std::string display_list_json(const DisplayList& list) {
  std::ostringstream text;
  {
    JsonWriter json(text);
    const AxisLabels labels = axis_labels(list.projection);
    json.begin_object();
    json.key("projection").string(projection_text(list.projection));
    json.key("horizontal_axis_label").string(labels.horizontal);
    json.key("vertical_axis_label").string(labels.vertical);
    const PixelRect& plot = kPlotRect;
    json.key("plot").begin_array();
    for (const int edge : {plot.left, plot.top, plot.right, plot.bottom}) json.integer(edge);
    json.end_array();
    json.key("segments").begin_array();
    for (const DrawnSegment& s : list.segments) {
      json.begin_array().integer(s.code).integer(s.x1).integer(s.y1).integer(s.x2).integer(s.y2);
      json.end_array();
    }
    json.end_array().end_object();
  }
  text << kLineEnd;
  return text.str();
}

std::optional<Message> write_drawing(const std::string& path, std::string_view bytes) {
  OutputFile file;
  if (!file.save(path, bytes)) return error_message(text::kCannotCreateDrawing, file.cause());
  return std::nullopt;
}

}  // namespace tralva
