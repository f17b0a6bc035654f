#pragma once
// tralva-util's terrain from spot heights.  Its usage and options are in
// cli_texts.h.

#include "options.h"

namespace tralva::cli {

// interpola: writes the GIS terrain file and prints the points written and
// the lowest and highest height.
int run_interpola(const ParsedArguments& arguments, Io& io);

}  // namespace tralva::cli
