#pragma once
// tralva-util's field map.  Its usage and options are in cli_texts.h.

#include "options.h"

namespace tralva::cli {

// mappa: the map of a field result, for a report (PNG, SVG, PDF) and for GIS
// (GeoTIFF, GeoPackage), written to every file named; prints a summary.
int run_mappa(const ParsedArguments& arguments, Io& io);

}  // namespace tralva::cli
