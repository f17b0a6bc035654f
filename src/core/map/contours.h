#pragma once
// The threshold lines of a field and the areas where it reaches each
// threshold, from GDAL's contour generator (implemented in
// gdal_contours.cpp, the only file of the map's drawing model that sees
// GDAL).  Values are taken at the pixel centres of the lattice's raster and
// interpolated linearly between them; an area runs to the outer edges of the
// border pixels, so that each point stands for its whole cell.

#include <span>
#include <variant>
#include <vector>

#include "common/message.h"
#include "map/lattice.h"

namespace tralva {

struct Polyline {
  std::vector<PlanPoint> points;
};

// The first ring bounds the polygon, the others are its holes; every ring
// is closed (its last point is its first).
struct Polygon {
  std::vector<Polyline> rings;
};

struct ThresholdContours {
  double threshold = 0;         // µT
  std::vector<Polyline> lines;  // where B = threshold
  std::vector<Polygon> area;    // where B >= threshold
  double area_m2 = 0;
};

// One entry per threshold, in the order given (increasing).
using ContoursOutcome = std::variant<std::vector<ThresholdContours>, Message>;
ContoursOutcome contour_field(const LatticeField& field, const RasterView& view,
                              std::span<const double> thresholds);

}  // namespace tralva
