#pragma once
// tralva-util's commands on line geometry.

#include "cli.h"

namespace tralva::cli {

// angoli X1 Y1 X2 Y2 [X3 Y3 ... X6 Y6]: the cross-arm angle of every pylon,
// one per line, "%g".
int run_angoli(const Arguments& arguments, Io& io);

// geometria FILE: the conductor geometry of a project as JSON.
int run_geometria(const Arguments& arguments, Io& io);

// disegna FILE [--proiezione XY|YZ|XZ] [--x MIN MAX] [--y MIN MAX] [--z MIN MAX]
// [--adatta] -o OUT: the configuration view of a project, drawn as the
// viewer draws it, written to OUT as its display list (.json) or as a
// drawing (.svg).  OUT is written only when everything has succeeded.
int run_disegna(const Arguments& arguments, Io& io);

}  // namespace tralva::cli
