#pragma once
// What the map's two GDAL files share: GDAL set up once, datasets that close
// themselves, and the field as an in-memory raster.  Only gdal_contours.cpp
// and gdal_writer.cpp include it.

#include <gdal.h>
#include <ogr_api.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "map/lattice.h"

namespace tralva::gdal {

// Registers the drivers once; GDAL's own messages are kept for ours rather
// than printed.
void start();

// The text of GDAL's last error, "" when it gave none.
std::string last_error();

struct DatasetCloser {
  void operator()(void* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

// The field on the raster of `view`, one band of `type`, with its
// geotransform; null when GDAL cannot make it.
Dataset field_raster(const LatticeField& field, const RasterView& view, GDALDataType type);

// A layer of `dataset` with real-valued fields of the given names, in order;
// null when GDAL cannot make it.  `srs` may be null.
OGRLayerH make_layer(GDALDatasetH dataset, const char* name, OGRSpatialReferenceH srs,
                     OGRwkbGeometryType type, std::initializer_list<const char*> fields);

}  // namespace tralva::gdal
