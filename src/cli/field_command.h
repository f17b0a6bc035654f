#pragma once
// tralva-util's magnetic-field calculation.  Its usage and options are in
// cli_texts.h.

#include "options.h"

namespace tralva::cli {

// campo: the field over a plane grid or at the points of a file (at one
// height or several above each); writes the GIS result file and prints a
// summary of the field found.
int run_campo(const ParsedArguments& arguments, Io& io);

}  // namespace tralva::cli
