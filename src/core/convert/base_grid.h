#pragma once
// The base grid file: a header "X\tY\tZ", then one line per point of a square
// grid, X outer and Y inner, with height 0.

#include <cstdint>
#include <string>

#include "common/message.h"
#include "common/progress.h"

namespace tralva {

// The values of the "Creazione del file di base" group.
struct BaseGridRequest {
  double origin_x = 0;
  double origin_y = 0;
  std::int32_t steps_x = 0;
  std::int32_t steps_y = 0;
  float step = 1.0f;
  std::string base_precision = "m";
  std::string base_file_path;
};

// "Crea il file di base": checks the values, writes the file and drives the
// progress (range, position after the points, remaining time after the
// columns, refreshes at most about once a second).  Returns the message to
// show; on success the bar is left full and the caller sets it back to 0 once
// the message is dismissed.  On any failure the file is as it was.
Message create_base_file(const BaseGridRequest& request, ProgressSink& sink, Clock& clock);

// The size in bytes of the file create_base_file writes, computed without
// writing it (saturating at the largest 64-bit value).
std::uint64_t base_file_size(const BaseGridRequest& request);

}  // namespace tralva
