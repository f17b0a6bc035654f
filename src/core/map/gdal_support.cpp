#include "map/gdal_support.h"

#include <cpl_error.h>

#include <mutex>
#include <vector>

namespace tralva::gdal {
namespace {

template <class T>
CPLErr write_values(GDALRasterBandH band, const LatticeField& field, const RasterView& view,
                    GDALDataType type) {
  std::vector<T> values = raster_values<T>(field, view);
  const auto columns = static_cast<int>(view.columns);
  const auto rows = static_cast<int>(view.rows);
  return GDALRasterIO(band, GF_Write, 0, 0, columns, rows, values.data(), columns, rows, type, 0,
                      0);
}

}  // namespace

void start() {
  static std::once_flag once;
  std::call_once(once, [] {
    GDALAllRegister();
    CPLSetErrorHandler(CPLQuietErrorHandler);
  });
}

std::string last_error() {
  const char* text = CPLGetLastErrorMsg();
  return text != nullptr ? text : "";
}

Dataset field_raster(const LatticeField& field, const RasterView& view, GDALDataType type) {
  start();
  GDALDriverH memory = GDALGetDriverByName("MEM");
  if (memory == nullptr) return nullptr;
  Dataset raster(GDALCreate(memory, "", static_cast<int>(view.columns), static_cast<int>(view.rows),
                            1, type, nullptr));
  if (!raster) return nullptr;
  double transform[6];
  std::copy(std::begin(view.transform), std::end(view.transform), transform);
  GDALSetGeoTransform(raster.get(), transform);
  GDALRasterBandH band = GDALGetRasterBand(raster.get(), 1);
  const CPLErr written = type == GDT_Float32 ? write_values<float>(band, field, view, type)
                                             : write_values<double>(band, field, view, type);
  return written == CE_None ? std::move(raster) : nullptr;
}

OGRLayerH make_layer(GDALDatasetH dataset, const char* name, OGRSpatialReferenceH srs,
                     OGRwkbGeometryType type, std::initializer_list<const char*> fields) {
  OGRLayerH layer = GDALDatasetCreateLayer(dataset, name, srs, type, nullptr);
  if (layer == nullptr) return nullptr;
  for (const char* field : fields) {
    OGRFieldDefnH definition = OGR_Fld_Create(field, OFTReal);
    const OGRErr made = OGR_L_CreateField(layer, definition, TRUE);
    OGR_Fld_Destroy(definition);
    if (made != OGRERR_NONE) return nullptr;
  }
  return layer;
}

}  // namespace tralva::gdal
