#pragma once
// The texts of the pages "Interpolazione" and "Utilità", exactly as the
// program shows them.  Labels they share with the calculation pages
// ("Origine X", "Passi lungo X", "fi [°]" ...) are in shell_texts.h.

namespace tralva::utility_text {

// Interpolazione.
inline constexpr char kBaseGroup[] = "Creazione del file di base";
inline constexpr char kStep[] = "Passo [m]";
inline constexpr char kPrecision[] = "Precisione X e Y";
inline constexpr char kSaveBase[] = "Salva il file di base";
inline constexpr char kCreateBase[] = "Crea il file di base";
inline constexpr char kCalculationGroup[] = "Esecuzione del calcolo";
inline constexpr char kParametersGroup[] = "Parametri di calcolo";
inline constexpr char kAlpha[] = "Alfa";
inline constexpr char kPoints[] = "Punti";
inline constexpr char kOpenBase[] = "Apri il file di base";
inline constexpr char kLoadSpotHeights[] = "Carica i punti quotati";
inline constexpr char kSaveTerrain[] = "Salva l'orografia";
// The arrows beside "Punti", as screen readers name them.
inline constexpr char kArrows[] = "Punti (frecce)";
inline constexpr char kArrowUp[] = "Aumenta i punti";
inline constexpr char kArrowDown[] = "Diminuisci i punti";

// Utilità.
inline constexpr char kResultGroup[] =
    "Converti il risultato in formato compatibile con un foglio di calcolo";
inline constexpr char kTerrainGroup[] =
    "Rendi l'orografia in formato foglio di calcolo compatibile con l'ambiente GIS";
inline constexpr char kMergeGroup[] = "Unisci i dati di progetti diversi nel file \"Padre\"";
inline constexpr const char* kAngleItems[] = {"0", "90", "180", "270"};
inline constexpr char kOpenGis[] = "Apri il file per GIS";
inline constexpr char kSaveConversion[] = "Salva la conversione";
inline constexpr char kConvert[] = "Converti";
inline constexpr char kOpenTerrainMatrix[] = "Apri il file con l'orografia";
inline constexpr char kOpenParent[] = "Apri il file \"Padre\"";
inline constexpr char kOpenChild[] = "Apri il file \"Figlio\"";
inline constexpr char kMerge[] = "Unisci";

}  // namespace tralva::utility_text
