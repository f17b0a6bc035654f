#pragma once
// What the configuration view draws, as a list: every segment that reaches
// the screen, in whole client pixels of the viewer's window, with the pen
// code it is drawn with, in drawing order.  The window paints the list; the
// batch tool writes it as JSON or SVG.  The same list, pixel for pixel,
// whoever draws it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.h"
#include "geometry/configuration.h"

namespace tralva {

// The three orthogonal views: plan and two elevations.
enum class Projection { xy, yz, xz };

// "XY", "YZ", "XZ", as the projection list offers them.
std::optional<Projection> projection_from_text(std::string_view text);
std::string_view projection_text(Projection projection);

struct AxisLabels {
  std::string_view horizontal;  // at the bottom right of the drawing area
  std::string_view vertical;    // at the top left
};
AxisLabels axis_labels(Projection projection);

// The six bounds the user types, in metres.
struct ViewBounds {
  double x_min = 0, x_max = 0;
  double y_min = 0, y_max = 0;
  double z_min = 0, z_max = 0;

  bool operator==(const ViewBounds&) const = default;
};

// A rectangle of client pixels, edges included.
struct PixelRect {
  int left, top, right, bottom;
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
};

// Where the world is mapped to, whatever the size of the window.
inline constexpr PixelRect kPlotRect{250, 40, 990, 690};
// The sunken frame around it, as the window shows it at the classic font
// metrics: the plot lies just inside.
inline constexpr PixelRect kFrameRect{244, 34, 996, 697};

// Pen codes: a conductor's phase code, or the structure code for pylons.
inline constexpr std::int32_t kStructureCode = 1000;

// A solid pen: colour and width in pixels.
struct Pen {
  std::uint8_t red, green, blue;
  int width;
};
// Structure grey and 4 wide; phase 0 red, 120 green, any other code blue, 2 wide.
Pen pen_for(std::int32_t code);

// Where the axis letters start (their top left), in client pixels.
inline constexpr int kVerticalLabelAt[] = {250, 39};
inline constexpr int kHorizontalLabelAt[] = {982, 679};

struct DrawnSegment {
  std::int32_t code = 0;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;

  bool operator==(const DrawnSegment&) const = default;
};

// The segment from (x1, y1) to (x2, y2), real client pixels, clipped to the
// plot rectangle: the whole pixels drawn, or nullopt when nothing is drawn
// (wholly outside, a single point, a coordinate that is not finite).  The
// classic parameter order is kept.
std::optional<DrawnSegment> draw_clipped_segment(std::int32_t code, double x1, double x2, double y1,
                                                 double y2);

// World coordinates to real client pixels: the projection takes one world
// coordinate as horizontal u and one as vertical v, and each is scaled on its
// own from its bounds onto the plot rectangle, v growing upwards.
class PlotMapping {
 public:
  PlotMapping(Projection projection, const ViewBounds& bounds);

  double u(double x, double y) const { return projection_ == Projection::yz ? y : x; }
  double v(double y, double z) const { return projection_ == Projection::xy ? y : z; }
  double column(double u) const {
    return (u - u_min_) / (u_max_ - u_min_) * kPlotRect.width() + kPlotRect.left;
  }
  double row(double v) const {
    return kPlotRect.bottom - (v - v_min_) / (v_max_ - v_min_) * kPlotRect.height();
  }

 private:
  Projection projection_;
  double u_min_, u_max_, v_min_, v_max_;
};

struct DisplayList {
  Projection projection = Projection::xy;
  std::vector<DrawnSegment> segments;  // in drawing order
};

// Projects and scales every line of the geometry onto the plot rectangle
// and clips it: for each line, each conductor, its pylon outlines (overhead
// lines only), then its spans.  The bounds must be increasing on every axis.
DisplayList make_display_list(const ConfigurationGeometry& geometry, Projection projection,
                              const ViewBounds& bounds);

// The checks of the drawing command before anything is erased: the path,
// then the X, Y and Z bounds (all three whatever the projection).
std::optional<Message> check_data_path(const std::string& data_path);
std::optional<Message> check_view_bounds(const ViewBounds& bounds);

// The extent of everything that would be drawn (suspension points, samples,
// and the supports of overhead lines with their ground and top levels),
// widened by 5 % on each side; an axis without width gets 1 m on each side.
// nullopt when the geometry has nothing to draw.
std::optional<ViewBounds> fitted_bounds(const ConfigurationGeometry& geometry);

// The drawing as an SVG document in client-pixel user units: the frame, the
// axis letters and one line per drawn segment, in drawing order.
std::string display_list_svg(const DisplayList& list);

// The list as JSON, one line ended by CR LF:
// {"projection":"XY","horizontal_axis_label":"X","vertical_axis_label":"Y",
//  "plot":[250,40,990,690],"segments":[[code,x1,y1,x2,y2],...]}
std::string display_list_json(const DisplayList& list);

// Writes a drawing's bytes to `path` through a temporary file beside it, so
// that a failed write leaves an existing file as it was; the error to show
// when it fails.
std::optional<Message> write_drawing(const std::string& path, std::string_view bytes);

}  // namespace tralva
