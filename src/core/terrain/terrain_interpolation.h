#pragma once
// The terrain over a base file from a survey of spot heights: the height of
// the ground at every point of the base file by inverse distance weighting,
// written as a GIS terrain file that the field calculation reads as its
// points: the header "X\tY\tZ", then one point per line in the base file's
// order, X and Y as read from it with the precision's decimals, Z with two,
// every line ending with CR LF.

#include <cstdint>
#include <string>
#include <variant>

#include "common/message.h"
#include "common/progress.h"
#include "common/work_part.h"

namespace tralva {

struct TerrainRequest {
  std::string base_path;          // any point file: its X and Y are used, its Z is not
  std::string spot_heights_path;  // the survey
  std::string terrain_path;       // the file to write
  float alpha = 1;                // the power of the distance in the weights, finite, >= 0
  std::int32_t neighbours = 5;    // how many spot heights count, >= 1
  std::string precision = "m";
  WorkPart part;
  int threads = 0;  // 0: every core the process may run on
};

struct TerrainSummary {
  std::int64_t points = 0;  // written
  double lowest = 0;        // of the heights written
  double highest = 0;
};

using TerrainOutcome = std::variant<TerrainSummary, Message>;

// Reads the survey whole and the base file as a stream, computes on every
// core and writes the terrain file; progress from 0 to 1000 with the
// remaining time.  On any failure nothing is written and the target is as
// it was.
TerrainOutcome interpolate_terrain(const TerrainRequest& request, ProgressSink& sink, Clock& clock);

// "Orografia creata con successo." and the summary as the user reads it.
std::string terrain_summary_text(const TerrainSummary& summary);

// What the calculation would take, told before it is run: the points of the
// part, the spot heights, and the time on this machine from a sample of the
// part (runs of neighbouring points) computed for a moment on every core.
struct TerrainEstimate {
  std::int64_t points = 0;
  std::int64_t spot_heights = 0;
  double seconds = 0;
  int threads = 1;
};

using TerrainEstimateOutcome = std::variant<TerrainEstimate, Message>;

// Every check of interpolate_terrain, the output path's included, then the
// estimate; nothing is written.
TerrainEstimateOutcome estimate_terrain(const TerrainRequest& request);

std::string terrain_estimate_text(const TerrainEstimate& estimate);

}  // namespace tralva
