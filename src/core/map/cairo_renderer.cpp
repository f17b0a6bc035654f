// The field map drawn once by Cairo on an A4 landscape page, in points,
// whatever the format: the PNG surface is scaled to its dpi, the PDF and SVG
// surfaces are the page itself.
#include "map/cairo_renderer.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>

#include "common/format.h"
#include "map/colour_scale.h"
#include "map/map_texts.h"

namespace tralva {
namespace {

namespace text = map_text;

constexpr double kPi = 3.141592653589793;
constexpr double kPointsPerMm = 72 / 25.4;
constexpr double kPageWidth = 297 * kPointsPerMm;
constexpr double kPageHeight = 210 * kPointsPerMm;
constexpr double kMargin = 28;
constexpr double kPanelWidth = 168;   // the colour bar and the legend, at the right
constexpr double kHeaderHeight = 58;  // title and source
constexpr double kCaptionHeight = 30;
// The colour field as an image: about this many pixels along its longer side,
// interpolated between the lattice points.
constexpr double kFieldImagePixels = 1200;

constexpr Rgb kInk{0x21, 0x21, 0x21};
constexpr Rgb kMutedInk{0x5f, 0x63, 0x68};
constexpr Rgb kAreaOutline{0xd7, 0x19, 0x1c};
constexpr Rgb kWhite{0xff, 0xff, 0xff};
constexpr const char* kFont = "DejaVu Sans";

void set_colour(cairo_t* cr, Rgb c, double alpha = 1) {
  cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, alpha);
}

struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
  bool overlaps(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

// Numbers on the picture are Italian: a decimal comma, and thousands set
// apart by a thin space from 10 000 on.
std::string italian_number(double value, int decimals) {
  std::string digits = fixed_text(value, decimals);
  if (digits == "-0") digits = "0";
  const std::size_t point = digits.find('.');
  if (point != std::string::npos) digits[point] = ',';
  std::size_t integer_end = point == std::string::npos ? digits.size() : point;
  const std::size_t first_digit = digits[0] == '-' ? 1 : 0;
  if (integer_end - first_digit > 4) {
    for (std::size_t at = integer_end; at > first_digit + 3; at -= 3) {
      digits.insert(at - 3, "\u2009");
    }
  }
  if (digits[0] == '-') digits.replace(0, 1, "\u2212");
  return digits;
}

// Three significant digits, as a reader of a report takes in a field value.
std::string field_text(double b) {
  const int magnitude = b > 0 ? static_cast<int>(std::floor(std::log10(b))) : 0;
  return italian_number(b, std::clamp(2 - magnitude, 0, 4));
}

// A coordinate as the result printed it, with at most three decimals.
std::string coordinate_text(double metres) {
  const std::string shown = general_text(std::nearbyint(metres * 1000) / 1000, 15);
  const std::size_t point = shown.find('.');
  return italian_number(
      metres, point == std::string::npos ? 0 : static_cast<int>(shown.size() - point - 1));
}

std::string threshold_text(double t) { return coordinate_text(t) + text::kMicrotesla; }

// 1, 2 or 5 times a power of ten, the nearest above `rough`.
double nice_step(double rough) {
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= rough * 0.999) return m * power;
  }
  return 10 * power;
}

// ---------------------------------------------------------------------------
// Text goes through one place.  PNG and PDF get Cairo's own text (in the
// PDF it stays text); Cairo's SVG surface would write glyph outlines, so
// there the texts are gathered and written as SVG <text> elements.

enum class Anchor { start, middle, end };

struct TextStyle {
  double size = 8.5;
  bool bold = false;
  Rgb colour = kInk;
  Anchor anchor = Anchor::start;
  bool halo = false;  // a white rim, for text over the colour field
};

std::string xml_escaped(std::string_view in) {
  std::string out;
  for (const char c : in) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string svg_number(double v) { return general_text(std::nearbyint(v * 100) / 100, 10); }

std::string svg_colour(Rgb c) { return hex_colour(c.red, c.green, c.blue); }

class Painter {
 public:
  Painter(cairo_t* cr, bool svg_text) : cr_(cr), svg_text_(svg_text) {}
  cairo_t* cr() const { return cr_; }

  double width(std::string_view s, const TextStyle& style) const {
    select(style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, std::string(s).c_str(), &extents);
    return extents.x_advance;
  }

  // Text whose baseline starts, centres or ends at `at` (page points), turned
  // by `angle` radians clockwise.
  void text(std::string_view s, PlanPoint at, const TextStyle& style, double angle = 0) {
    const std::string str(s);
    if (svg_text_) return gather(str, at, style, angle);
    cairo_save(cr_);
    select(style);
    cairo_translate(cr_, at.x, at.y);
    cairo_rotate(cr_, angle);
    const double w = width(s, style);
    cairo_move_to(cr_,
                  style.anchor == Anchor::start    ? 0
                  : style.anchor == Anchor::middle ? -w / 2
                                                   : -w,
                  0);
    // The rim is the text's outline stroked white; the text itself is shown
    // over it, so that in the PDF it stays text.
    if (style.halo) {
      double x = 0, y = 0;
      cairo_get_current_point(cr_, &x, &y);
      cairo_text_path(cr_, str.c_str());
      set_colour(cr_, kWhite, 0.9);
      cairo_set_line_width(cr_, style.size * 0.3);
      cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke(cr_);
      cairo_move_to(cr_, x, y);
    }
    set_colour(cr_, style.colour);
    cairo_show_text(cr_, str.c_str());
    cairo_restore(cr_);
  }

  // The gathered texts, to go before the end of the SVG document.
  const std::string& svg_texts() const { return svg_texts_; }

 private:
  void select(const TextStyle& style) const {
    cairo_select_font_face(cr_, kFont, CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, style.size);
  }

  // A halo is the same text under it, stroked white: a reader that knows
  // no paint-order still shows it.
  void gather(const std::string& s, PlanPoint at, const TextStyle& style, double angle) {
    if (style.halo) {
      TextStyle rim = style;
      rim.halo = false;
      rim.colour = kWhite;
      halo_ = true;
      gather(s, at, rim, angle);
      halo_ = false;
    }
    double x = at.x, y = at.y;
    cairo_user_to_device(cr_, &x, &y);
    svg_texts_ += "<text x=\"" + svg_number(x) + "\" y=\"" + svg_number(y) + "\" font-size=\"" +
                  svg_number(style.size) + "\" fill=\"" + svg_colour(style.colour) + "\"";
    if (style.bold) svg_texts_ += " font-weight=\"bold\"";
    if (style.anchor != Anchor::start) {
      svg_texts_ += std::string(" text-anchor=\"") +
                    (style.anchor == Anchor::middle ? "middle" : "end") + "\"";
    }
    if (angle != 0) {
      svg_texts_ += " transform=\"rotate(" + svg_number(angle * 180 / kPi) + " " + svg_number(x) +
                    " " + svg_number(y) + ")\"";
    }
    if (halo_) {
      svg_texts_ += " stroke=\"#ffffff\" stroke-opacity=\"0.9\" stroke-width=\"" +
                    svg_number(style.size * 0.3) + "\" stroke-linejoin=\"round\"";
    }
    svg_texts_ += ">" + xml_escaped(s) + "</text>\n";
  }

  cairo_t* cr_;
  bool svg_text_;
  bool halo_ = false;
  std::string svg_texts_;
};

// ---------------------------------------------------------------------------
// Where the world goes on the page: one scale for X and Y, a round one.

struct MapFrame {
  Box frame;
  double x0 = 0, y0 = 0;   // the world at the frame's lower left corner
  double scale = 1;        // points per metre
  double denominator = 1;  // the scale 1:N of the printed page

  PlanPoint page(PlanPoint w) const {
    return {frame.left + (w.x - x0) * scale, frame.bottom - (w.y - y0) * scale};
  }
};

// The smallest round scale 1:N at which the lattice fits `room`.
MapFrame map_frame(const FieldMap& map, const Box& room) {
  const RasterView& v = map.raster;
  const auto columns = static_cast<double>(v.columns);
  const auto rows = static_cast<double>(v.rows);
  double low_x = INFINITY, low_y = INFINITY, high_x = -INFINITY, high_y = -INFINITY;
  for (const PlanPoint corner :
       {v.position(0, 0), v.position(columns, 0), v.position(0, rows), v.position(columns, rows)}) {
    low_x = std::min(low_x, corner.x);
    high_x = std::max(high_x, corner.x);
    low_y = std::min(low_y, corner.y);
    high_y = std::max(high_y, corner.y);
  }
  const double fitting =
      std::min(room.width() / (high_x - low_x), room.height() / (high_y - low_y));
  // Metres per metre of paper at that scale, then the next round number.
  const double rough = 1000 / (fitting / kPointsPerMm);
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double denominator = 10 * power;
  for (const double m : {1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
    if (m * power >= rough * (1 - 1e-9)) {
      denominator = m * power;
      break;
    }
  }
  MapFrame f;
  f.denominator = denominator;
  f.scale = 1000 * kPointsPerMm / denominator;
  const double w = (high_x - low_x) * f.scale;
  const double h = (high_y - low_y) * f.scale;
  f.frame.left = room.left;
  f.frame.right = f.frame.left + w;
  f.frame.top = room.top;
  f.frame.bottom = f.frame.top + h;
  f.x0 = low_x;
  f.y0 = low_y;
  return f;
}

void path_of(cairo_t* cr, const MapFrame& f, const Polyline& line) {
  for (std::size_t k = 0; k < line.points.size(); ++k) {
    const PlanPoint p = f.page(line.points[k]);
    if (k == 0) {
      cairo_move_to(cr, p.x, p.y);
    } else {
      cairo_line_to(cr, p.x, p.y);
    }
  }
}

void area_path(cairo_t* cr, const MapFrame& f, const std::vector<Polygon>& area) {
  for (const Polygon& polygon : area) {
    for (const Polyline& ring : polygon.rings) {
      path_of(cr, f, ring);
      cairo_close_path(cr);
    }
  }
}

// ---------------------------------------------------------------------------
// The colour field: an image of the raster, several pixels per lattice cell
// (an odd number, so that one pixel centre lies on each point), its colour
// position interpolated between the points.

struct ImageSurface {
  cairo_surface_t* surface;
  int factor;
};

ImageSurface field_image(const FieldMap& map, const ColourScale& scale) {
  const RasterView& v = map.raster;
  const double longer = static_cast<double>(std::max(v.columns, v.rows));
  int factor = std::max(1, static_cast<int>(std::ceil(kFieldImagePixels / longer)));
  if (factor % 2 == 0) ++factor;
  const auto width = static_cast<int>(v.columns * factor);
  const auto height = static_cast<int>(v.rows * factor);
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) return {image, factor};
  // The colour positions of the points, raster row after row.
  std::vector<float> t(static_cast<std::size_t>(v.columns * v.rows));
  for (std::int64_t r = 0, k = 0; r < v.rows; ++r) {
    for (std::int64_t c = 0; c < v.columns; ++c) {
      t[static_cast<std::size_t>(k++)] =
          static_cast<float>(scale.position(map.field.b[static_cast<std::size_t>(v.point(c, r))]));
    }
  }
  // The colours of 1024 positions: the lookup of the inner loop.
  std::uint32_t colours[1025];
  for (int k = 0; k <= 1024; ++k) {
    const Rgb c = viridis(k / 1024.0);
    colours[k] = (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
  }
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const auto last_column = static_cast<double>(v.columns - 1);
  const auto last_row = static_cast<double>(v.rows - 1);
  // Where each column of pixels falls between the points: the same on every row.
  std::vector<std::int64_t> left(static_cast<std::size_t>(width));
  std::vector<std::int64_t> right(static_cast<std::size_t>(width));
  std::vector<float> towards_right(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x) {
    const double c = std::clamp((x + 0.5) / factor - 0.5, 0.0, last_column);
    const auto c0 =
        static_cast<std::int64_t>(std::min(std::floor(c), std::max(last_column - 1, 0.0)));
    left[static_cast<std::size_t>(x)] = c0;
    right[static_cast<std::size_t>(x)] = std::min<std::int64_t>(c0 + 1, v.columns - 1);
    towards_right[static_cast<std::size_t>(x)] = static_cast<float>(c - static_cast<double>(c0));
  }
  for (int y = 0; y < height; ++y) {
    const double r = std::clamp((y + 0.5) / factor - 0.5, 0.0, last_row);
    const auto r0 = static_cast<std::int64_t>(std::min(std::floor(r), std::max(last_row - 1, 0.0)));
    const std::int64_t r1 = std::min<std::int64_t>(r0 + 1, v.rows - 1);
    const auto wr = static_cast<float>(r - static_cast<double>(r0));
    const float* above = &t[static_cast<std::size_t>(r0 * v.columns)];
    const float* below = &t[static_cast<std::size_t>(r1 * v.columns)];
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::int64_t c0 = left[static_cast<std::size_t>(x)];
      const std::int64_t c1 = right[static_cast<std::size_t>(x)];
      const float wc = towards_right[static_cast<std::size_t>(x)];
      const float top = above[c0] + (above[c1] - above[c0]) * wc;
      const float bottom = below[c0] + (below[c1] - below[c0]) * wc;
      const float value = top + (bottom - top) * wr;
      row[x] = colours[static_cast<int>(std::lround(value * 1024))];
    }
  }
  cairo_surface_mark_dirty(image);
  return {image, factor};
}

void draw_field(cairo_t* cr, const FieldMap& map, const MapFrame& f, const ColourScale& scale) {
  const ImageSurface image = field_image(map, scale);
  const double* gt = map.raster.transform;
  cairo_save(cr);
  // Image pixels to raster pixels to the world to the page.
  cairo_matrix_t to_page;
  cairo_matrix_init(&to_page, gt[1] * f.scale, -gt[4] * f.scale, gt[2] * f.scale, -gt[5] * f.scale,
                    f.frame.left + (gt[0] - f.x0) * f.scale,
                    f.frame.bottom - (gt[3] - f.y0) * f.scale);
  cairo_transform(cr, &to_page);
  cairo_scale(cr, 1.0 / image.factor, 1.0 / image.factor);
  // Painted, not filled: Cairo's SVG then writes a plain <image>, which
  // every SVG reader shows, rather than a pattern.
  cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(image.surface),
                  cairo_image_surface_get_height(image.surface));
  cairo_clip(cr);
  cairo_set_source_surface(cr, image.surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(image.surface);
}

// ---------------------------------------------------------------------------

struct Ticks {
  double step = 1;
  std::vector<double> values;
};

Ticks ticks(double low, double high, double length_pt) {
  Ticks t;
  t.step = nice_step((high - low) / std::max(2.0, std::floor(length_pt / 42)));
  for (double v = std::ceil(low / t.step) * t.step; v <= high + t.step * 1e-9; v += t.step) {
    t.values.push_back(std::fabs(v) < t.step * 1e-9 ? 0 : v);
  }
  return t;
}

void draw_grid_and_axes(Painter& painter, const MapFrame& f) {
  cairo_t* cr = painter.cr();
  const double high_x = f.x0 + f.frame.width() / f.scale;
  const double high_y = f.y0 + f.frame.height() / f.scale;
  const Ticks along_x = ticks(f.x0, high_x, f.frame.width());
  const Ticks along_y = ticks(f.y0, high_y, f.frame.height());
  // A faint grid over the field, to read coordinates off the map.
  cairo_save(cr);
  cairo_rectangle(cr, f.frame.left, f.frame.top, f.frame.width(), f.frame.height());
  cairo_clip(cr);
  set_colour(cr, kWhite, 0.35);
  cairo_set_line_width(cr, 0.4);
  for (const double x : along_x.values) {
    const double px = f.page({x, 0}).x;
    cairo_move_to(cr, px, f.frame.top);
    cairo_line_to(cr, px, f.frame.bottom);
  }
  for (const double y : along_y.values) {
    const double py = f.page({0, y}).y;
    cairo_move_to(cr, f.frame.left, py);
    cairo_line_to(cr, f.frame.right, py);
  }
  cairo_stroke(cr);
  cairo_restore(cr);

  set_colour(cr, kInk);
  cairo_set_line_width(cr, 0.5);
  const TextStyle label{.size = 7, .colour = kMutedInk, .anchor = Anchor::middle};
  const int decimals_x =
      along_x.step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(along_x.step)));
  const int decimals_y =
      along_y.step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(along_y.step)));
  for (const double x : along_x.values) {
    const double px = f.page({x, 0}).x;
    cairo_move_to(cr, px, f.frame.bottom);
    cairo_line_to(cr, px, f.frame.bottom + 3);
    cairo_stroke(cr);
    painter.text(italian_number(x, decimals_x), {px, f.frame.bottom + 11}, label);
  }
  TextStyle right = label;
  right.anchor = Anchor::end;
  for (const double y : along_y.values) {
    const double py = f.page({0, y}).y;
    cairo_move_to(cr, f.frame.left, py);
    cairo_line_to(cr, f.frame.left - 3, py);
    cairo_stroke(cr);
    painter.text(italian_number(y, decimals_y), {f.frame.left - 5, py + 2.5}, right);
  }
  const TextStyle axis{.size = 7.5, .colour = kInk, .anchor = Anchor::end};
  painter.text(text::kAxisX, {f.frame.right, f.frame.bottom + 21}, axis);
  painter.text(text::kAxisY, {f.frame.left - 5, f.frame.top - 5}, axis);
  set_colour(cr, kInk);
  cairo_set_line_width(cr, 0.8);
  cairo_rectangle(cr, f.frame.left, f.frame.top, f.frame.width(), f.frame.height());
  cairo_stroke(cr);
}

// White lines at 45° across the inside of rings given in page points (even-
// odd, so holes stay clear), cut to the rings here rather than by a clip:
// SVG readers that know no clipping still show the area as it is.
void hatch_rings(cairo_t* cr, const std::vector<std::vector<PlanPoint>>& rings) {
  constexpr double kSpacing = 4.5;  // between the lines, along x
  double low = INFINITY, high = -INFINITY;
  for (const auto& ring : rings) {
    for (const PlanPoint& p : ring) {
      low = std::min(low, p.x + p.y);
      high = std::max(high, p.x + p.y);
    }
  }
  std::vector<double> crossings;
  // Each line is x + y = c, rising to the right on the page.
  for (double c = std::floor(low / kSpacing) * kSpacing; c <= high; c += kSpacing) {
    crossings.clear();
    for (const auto& ring : rings) {
      for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
        const double a = ring[k].x + ring[k].y;
        const double b = ring[k + 1].x + ring[k + 1].y;
        if ((a <= c) == (b <= c)) continue;
        const double t = (c - a) / (b - a);
        crossings.push_back(ring[k].x + (ring[k + 1].x - ring[k].x) * t);
      }
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
      cairo_move_to(cr, crossings[k], c - crossings[k]);
      cairo_line_to(cr, crossings[k + 1], c - crossings[k + 1]);
    }
  }
  set_colour(cr, kWhite, 0.45);
  cairo_set_line_width(cr, 0.5);
  cairo_stroke(cr);
}

void hatch(cairo_t* cr, const MapFrame& f, const std::vector<Polygon>& area) {
  std::vector<std::vector<PlanPoint>> rings;
  for (const Polygon& polygon : area) {
    for (const Polyline& ring : polygon.rings) {
      auto& page = rings.emplace_back();
      for (const PlanPoint& p : ring.points) page.push_back(f.page(p));
    }
  }
  hatch_rings(cr, rings);
}

void support_mark(cairo_t* cr, PlanPoint p, bool pylon) {
  if (pylon) {
    cairo_rectangle(cr, p.x - 2.6, p.y - 2.6, 5.2, 5.2);
  } else {
    cairo_new_sub_path(cr);
    cairo_arc(cr, p.x, p.y, 2.3, 0, 2 * kPi);
  }
  set_colour(cr, kWhite);
  cairo_fill_preserve(cr);
  set_colour(cr, kInk);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
}

void stroke_cased(cairo_t* cr, Rgb colour, double width) {
  set_colour(cr, kWhite, 0.85);
  cairo_set_line_width(cr, width + 1.6);
  cairo_stroke_preserve(cr);
  set_colour(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

// A line on the page, with the distance along it to each of its points.
class PageLine {
 public:
  PageLine(const MapFrame& f, const Polyline& line) {
    for (const PlanPoint& p : line.points) {
      const PlanPoint q = f.page(p);
      along_.push_back(points_.empty() ? 0
                                       : along_.back() + std::hypot(q.x - points_.back().x,
                                                                    q.y - points_.back().y));
      points_.push_back(q);
    }
  }
  double length() const { return along_.empty() ? 0 : along_.back(); }
  PlanPoint at(double s) const {
    s = std::clamp(s, 0.0, length());
    const auto after = std::upper_bound(along_.begin(), along_.end(), s) - along_.begin();
    const auto i = static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(after, 1, static_cast<std::ptrdiff_t>(points_.size()) - 1));
    const double span = along_[i] - along_[i - 1];
    const double u = span > 0 ? (s - along_[i - 1]) / span : 0;
    return {points_[i - 1].x + (points_[i].x - points_[i - 1].x) * u,
            points_[i - 1].y + (points_[i].y - points_[i - 1].y) * u};
  }

 private:
  std::vector<PlanPoint> points_;
  std::vector<double> along_;
};

// Labels along each line long enough to carry one, about one every 320 points
// of it, upright, each where it hides no other label and stays in the frame.
void label_lines(Painter& painter, const MapFrame& f, const ThresholdContours& c, Rgb colour,
                 std::vector<Box>& taken) {
  const std::string label = threshold_text(c.threshold);
  const TextStyle style{
      .size = 7, .bold = true, .colour = colour, .anchor = Anchor::middle, .halo = true};
  const double w = painter.width(label, style);
  for (const Polyline& polyline : c.lines) {
    const PageLine line(f, polyline);
    if (line.length() < 3 * w) continue;
    const int labels = std::max(1, static_cast<int>(line.length() / 320));
    for (int k = 0; k < labels; ++k) {
      for (const double shift : {0.0, -0.2, 0.2, -0.35, 0.35}) {
        const double s = line.length() * (k + 0.5 + shift) / labels;
        // The direction over the label's length, not over one short segment.
        const PlanPoint centre = line.at(s), from = line.at(s - w / 2), to = line.at(s + w / 2);
        double angle = std::atan2(to.y - from.y, to.x - from.x);
        if (angle > kPi / 2) angle -= kPi;
        if (angle < -kPi / 2) angle += kPi;
        const double half = w / 2 + 2;
        const Box box{centre.x - half, centre.y - half, centre.x + half, centre.y + half};
        if (box.left < f.frame.left || box.right > f.frame.right || box.top < f.frame.top ||
            box.bottom > f.frame.bottom ||
            std::any_of(taken.begin(), taken.end(),
                        [&](const Box& t) { return t.overlaps(box); })) {
          continue;
        }
        taken.push_back(box);
        // The baseline a little below the line, so that the text sits on it.
        const double drop = style.size * 0.35;
        painter.text(label, {centre.x - std::sin(angle) * drop, centre.y + std::cos(angle) * drop},
                     style, angle);
        break;
      }
    }
  }
}

void draw_line_in_plan(cairo_t* cr, const MapFrame& f, const std::vector<PlanLine>& lines) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (const PlanLine& line : lines) {
    for (const Polyline& conductor : line.conductors) path_of(cr, f, conductor);
  }
  set_colour(cr, kWhite, 0.8);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  for (const PlanLine& line : lines) {
    for (const Polyline& conductor : line.conductors) path_of(cr, f, conductor);
  }
  set_colour(cr, kInk);
  cairo_set_line_width(cr, 0.7);
  cairo_stroke(cr);
  for (const PlanLine& line : lines) {
    for (const PlanPoint& support : line.supports) support_mark(cr, f.page(support), line.overhead);
  }
}

void draw_map(Painter& painter, const FieldMap& map, const MapFrame& f, const ColourScale& scale) {
  cairo_t* cr = painter.cr();
  cairo_save(cr);
  cairo_rectangle(cr, f.frame.left, f.frame.top, f.frame.width(), f.frame.height());
  cairo_clip(cr);
  draw_field(cr, map, f, scale);
  cairo_restore(cr);
  draw_grid_and_axes(painter, f);

  cairo_save(cr);
  cairo_rectangle(cr, f.frame.left, f.frame.top, f.frame.width(), f.frame.height());
  cairo_clip(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (!map.contours.empty()) hatch(cr, f, map.contours.front().area);
  for (std::size_t k = 1; k < map.contours.size(); ++k) {
    for (const Polyline& line : map.contours[k].lines) path_of(cr, f, line);
    stroke_cased(cr, kInk, 0.8);
  }
  if (!map.contours.empty()) {
    area_path(cr, f, map.contours.front().area);
    stroke_cased(cr, kAreaOutline, 1.5);
  }
  draw_line_in_plan(cr, f, map.lines);
  cairo_restore(cr);

  std::vector<Box> taken;
  for (std::size_t k = 0; k < map.contours.size(); ++k) {
    label_lines(painter, f, map.contours[k], k == 0 ? kAreaOutline : kInk, taken);
  }
}

// ---------------------------------------------------------------------------
// The panel at the right: colour bar, legend, north arrow, scale bar.

// The colour bar, standing at the right of the map or lying under it: round
// values on one side, the maximum at the top end; the thresholds marked
// across it and named on the other side.
struct ColourBar {
  bool standing = true;
  double left = 0, top = 0;  // of the bar itself
  double length = 190;
  double thickness = 11;

  // The point of the bar's outer edge (right or bottom) at a position 0..1.
  PlanPoint at(double position) const {
    return standing ? PlanPoint{left + thickness, top + length * (1 - position)}
                    : PlanPoint{left + length * position, top + thickness};
  }
};

std::string tick_text(double v) { return coordinate_text(v); }

void draw_colour_bar(Painter& painter, const FieldMap& map, const ColourScale& scale,
                     const ColourBar& bar) {
  cairo_t* cr = painter.cr();
  // One gradient through the colours, smooth at any size and vector in PDF and SVG.
  const PlanPoint low = bar.at(0), high = bar.at(1);
  cairo_pattern_t* gradient = cairo_pattern_create_linear(low.x, low.y, high.x, high.y);
  for (int k = 0; k <= 64; ++k) {
    const Rgb c = viridis(k / 64.0);
    cairo_pattern_add_color_stop_rgb(gradient, k / 64.0, c.red / 255.0, c.green / 255.0,
                                     c.blue / 255.0);
  }
  cairo_set_source(cr, gradient);
  if (bar.standing) {
    cairo_rectangle(cr, bar.left, bar.top, bar.thickness, bar.length);
  } else {
    cairo_rectangle(cr, bar.left, bar.top, bar.length, bar.thickness);
  }
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
  set_colour(cr, kInk);
  cairo_set_line_width(cr, 0.5);
  if (bar.standing) {
    cairo_rectangle(cr, bar.left, bar.top, bar.thickness, bar.length);
  } else {
    cairo_rectangle(cr, bar.left, bar.top, bar.length, bar.thickness);
  }
  cairo_stroke(cr);

  // A tick and its label on the outer side.
  const auto tick = [&](double position, const std::string& label, bool bold) {
    const PlanPoint p = bar.at(position);
    cairo_move_to(cr, p.x, p.y);
    cairo_line_to(cr, p.x + (bar.standing ? 3 : 0), p.y + (bar.standing ? 0 : 3));
    set_colour(cr, kInk);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    const TextStyle style{
        .size = 7, .bold = bold, .anchor = bar.standing ? Anchor::start : Anchor::middle};
    painter.text(label, bar.standing ? PlanPoint{p.x + 5, p.y + 2.5} : PlanPoint{p.x, p.y + 11},
                 style);
  };
  const double maximum = map.field.maximum();
  const bool shows_maximum = maximum > scale.lowest();
  // No round value so near the maximum that their labels would touch.
  const double room = (bar.standing ? 10 : 24) / bar.length;
  for (double power = scale.lowest(); power <= scale.highest() * 1.0001; power *= 10) {
    for (const double m : {1.0, 2.0, 5.0}) {
      const double v = power * m;
      const double position = scale.position(v);
      if (v > scale.highest() * 1.0001 || (shows_maximum && position > 1 - room)) continue;
      tick(position, v == scale.lowest() ? "≤ " + tick_text(v) : tick_text(v), false);
    }
  }
  if (shows_maximum) tick(1, field_text(maximum) + " max", true);

  // The thresholds across the bar, named on the inner side.
  for (std::size_t k = 0; k < map.contours.size(); ++k) {
    const double t = map.contours[k].threshold;
    if (t > scale.highest() || t <= scale.lowest()) continue;
    const PlanPoint p = bar.at(scale.position(t));
    const Rgb colour = k == 0 ? kAreaOutline : kInk;
    const double reach = bar.thickness + 4;
    for (const bool casing : {true, false}) {
      if (bar.standing) {
        cairo_move_to(cr, p.x - reach, p.y);
      } else {
        cairo_move_to(cr, p.x, p.y - reach);
      }
      cairo_line_to(cr, p.x, p.y);
      set_colour(cr, casing ? kWhite : colour);
      cairo_set_line_width(cr, casing ? 2.4 : (k == 0 ? 1.4 : 0.9));
      cairo_stroke(cr);
    }
    const TextStyle label{.size = 7,
                          .bold = true,
                          .colour = colour,
                          .anchor = bar.standing ? Anchor::end : Anchor::middle};
    painter.text(
        threshold_text(t),
        bar.standing ? PlanPoint{p.x - reach - 2, p.y + 2.5} : PlanPoint{p.x, p.y - reach - 3},
        label);
  }
}

std::string named(double t) {
  for (const auto& n : text::kNamedThresholds) {
    if (n.microtesla == t) return n.name;
  }
  return "";
}

// One entry of the legend: its swatch, drawn by `swatch` in a 22 x 11 box,
// a line of text and an optional note under it.
struct LegendEntry {
  std::function<void(cairo_t*, double left, double top)> swatch;
  std::string label;
  std::string note;
};

constexpr double kSwatchWidth = 22;
constexpr double kSwatchHeight = 11;

void line_swatch(cairo_t* cr, double left, double top, Rgb colour, double width, bool cased) {
  cairo_move_to(cr, left, top + kSwatchHeight / 2);
  cairo_line_to(cr, left + kSwatchWidth, top + kSwatchHeight / 2);
  if (cased) {
    stroke_cased(cr, colour, width);
  } else {
    set_colour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  }
}

std::vector<LegendEntry> legend_entries(const FieldMap& map) {
  std::vector<LegendEntry> entries;
  if (!map.contours.empty()) {
    const ThresholdContours& first = map.contours.front();
    entries.push_back({[](cairo_t* cr, double left, double top) {
                         const Box box{left, top, left + kSwatchWidth, top + kSwatchHeight};
                         cairo_rectangle(cr, left, top, box.width(), box.height());
                         set_colour(cr, viridis(0.75));
                         cairo_fill(cr);
                         hatch_rings(cr, {{{box.left, box.top},
                                           {box.right, box.top},
                                           {box.right, box.bottom},
                                           {box.left, box.bottom},
                                           {box.left, box.top}}});
                         cairo_rectangle(cr, left, top, box.width(), box.height());
                         stroke_cased(cr, kAreaOutline, 1.5);
                       },
                       std::string(text::kAreaAbove) + threshold_text(first.threshold),
                       named(first.threshold)});
  }
  if (map.contours.size() > 1) {
    std::string levels = text::kLevelLines, names;
    for (std::size_t k = 1; k < map.contours.size(); ++k) {
      levels += (k == 1 ? "" : ", ") + coordinate_text(map.contours[k].threshold);
      const std::string meaning = named(map.contours[k].threshold);
      if (!meaning.empty()) names += (names.empty() ? "" : ", ") + meaning;
    }
    entries.push_back(
        {[](cairo_t* cr, double left, double top) { line_swatch(cr, left, top, kInk, 0.8, true); },
         levels + text::kMicrotesla, names});
  }
  if (!map.lines.empty()) {
    entries.push_back({[](cairo_t* cr, double left, double top) {
                         line_swatch(cr, left, top, kWhite, 2.2, false);
                         line_swatch(cr, left, top, kInk, 0.7, false);
                       },
                       text::kConductors, ""});
    for (const bool pylons : {true, false}) {
      if (std::none_of(map.lines.begin(), map.lines.end(),
                       [&](const PlanLine& l) { return l.overhead == pylons; })) {
        continue;
      }
      entries.push_back(
          {[pylons](cairo_t* cr, double left, double top) {
             support_mark(cr, {left + kSwatchWidth / 2, top + kSwatchHeight / 2}, pylons);
           },
           pylons ? text::kPylons : text::kCableVertices, ""});
    }
  }
  return entries;
}

double entry_height(const LegendEntry& e) { return e.note.empty() ? 17 : 25; }

double legend_bottom(const std::vector<LegendEntry>& entries, double top) {
  for (const LegendEntry& e : entries) top += entry_height(e);
  return top;
}

const TextStyle kLegendLabel{.size = 7.5};
const TextStyle kLegendNote{.size = 6.5, .colour = kMutedInk};

// The entries in `columns` columns from (left, top), each as wide as its
// widest text; returns the right end of the last column.
double draw_legend(Painter& painter, const std::vector<LegendEntry>& entries, double left,
                   double top, int columns) {
  const std::size_t per_column = (entries.size() + columns - 1) / std::max(columns, 1);
  double x = left;
  for (std::size_t first = 0; first < entries.size(); first += per_column) {
    double y = top, widest = 0;
    for (std::size_t k = first; k < std::min(entries.size(), first + per_column); ++k) {
      const LegendEntry& e = entries[k];
      e.swatch(painter.cr(), x, y);
      const double text_left = x + kSwatchWidth + 6;
      painter.text(e.label, {text_left, y + 8.5}, kLegendLabel);
      if (!e.note.empty()) painter.text(e.note, {text_left, y + 17}, kLegendNote);
      widest = std::max(
          {widest, painter.width(e.label, kLegendLabel), painter.width(e.note, kLegendNote)});
      y += entry_height(e);
    }
    x += kSwatchWidth + 6 + widest + 18;
  }
  return x;
}

// The scale bar from (left, top): four alternating parts of a round length
// of at most `longest` points.
void draw_scale_bar(Painter& painter, const MapFrame& f, double left, double top, double longest) {
  cairo_t* cr = painter.cr();
  // The longest round part (1, 2, 2.5 or 5 times a power of ten) that fits.
  const double most = longest / f.scale / 4;
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  double part = power;
  for (const double m : {2.0, 2.5, 5.0}) {
    if (m * power <= most) part = m * power;
  }
  const double bar = part * 4 * f.scale;
  const double y = top + 9;
  for (int k = 0; k < 4; ++k) {
    cairo_rectangle(cr, left + k * bar / 4, y, bar / 4, 4);
    set_colour(cr, k % 2 == 0 ? kInk : kWhite);
    cairo_fill_preserve(cr);
    set_colour(cr, kInk);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
  }
  const TextStyle number{.size = 6.5, .anchor = Anchor::middle};
  painter.text("0", {left, y - 3}, number);
  painter.text(coordinate_text(part * 2), {left + bar / 2, y - 3}, number);
  painter.text(coordinate_text(part * 4) + text::kMetres, {left + bar, y - 3}, number);
  painter.text(text::kScale + italian_number(f.denominator, 0) + text::kScaleEnd, {left, y + 15},
               TextStyle{.size = 7, .colour = kMutedInk});
}

// The north arrow with its tip at (x, top): Y grows north.
void draw_north(Painter& painter, double x, double top) {
  cairo_t* cr = painter.cr();
  painter.text(text::kNorth, {x, top + 8},
               TextStyle{.size = 9, .bold = true, .anchor = Anchor::middle});
  const double tip = top + 11, base = tip + 30;
  for (const double side : {1.0, -1.0}) {
    cairo_move_to(cr, x, tip);
    cairo_line_to(cr, x + 6.5 * side, base);
    cairo_line_to(cr, x, base - 7);
    cairo_close_path(cr);
    set_colour(cr, side > 0 ? kInk : kWhite);
    cairo_fill_preserve(cr);
    set_colour(cr, kInk);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
  }
}

// ---------------------------------------------------------------------------

std::string caption_text(const FieldMap& map) {
  const LatticeField& field = map.field;
  const PlanPoint at = field.maximum_point;
  std::string caption = text::kCaptionMaximum + field_text(field.maximum()) + text::kMicrotesla +
                        text::kCaptionAt + coordinate_text(at.x) + ", Y " + coordinate_text(at.y) +
                        text::kMetres;
  if (!map.contours.empty()) {
    const ThresholdContours& first = map.contours.front();
    caption +=
        std::string(text::kSourceSeparator) + text::kCaptionArea + threshold_text(first.threshold) +
        ": " +
        (first.area_m2 < 100 ? field_text(first.area_m2) : italian_number(first.area_m2, 0)) +
        " m²";
  }
  // Counted along X first, however the file runs.
  const RasterView& v = map.raster;
  caption += std::string(text::kSourceSeparator) + text::kCaptionLattice + int_text(v.columns) +
             " × " + int_text(v.rows) + text::kCaptionStep +
             coordinate_text(std::hypot(v.transform[1], v.transform[4])) + " × " +
             coordinate_text(std::hypot(v.transform[2], v.transform[5])) + text::kMetres;
  return caption;
}

// Two ways to lay out the page, whichever shows the map at the larger
// scale: the key in a column at the right of the map, or in a band under it
// (for a long and narrow area).
struct Layout {
  bool side = true;
  MapFrame map;
  double caption_top = 0;
};

constexpr double kAxisRoom = 44;      // the Y labels at the left of the map
constexpr double kBelowMap = 30;      // the X labels and title under it
constexpr double kBandHeight = 80;    // the key under the map
constexpr double kPanelHeight = 380;  // the key at the right
constexpr double kScaleBarRoom = 150;

Layout layout(const FieldMap& map) {
  const double top = kMargin + kHeaderHeight;
  const double bottom = kPageHeight - kMargin;
  const double left = kMargin + kAxisRoom;
  const double right = kPageWidth - kMargin;
  const double below = kBelowMap + kCaptionHeight;
  const Layout side{true, map_frame(map, {left, top, right - kPanelWidth - 28, bottom - below}), 0};
  const Layout band{false, map_frame(map, {left, top, right - 8, bottom - below - kBandHeight}), 0};
  Layout chosen = band.map.scale > side.map.scale * 1.02 ? band : side;
  // The map, its key and the caption stand in the middle of the height left.
  const double used = chosen.side ? std::max(chosen.map.frame.height() + kBelowMap, kPanelHeight)
                                  : chosen.map.frame.height() + kBelowMap + kBandHeight;
  const double shift = std::max(0.0, (bottom - top - used - kCaptionHeight) / 2);
  chosen.map.frame.top += shift;
  chosen.map.frame.bottom += shift;
  // And in the middle of the width: the map over the key that spans the
  // page, or the map beside its key.
  const double width = chosen.map.frame.width() + (chosen.side ? 40 + kPanelWidth : 0);
  const double across = std::max(0.0, (right - left - width) / 2);
  chosen.map.frame.left += across;
  chosen.map.frame.right += across;
  chosen.caption_top = chosen.map.frame.top + used + 6;
  return chosen;
}

void draw_page(Painter& painter, const FieldMap& map) {
  cairo_t* cr = painter.cr();
  set_colour(cr, kWhite);
  cairo_paint(cr);

  // The title, smaller when long, so that it fits the width.
  TextStyle title{.size = 17, .bold = true};
  const double room = kPageWidth - 2 * kMargin;
  while (title.size > 9 && painter.width(map.title, title) > room) title.size -= 0.5;
  painter.text(map.title, {kMargin, kMargin + 14}, title);
  painter.text(map.source, {kMargin, kMargin + 30}, TextStyle{.size = 8, .colour = kMutedInk});
  set_colour(cr, kInk, 0.25);
  cairo_set_line_width(cr, 0.5);
  cairo_move_to(cr, kMargin, kMargin + 40);
  cairo_line_to(cr, kPageWidth - kMargin, kMargin + 40);
  cairo_stroke(cr);

  const Layout l = layout(map);
  const MapFrame& f = l.map;
  const ColourScale scale(map.field.maximum());
  draw_map(painter, map, f, scale);
  const std::vector<LegendEntry> entries = legend_entries(map);
  const TextStyle heading{.size = 8.5, .bold = true};
  if (l.side) {
    const double left = f.frame.right + 40;
    const double top = f.frame.top;
    painter.text(text::kColourBarTitle, {left, top + 6}, heading);
    const ColourBar bar{.standing = true, .left = left + 48, .top = top + 18, .length = 180};
    draw_colour_bar(painter, map, scale, bar);
    const double below = legend_bottom(entries, bar.top + bar.length + 24);
    draw_legend(painter, entries, left, bar.top + bar.length + 24, 1);
    draw_scale_bar(painter, f, left, below + 10, 130);
    draw_north(painter, left + kPanelWidth - 14, below + 4);
  } else {
    const double top = f.frame.bottom + kBelowMap;
    const double left = kMargin + kAxisRoom;
    painter.text(text::kColourBarTitle, {left, top + 8}, heading);
    const ColourBar bar{.standing = false, .left = left, .top = top + 34, .length = 210};
    draw_colour_bar(painter, map, scale, bar);
    const double legend_left = left + bar.length + 36;
    const double legend_right =
        draw_legend(painter, entries, legend_left, top + 2, entries.size() > 3 ? 2 : 1);
    const double right = std::max(legend_right + kScaleBarRoom + 30, kPageWidth - kMargin);
    draw_scale_bar(painter, f, right - kScaleBarRoom - 30, top + 12, 130);
    draw_north(painter, right - 8, top);
  }

  const std::string caption = caption_text(map);
  painter.text(caption, {kMargin, l.caption_top + 10}, TextStyle{.size = 8});
}

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

Message failed(cairo_status_t status) {
  return error_message(text::kPictureFailed + std::string(cairo_status_to_string(status)));
}

}  // namespace

PlanPoint page_position(const FieldMap& map, PlanPoint point) {
  return layout(map).map.page(point);
}

FileBytes render_picture(const FieldMap& map, PictureFormat format, int dpi) {
  std::string bytes;
  Surface surface;
  switch (format) {
    case PictureFormat::png:
      surface.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24,
                                               static_cast<int>(std::lround(297 / 25.4 * dpi)),
                                               static_cast<int>(std::lround(210 / 25.4 * dpi))));
      break;
    case PictureFormat::svg:
      surface.reset(cairo_svg_surface_create_for_stream(append, &bytes, kPageWidth, kPageHeight));
      cairo_svg_surface_restrict_to_version(surface.get(), CAIRO_SVG_VERSION_1_2);
      break;
    case PictureFormat::pdf:
      surface.reset(cairo_pdf_surface_create_for_stream(append, &bytes, kPageWidth, kPageHeight));
      break;
  }
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return failed(cairo_surface_status(surface.get()));
  }
  const Context cr(cairo_create(surface.get()));
  if (format == PictureFormat::png) {
    cairo_scale(cr.get(), cairo_image_surface_get_width(surface.get()) / kPageWidth,
                cairo_image_surface_get_height(surface.get()) / kPageHeight);
  }
  Painter painter(cr.get(), format == PictureFormat::svg);
  draw_page(painter, map);
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return failed(cairo_status(cr.get()));
  if (format == PictureFormat::png) {
    const cairo_status_t written = cairo_surface_write_to_png_stream(surface.get(), append, &bytes);
    if (written != CAIRO_STATUS_SUCCESS) return failed(written);
    return bytes;
  }
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return failed(cairo_surface_status(surface.get()));
  }
  if (format == PictureFormat::svg) {
    const std::size_t end = bytes.rfind("</svg>");
    if (end != std::string::npos) {
      bytes.insert(end, "<g font-family=\"" + std::string(kFont) + ", sans-serif\">\n" +
                            painter.svg_texts() + "</g>\n");
    }
  }
  return bytes;
}

}  // namespace tralva
