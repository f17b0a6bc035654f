#include "map/field_map.h"

namespace tralva {

std::vector<PlanLine> plan_lines(const ConfigurationGeometry& geometry) {
  std::vector<PlanLine> lines;
  for (const LineGeometry& line : geometry.lines) {
    PlanLine plan;
    plan.overhead = line.is_overhead;
    for (std::size_t p = 0; p < line.x.size(); ++p) plan.supports.push_back({line.x[p], line.y[p]});
    for (int k = 0; k < line.conductor_count; ++k) {
      Polyline conductor;
      for (int s = 0; s + 1 < line.support_count; ++s) {
        for (const Point3& sample : line.spans[line.at_span(k, s)].samples) {
          const PlanPoint point{sample.x, sample.y};
          // A span starts where the one before it ends.
          if (conductor.points.empty() || !(conductor.points.back() == point)) {
            conductor.points.push_back(point);
          }
        }
      }
      plan.conductors.push_back(std::move(conductor));
    }
    lines.push_back(std::move(plan));
  }
  return lines;
}

FieldMapOutcome make_field_map(LatticeField field, std::span<const double> thresholds,
                               const ConfigurationGeometry* geometry, std::string title,
                               std::string source) {
  FieldMap map;
  map.raster = raster_view(field.lattice);
  auto contours = contour_field(field, map.raster, thresholds);
  if (auto* failure = std::get_if<Message>(&contours)) return *failure;
  map.contours = std::move(std::get<std::vector<ThresholdContours>>(contours));
  map.field = std::move(field);
  if (geometry != nullptr) map.lines = plan_lines(*geometry);
  map.title = std::move(title);
  map.source = std::move(source);
  return map;
}

}  // namespace tralva
