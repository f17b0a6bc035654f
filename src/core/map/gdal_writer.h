#pragma once
// The GIS files of a field map, written by GDAL (gdal_writer.cpp is the
// only file that does): a GeoTIFF of B and a GeoPackage of the threshold
// lines and areas.  Both need a lattice along the axes.  Each is made in
// memory and handed back whole, for the one save path to write.

#include <optional>
#include <string>

#include "common/message.h"
#include "map/field_map.h"

namespace tralva {

// True when PROJ knows the EPSG code.
bool known_epsg(int code);

// One Float32 band of B in µT, a pixel per lattice point with the point at
// its centre, north up; in the coordinate system of `epsg` (X east, Y north,
// whatever the system's own axis order), or none.
FileBytes geotiff_bytes(const FieldMap& map, std::optional<int> epsg);

// The layers "isolinee" (the threshold lines, attribute soglia_uT) and
// "fasce" (for each threshold the area where B reaches it, as one
// multipolygon, attributes soglia_uT and area_m2).
FileBytes geopackage_bytes(const FieldMap& map, std::optional<int> epsg);

}  // namespace tralva
