#pragma once
// The field map as it is drawn and exported, whoever draws it: the lattice
// of the result with its values, the threshold lines and areas from GDAL's
// contour generator, and the project's conductors and supports in plan.
// The Cairo renderer and the GIS writer both draw from it.

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "geometry/configuration.h"
#include "map/contours.h"
#include "map/lattice.h"

namespace tralva {

// A line of the project in plan: each conductor as the polyline the field
// was computed from (its spans' samples, joined), and the supports.
struct PlanLine {
  bool overhead = false;
  std::vector<Polyline> conductors;
  std::vector<PlanPoint> supports;
};

struct FieldMap {
  LatticeField field;
  RasterView raster;
  std::vector<ThresholdContours> contours;  // by increasing threshold
  std::vector<PlanLine> lines;              // empty without a project
  std::string title;
  std::string source;  // the files it comes from, for the caption
};

using FieldMapOutcome = std::variant<FieldMap, Message>;

// A file made whole in memory, or why it could not be.
using FileBytes = std::variant<std::string, Message>;

// `geometry` may be null: a map without the line.
FieldMapOutcome make_field_map(LatticeField field, std::span<const double> thresholds,
                               const ConfigurationGeometry* geometry, std::string title,
                               std::string source);

std::vector<PlanLine> plan_lines(const ConfigurationGeometry& geometry);

}  // namespace tralva
