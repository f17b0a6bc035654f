#pragma once
// Terrain matrix to GIS terrain file.  The matrix: a first line with a corner
// number and the X of every column, each followed by exactly one character
// (the last by the line feed), then one line per row with its Y and the
// heights.  The GIS file: "X\tY\tZ", then one line per point, rows in file
// order and X varying fastest, Z with two decimals.

#include <string>

#include "common/message.h"
#include "common/progress.h"

namespace tralva {

// The values of the "Rendi l'orografia ..." group.
struct TerrainConversionRequest {
  std::string terrain_input_path;
  std::string terrain_gis_path;
  std::string terrain_precision = "m";
};

// The group's "Converti".  The columns come from the first line and the rows
// from the number count of the whole file, as the matrix is not validated:
// values that cannot be read are written as 0.  Refused before anything is
// written: a first line without a line feed or without columns, a matrix
// without rows, a value beyond the range of its type, an output that is the
// input, an output that does not fit on its disk.  The matrix is streamed
// row by row, so memory depends on the columns only.  Progress after every
// row; on success the bar is left full for the caller to reset once the
// message is dismissed.
Message convert_terrain(const TerrainConversionRequest& request, ProgressSink& sink, Clock& clock);

}  // namespace tralva
