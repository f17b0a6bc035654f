#pragma once
// tralva-util's commands on line geometry.  Their usage and options are in
// cli_texts.h.

#include "options.h"

namespace tralva::cli {

// angoli: the cross-arm angle of every pylon, one per line, "%g".
int run_angoli(const ParsedArguments& arguments, Io& io);

// geometria: the conductor geometry of a project as JSON.
int run_geometria(const ParsedArguments& arguments, Io& io);

// disegna: the configuration view of a project, drawn as the viewer draws
// it, written as its display list (.json) or as a drawing (.svg), and only
// when everything has succeeded.
int run_disegna(const ParsedArguments& arguments, Io& io);

}  // namespace tralva::cli
