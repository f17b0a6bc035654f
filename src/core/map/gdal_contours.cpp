// The contours of the field from GDAL's contour generator: the threshold
// lines in one run, and for each threshold t the area where B >= t as the
// upper band of a run with the single level t (GDAL polygonizes the bands
// between consecutive levels, so a run with all thresholds would cut the
// area of 3 µT into the bands 3-10, 10-100 and 100 up).
#include <cpl_string.h>
#include <gdal_alg.h>
#include <ogr_api.h>

#include "common/format.h"
#include "map/contours.h"
#include "map/gdal_support.h"
#include "map/map_texts.h"

namespace tralva {
namespace {

struct LayerFeatures {
  OGRLayerH layer;
  // Calls `take` with each feature, which it must not keep.
  template <class Take>
  void each(Take take) const {
    OGR_L_ResetReading(layer);
    while (OGRFeatureH feature = OGR_L_GetNextFeature(layer)) {
      take(feature);
      OGR_F_Destroy(feature);
    }
  }
};

Polyline polyline_of(OGRGeometryH line) {
  Polyline polyline;
  const int count = OGR_G_GetPointCount(line);
  polyline.points.reserve(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k)
    polyline.points.push_back({OGR_G_GetX(line, k), OGR_G_GetY(line, k)});
  return polyline;
}

void add_polygons(OGRGeometryH geometry, std::vector<Polygon>& polygons) {
  const OGRwkbGeometryType type = wkbFlatten(OGR_G_GetGeometryType(geometry));
  if (type == wkbMultiPolygon) {
    for (int k = 0; k < OGR_G_GetGeometryCount(geometry); ++k) {
      add_polygons(OGR_G_GetGeometryRef(geometry, k), polygons);
    }
    return;
  }
  if (type != wkbPolygon) return;
  Polygon polygon;
  for (int k = 0; k < OGR_G_GetGeometryCount(geometry); ++k) {
    polygon.rings.push_back(polyline_of(OGR_G_GetGeometryRef(geometry, k)));
  }
  polygons.push_back(std::move(polygon));
}

// The thresholds as GDAL reads them back: exactly the same numbers.
std::string levels_text(std::span<const double> thresholds) {
  std::string text;
  for (const double t : thresholds) text += (text.empty() ? "" : ",") + general_text(t, 17);
  return text;
}

bool run_contours(GDALRasterBandH band, OGRLayerH layer, std::span<const double> levels,
                  bool polygons) {
  char** options = nullptr;
  options = CSLSetNameValue(options, "FIXED_LEVELS", levels_text(levels).c_str());
  if (polygons) {
    options = CSLSetNameValue(options, "POLYGONIZE", "YES");
    options = CSLSetNameValue(options, "ELEV_FIELD_MAX", "0");
  } else {
    options = CSLSetNameValue(options, "ELEV_FIELD", "0");
  }
  const CPLErr done = GDALContourGenerateEx(band, layer, options, nullptr, nullptr);
  CSLDestroy(options);
  return done == CE_None;
}

}  // namespace

ContoursOutcome contour_field(const LatticeField& field, const RasterView& view,
                              std::span<const double> thresholds) {
  const auto failed = [] { return error_message(map_text::kContoursFailed + gdal::last_error()); };
  const gdal::Dataset raster = gdal::field_raster(field, view, GDT_Float64);
  GDALDriverH memory = GDALGetDriverByName("Memory");
  if (!raster || memory == nullptr) return failed();
  const gdal::Dataset vectors(GDALCreate(memory, "", 0, 0, 0, GDT_Unknown, nullptr));
  if (!vectors) return failed();
  GDALRasterBandH band = GDALGetRasterBand(raster.get(), 1);

  std::vector<ThresholdContours> contours(thresholds.size());
  for (std::size_t k = 0; k < thresholds.size(); ++k) contours[k].threshold = thresholds[k];
  const auto of_level = [&](double level) -> ThresholdContours* {
    for (ThresholdContours& c : contours) {
      if (c.threshold == level) return &c;
    }
    return nullptr;
  };

  OGRLayerH lines = gdal::make_layer(vectors.get(), "lines", nullptr, wkbLineString, {"level"});
  if (lines == nullptr || !run_contours(band, lines, thresholds, false)) return failed();
  LayerFeatures{lines}.each([&](OGRFeatureH feature) {
    if (ThresholdContours* c = of_level(OGR_F_GetFieldAsDouble(feature, 0))) {
      c->lines.push_back(polyline_of(OGR_F_GetGeometryRef(feature)));
    }
  });

  for (ThresholdContours& c : contours) {
    const std::string name = "bands" + int_text(static_cast<std::int64_t>(&c - contours.data()));
    OGRLayerH bands =
        gdal::make_layer(vectors.get(), name.c_str(), nullptr, wkbMultiPolygon, {"high"});
    if (bands == nullptr || !run_contours(band, bands, std::span(&c.threshold, 1), true)) {
      return failed();
    }
    // The band from t up, which ends at the raster's maximum; the one below
    // ends at t.  Either may be missing, when no value lies on its side.
    LayerFeatures{bands}.each([&](OGRFeatureH feature) {
      if (OGR_F_GetFieldAsDouble(feature, 0) == c.threshold) return;
      OGRGeometryH geometry = OGR_F_GetGeometryRef(feature);
      if (geometry == nullptr) return;
      add_polygons(geometry, c.area);
      c.area_m2 += OGR_G_Area(geometry);
    });
  }
  return contours;
}

}  // namespace tralva
