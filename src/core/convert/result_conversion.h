#pragma once
// GIS result file to spreadsheet matrix.  The result file: a first line of
// any content, then one record per grid point (X, Y, Z, field value), grid
// rows of steps_x + 1 records one after the other.  The matrix: "0.0" and
// the column coordinates, then per row its coordinate and the field values
// with three decimals; no line end after the last row.

#include <cstdint>
#include <string>

#include "common/message.h"
#include "common/progress.h"

namespace tralva {

// The values of the "Converti il risultato ..." group.
struct ResultConversionRequest {
  std::int32_t steps_x = 0;
  std::int32_t steps_y = 0;
  std::string fi = "0";  // the lists' texts: "0", "90", "180", "270"
  std::string psi = "0";
  std::string result_precision = "m";
  std::string gis_input_path;
  std::string conversion_output_path;
};

// The group's "Converti".  Counts the values first and refuses a count other
// than 4 x (steps_x + 1) x (steps_y + 1), negative step counts included,
// before anything is written; then reads (progress 0 to 500) and writes
// (500 to 1000).  On success the bar is left full for the caller to reset
// once the message is dismissed.  On any failure the output is as it was.
Message convert_result(const ResultConversionRequest& request, ProgressSink& sink, Clock& clock);

}  // namespace tralva
