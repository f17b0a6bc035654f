#pragma once
// The texts of the terrain interpolation, exactly as the user sees them.

#include "field/field_texts.h"

namespace tralva::terrain_text {

inline constexpr const char* kBaseWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file di base.";
inline constexpr const char* kSpotHeightsWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file dei punti "
    "quotati.";
inline constexpr const char* kTerrainWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file dell'orografia.";
inline constexpr const char* kBadAlpha = "Alfa deve essere un numero finito non negativo.";
inline constexpr const char* kBadNeighbours = "I punti più vicini devono essere almeno 1.";
inline constexpr const char* kBadPart = "La parte da calcolare deve essere K/N con 1 ≤ K ≤ N.";

// The survey.
inline constexpr const char* kCannotOpenSpotHeights =
    "Impossibile aprire il file dei punti quotati.\nVerificare che si trovi nella posizione "
    "specificata e che sia un file.";
inline constexpr const char* kCannotReadSpotHeights =
    "Impossibile leggere il file dei punti quotati.\nVerificare che sia accessibile.";
inline constexpr const char* kNoSpotHeights =
    "Il file dei punti quotati non contiene alcun punto.\nOgni riga, dopo un'eventuale riga di "
    "intestazione, deve contenere X, Y e Z.";
inline constexpr const char* kTooManySpotHeights =
    "I punti quotati sono troppi per la memoria disponibile.";
// kBadSpotLine, the line's number, then one of the three endings.
inline constexpr const char* kBadSpotLine = "Il file dei punti quotati non è valido alla riga ";
inline constexpr const char* kBadSpotLineEnd =
    ":\nogni riga deve contenere esattamente tre numeri finiti X, Y e Z\nseparati da spazi, da "
    "una virgola o da un punto e virgola.";
inline constexpr const char* kDecimalCommaEnd =
    ":\nil separatore decimale deve essere il punto, non la virgola.";
inline constexpr const char* kLongSpotLineEnd = ":\nla riga è troppo lunga.";

// The base file.
inline constexpr const char* kCannotOpenBase =
    "Impossibile aprire il file di base.\nVerificare che si trovi nella posizione specificata e "
    "che sia un file.";
inline constexpr const char* kCannotReadBase =
    "Impossibile leggere il file di base.\nVerificare che sia accessibile.";
inline constexpr const char* kNoBasePoints =
    "Il file di base non contiene alcun punto.\nDopo la riga di intestazione ogni riga deve "
    "contenere X, Y e Z.";
// Followed by the line's number and kBadBaseLineEnd.
inline constexpr const char* kBadBaseLine = "Il file di base non è valido alla riga ";
inline constexpr const char* kBadBaseLineEnd =
    ":\nogni riga deve iniziare con tre numeri finiti X, Y e Z\nseparati da spazi o tabulazioni.";
inline constexpr const char* kBaseChanged =
    "Il file di base è cambiato durante il calcolo.\nIl calcolo è stato interrotto.";

// The terrain file.
inline constexpr const char* kCannotCreateTerrain =
    "Impossibile creare il file dell'orografia. Verificare:\n\na) che il file specificato "
    "disponga del permesso di scrittura;\nb) che esista la directory specificata;\nc) che il "
    "file non sia in corso di elaborazione con un\n    altro programma;\nd) che ci sia spazio "
    "sufficiente sul disco.";
inline constexpr const char* kTerrainIsInput =
    "Il file dell'orografia coincide con un file da leggere.\nSpecificare un altro percorso o un "
    "altro nome per il file dell'orografia.";
// Followed by the bytes needed and kNoRoomEnd.
inline constexpr const char* kNoRoom =
    "Il file dell'orografia non può essere scritto: servirebbero almeno ";
inline constexpr const char* kNoRoomEnd = field_text::kNoRoomEnd;
// Followed by the point's coordinates.
inline constexpr const char* kHeightNotFinite =
    "La quota interpolata non è un numero finito:\ncoordinate o quote troppo grandi nel punto X ";

// The summary.
inline constexpr const char* kTerrainCreated = "Orografia creata con successo.";
inline constexpr const char* kPointsWritten = "Punti scritti: ";
inline constexpr const char* kLowest = "Quota minima: ";
inline constexpr const char* kHighest = "Quota massima: ";
inline constexpr const char* kMetres = " m";

// The estimate: the lines of the field's estimate, with the survey's size.
inline constexpr const char* kEstimateSpotHeights = "Punti quotati: ";

}  // namespace tralva::terrain_text
