#pragma once
// tralva-util's terrain from spot heights.

#include "cli.h"

namespace tralva::cli {

// interpola BASE PUNTI_QUOTATI [--alfa A] [--vicini N] [--precisione m|dm|cm|mm]
//           [--parte K/N] OROGRAFIA
// Writes the GIS terrain file and prints the points written and the lowest
// and highest height.
int run_interpola(const Arguments& arguments, Io& io);

}  // namespace tralva::cli
