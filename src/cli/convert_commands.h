#pragma once
// tralva-util's commands on grid files and projects: the "Interpolazione"
// and "Utilità" pages in batch.

#include "cli.h"

namespace tralva::cli {

// griglia --origine X Y --passi NX NY --passo S [--precisione m|dm|cm|mm] FILE
int run_griglia(const Arguments& arguments, Io& io);

// risultato --passi NX NY [--fi F] [--psi P] [--precisione m|dm|cm|mm] INGRESSO USCITA
int run_risultato(const Arguments& arguments, Io& io);

// orografia [--precisione m|dm|cm|mm] INGRESSO USCITA
int run_orografia(const Arguments& arguments, Io& io);

// unisci PADRE FIGLIO
int run_unisci(const Arguments& arguments, Io& io);

}  // namespace tralva::cli
