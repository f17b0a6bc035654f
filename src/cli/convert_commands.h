#pragma once
// tralva-util's commands on grid files and projects: the "Interpolazione"
// and "Utilità" pages in batch.  Their usage and options are in
// cli_texts.h.

#include "options.h"

namespace tralva::cli {

// griglia: writes a base grid file.
int run_griglia(const ParsedArguments& arguments, Io& io);

// risultato: a plane's GIS result as a spreadsheet matrix.
int run_risultato(const ParsedArguments& arguments, Io& io);

// orografia: a matrix as a GIS list of points.
int run_orografia(const ParsedArguments& arguments, Io& io);

// unisci: adds the lines of one project to another.
int run_unisci(const ParsedArguments& arguments, Io& io);

}  // namespace tralva::cli
