#include "map/gdal_writer.h"

#include <cpl_conv.h>
#include <cpl_vsi.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>
#include <unistd.h>

#include <atomic>

#include "common/format.h"
#include "map/gdal_support.h"
#include "map/map_texts.h"

namespace tralva {
namespace {

struct SpatialReferenceDeleter {
  void operator()(void* srs) const { OSRDestroySpatialReference(srs); }
};
using SpatialReference = std::unique_ptr<void, SpatialReferenceDeleter>;

// X east and Y north even where the system lists northing first (RDN2008 /
// UTM, 6707 and 6708): our coordinates are X, Y.
SpatialReference spatial_reference(int code) {
  gdal::start();
  SpatialReference srs(OSRNewSpatialReference(nullptr));
  if (!srs || OSRImportFromEPSG(srs.get(), code) != OGRERR_NONE) return nullptr;
  OSRSetAxisMappingStrategy(srs.get(), OAMS_TRADITIONAL_GIS_ORDER);
  return srs;
}

// A file in GDAL's memory, removed when done with.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view extension) {
    static std::atomic<unsigned> counter{0};
    path_ = "/vsimem/tralva-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
            std::string(extension);
  }
  ~MemoryFile() { VSIUnlink(path_.c_str()); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  const char* path() const { return path_.c_str(); }
  std::string bytes() const {
    vsi_l_offset length = 0;
    const GByte* data = VSIGetMemFileBuffer(path_.c_str(), &length, FALSE);
    return data != nullptr ? std::string(reinterpret_cast<const char*>(data), length)
                           : std::string();
  }

 private:
  std::string path_;
};

Message failed(std::string_view format) {
  return error_message(map_text::kGisFailed + std::string(format) + ":\n" + gdal::last_error());
}

OGRGeometryH line_string(const Polyline& polyline, OGRwkbGeometryType type) {
  OGRGeometryH line = OGR_G_CreateGeometry(type);
  OGR_G_SetPointCount(line, static_cast<int>(polyline.points.size()));
  for (std::size_t k = 0; k < polyline.points.size(); ++k) {
    OGR_G_SetPoint_2D(line, static_cast<int>(k), polyline.points[k].x, polyline.points[k].y);
  }
  return line;
}

OGRGeometryH multipolygon(const std::vector<Polygon>& polygons) {
  OGRGeometryH multi = OGR_G_CreateGeometry(wkbMultiPolygon);
  for (const Polygon& polygon : polygons) {
    OGRGeometryH part = OGR_G_CreateGeometry(wkbPolygon);
    for (const Polyline& ring : polygon.rings) {
      OGR_G_AddGeometryDirectly(part, line_string(ring, wkbLinearRing));
    }
    OGR_G_AddGeometryDirectly(multi, part);
  }
  return multi;
}

// A feature of `geometry` (taken) with the values of the layer's fields in order.
bool add_feature(OGRLayerH layer, OGRGeometryH geometry, std::initializer_list<double> values) {
  OGRFeatureH feature = OGR_F_Create(OGR_L_GetLayerDefn(layer));
  int field = 0;
  for (const double value : values) OGR_F_SetFieldDouble(feature, field++, value);
  OGR_F_SetGeometryDirectly(feature, geometry);
  const bool made = OGR_L_CreateFeature(layer, feature) == OGRERR_NONE;
  OGR_F_Destroy(feature);
  return made;
}

}  // namespace

bool known_epsg(int code) { return code > 0 && spatial_reference(code) != nullptr; }

FileBytes geotiff_bytes(const FieldMap& map, std::optional<int> epsg) {
  const SpatialReference srs = epsg ? spatial_reference(*epsg) : nullptr;
  const MemoryFile file(".tif");
  {
    const gdal::Dataset raster = gdal::field_raster(map.field, map.raster, GDT_Float32);
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    if (!raster || driver == nullptr) return failed("GeoTIFF");
    GDALRasterBandH band = GDALGetRasterBand(raster.get(), 1);
    GDALSetDescription(band, "B [uT]");
    GDALSetRasterUnitType(band, "uT");
    if (srs) GDALSetSpatialRef(raster.get(), srs.get());
    const gdal::Dataset copy(
        GDALCreateCopy(driver, file.path(), raster.get(), FALSE, nullptr, nullptr, nullptr));
    if (!copy) return failed("GeoTIFF");
  }
  return file.bytes();
}

FileBytes geopackage_bytes(const FieldMap& map, std::optional<int> epsg) {
  gdal::start();
  const SpatialReference srs = epsg ? spatial_reference(*epsg) : nullptr;
  const MemoryFile file(".gpkg");
  {
    GDALDriverH driver = GDALGetDriverByName("GPKG");
    const gdal::Dataset dataset(driver != nullptr
                                    ? GDALCreate(driver, file.path(), 0, 0, 0, GDT_Unknown, nullptr)
                                    : nullptr);
    if (!dataset) return failed("GeoPackage");
    OGRLayerH lines =
        gdal::make_layer(dataset.get(), "isolinee", srs.get(), wkbLineString, {"soglia_uT"});
    OGRLayerH areas = gdal::make_layer(dataset.get(), "fasce", srs.get(), wkbMultiPolygon,
                                       {"soglia_uT", "area_m2"});
    if (lines == nullptr || areas == nullptr ||
        GDALDatasetStartTransaction(dataset.get(), FALSE) != OGRERR_NONE) {
      return failed("GeoPackage");
    }
    for (const ThresholdContours& c : map.contours) {
      for (const Polyline& line : c.lines) {
        if (!add_feature(lines, line_string(line, wkbLineString), {c.threshold})) {
          return failed("GeoPackage");
        }
      }
      if (!c.area.empty() && !add_feature(areas, multipolygon(c.area), {c.threshold, c.area_m2})) {
        return failed("GeoPackage");
      }
    }
    if (GDALDatasetCommitTransaction(dataset.get()) != OGRERR_NONE) return failed("GeoPackage");
  }
  return file.bytes();
}

}  // namespace tralva
