#pragma once
// The comparison baseline of the benchmark: the same file operations written
// the plain way, with fscanf and fprintf for every value, the whole input
// held in memory as the algorithms describe it, and no progress reporting
// (which only makes the baseline faster).  Only for well-formed inputs; the
// C library must be in the "C" locale.

#include "convert/base_grid.h"
#include "convert/project_merge.h"
#include "convert/result_conversion.h"
#include "convert/terrain_conversion.h"

namespace tralva::plain {

bool create_base_file(const BaseGridRequest& request);
bool convert_result(const ResultConversionRequest& request);
bool convert_terrain(const TerrainConversionRequest& request);
bool merge_projects(const MergeRequest& request);

}  // namespace tralva::plain
