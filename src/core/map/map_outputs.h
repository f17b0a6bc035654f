#pragma once
// The field map of a result, written to every file asked for: pictures for
// a report (PNG, SVG, PDF, drawn by Cairo) and files for GIS (GeoTIFF,
// GeoPackage, written by GDAL), all from one drawing model.  Every file goes
// to its temporary through the one save path, and the targets are replaced
// only when all are complete: on any failure none of them changes.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/message.h"
#include "map/lattice.h"

namespace tralva {

enum class MapFormat { png, svg, pdf, geotiff, geopackage };

// The format of an output from its extension, in any case: .png, .svg,
// .pdf, .tif or .tiff, .gpkg; nullopt for any other.
std::optional<MapFormat> map_format(std::string_view path);
bool is_gis(MapFormat format);

// The Italian quality objective, attention value and exposure limit, µT.
inline constexpr double kDefaultThresholds[] = {3, 10, 100};
inline constexpr std::size_t kMaxThresholds = 8;
inline constexpr int kDefaultDpi = 300;
// A page of 600 dpi is 7016 x 4961 pixels, 140 MB in memory.
inline constexpr int kMinDpi = 30;
inline constexpr int kMaxDpi = 600;

struct MapRequest {
  std::string result_path;
  std::string project_path;  // empty: no line on the map
  // Positive, increasing, at most kMaxThresholds.
  std::vector<double> thresholds{std::begin(kDefaultThresholds), std::end(kDefaultThresholds)};
  std::optional<int> epsg;  // a code PROJ knows
  std::string title;        // empty: the usual one
  int dpi = kDefaultDpi;
  std::vector<std::string> outputs;  // distinct, each of a known format
};

struct ThresholdArea {
  double threshold = 0;
  double area_m2 = 0;
};

struct MapSummary {
  std::vector<std::string> written;
  Lattice lattice;
  double maximum = 0;
  PlanPoint maximum_at;
  std::vector<ThresholdArea> areas;
  // GIS files without a coordinate system.
  std::optional<Message> warning;
};

using MapOutcome = std::variant<MapSummary, Message>;

MapOutcome make_maps(const MapRequest& request);

// What the command prints when the maps are written.
std::string map_summary_text(const MapSummary& summary);

}  // namespace tralva
