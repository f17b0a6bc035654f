#pragma once
// The texts of the field calculation, exactly as the user sees them.

#include "project/project_texts.h"

namespace tralva::field_text {

inline constexpr const char* kDataWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file di dati.";
inline constexpr const char* kPointsWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file dei punti.";
inline constexpr const char* kResultWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file del risultato.";
inline constexpr const char* kCannotCreateResult =
    "Impossibile creare il file del risultato. Verificare:\n\na) che il file specificato disponga "
    "del permesso di scrittura;\nb) che esista la directory specificata;\nc) che il file non sia "
    "in corso di elaborazione con un\n    altro programma;\nd) che ci sia spazio sufficiente sul "
    "disco.";
// A project without a line, or whose currents or phase offsets are not
// finite numbers, has no field to compute.
inline constexpr const char* kProjectInvalid = project_text::kIncomplete;

inline constexpr const char* kBadPart = "La parte da calcolare deve essere K/N con 1 ≤ K ≤ N.";

// The plane grid.
inline constexpr const char* kNegativeSteps =
    "I passi lungo X e lungo Y non possono essere negativi.";
inline constexpr const char* kGridNotFinite =
    "Origine, passo, angoli, quota e buffer devono essere numeri finiti.";

// The heights above each point.
inline constexpr const char* kBadHeights =
    "Il passo Z deve essere un numero positivo e i passi lungo Z non possono essere negativi.";

// The point file.
inline constexpr const char* kCannotOpenPoints =
    "Impossibile aprire il file dei punti.\nVerificare che si trovi nella posizione specificata.";
inline constexpr const char* kCannotReadPoints =
    "Impossibile leggere il file dei punti.\nVerificare che sia accessibile.";
inline constexpr const char* kNoPoints =
    "Il file dei punti non contiene alcun punto.\nDopo la riga di intestazione ogni riga deve "
    "contenere X, Y e Z.";
// Followed by the line's number and kBadPointLineEnd.
inline constexpr const char* kBadPointLine = "Il file dei punti non è valido alla riga ";
inline constexpr const char* kBadPointLineEnd =
    ":\nogni riga deve iniziare con tre numeri finiti X, Y e Z\nseparati da spazi o tabulazioni.";
inline constexpr const char* kPointsChanged =
    "Il file dei punti è cambiato durante il calcolo.\nIl calcolo è stato interrotto.";

// Both kinds of points.
inline constexpr const char* kResultIsInput =
    "Il file del risultato coincide con un file da leggere.\nSpecificare un altro percorso o un "
    "altro nome per il file del risultato.";
// Followed by the bytes needed and kNoRoomEnd.
inline constexpr const char* kNoRoom =
    "Il file del risultato non può essere scritto: servirebbero almeno ";
inline constexpr const char* kNoRoomEnd = " byte,\npiù dello spazio libero sul disco.";

// The summary of a calculation.
inline constexpr const char* kPointsComputed = "Punti calcolati: ";
inline constexpr const char* kMaximum = "Campo massimo: ";
inline constexpr const char* kUnit = " uT";
inline constexpr const char* kAtPoint = " nel punto X ";
inline constexpr const char* kReaching = "Punti con almeno ";

// The estimate of a calculation.
inline constexpr const char* kEstimateHeights = "Altezze per punto: ";
inline constexpr const char* kEstimateSegments = "Tratti di conduttore entro il buffer, in media: ";
// Followed by the sample's size and kEstimateSampleEnd.
inline constexpr const char* kEstimateSample = " (su ";
inline constexpr const char* kEstimateSampleEnd = " punti di prova)";
inline constexpr const char* kEstimateEvaluations = "Valutazioni previste: ";

}  // namespace tralva::field_text
