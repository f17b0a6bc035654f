#pragma once
// tralva-util's magnetic-field calculation.

#include "cli.h"

namespace tralva::cli {

// campo PROGETTO --piano --origine X Y --passo SX SY --passi NX NY [--fi F] [--psi P]
//       [--quota Q] [--buffer B] [--precisione m|dm|cm|mm] [--parte K/N] USCITA
// campo PROGETTO --punti FILE [--passo-z DZ] [--passi-z NZ] [--massimo] [--quota Q]
//       [--buffer B] [--precisione m|dm|cm|mm] [--parte K/N] USCITA
// Writes the GIS result file and prints a summary of the field found.
int run_campo(const Arguments& arguments, Io& io);

}  // namespace tralva::cli
