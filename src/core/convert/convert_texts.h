#pragma once
// The texts of the grid and file utilities, exactly as the user sees them.

#include "project/project_texts.h"

namespace tralva::convert_text {

// Base grid file.
inline constexpr const char* kStepNotPositive = "Il passo deve essere positivo.";
inline constexpr const char* kBaseWithoutPath =
    "Per creare il file di base è necessario specificarne\npercorso e nome.";
inline constexpr const char* kCannotCreateBase =
    "Impossibile creare il file di base. Verificare:\n\na) che il file specificato disponga del "
    "permesso di scrittura;\nb) che esista la directory specificata;\nc) che il file non sia in "
    "corso di elaborazione con un\n    altro programma.";
inline constexpr const char* kBaseCreated = "File di base creato con successo.";

// Both conversions.
inline constexpr const char* kConversionDone = "Conversione eseguita con successo.";

// Result conversion.
inline constexpr const char* kGisInputWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file compatibile con "
    "l'ambiente GIS.";
inline constexpr const char* kConversionOutputWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file di conversione.";
inline constexpr const char* kCannotOpenGisInput =
    "Impossibile aprire il file compatibile con l'ambiente GIS.\nVerificare che si trovi nella "
    "posizione specificata.";
inline constexpr const char* kCannotCreateConversion =
    "Impossibile creare il file di conversione. Verificare:\n\na) che il file specificato "
    "disponga del permesso di scrittura;\nb) che esista la directory specificata;\nc) che il "
    "file non sia in corso di elaborazione con un\n    altro programma.\n";
inline constexpr const char* kValueCountMismatch =
    "Il numero di valori di campo non è compatibile\ncon la conversione che si intende "
    "effettuare.\n";
inline constexpr const char* kConversionIsInput =
    "Il file di conversione coincide con il file compatibile con l'ambiente GIS.\nSpecificare "
    "un altro percorso o un altro nome per il file di conversione.";
// A result read with an fi that does not fit the order of its records (the
// points of a grid row keep their Y, as written, with fi 0 and 180, their X
// with 90 and 270): the matrix is written all the same, then this warning.
// "La matrice è stata scritta, ma non corrisponde al file compatibile\ncon
// l'ambiente GIS: con fi = 90° i primi 4 punti dovrebbero avere la stessa
// X.\nIl file corrisponde a fi = 0°: ripetere la conversione con questo
// valore." or, where no fi fits, the last line kOrientationNoFit.
inline constexpr const char* kOrientationStart =
    "La matrice è stata scritta, ma non corrisponde al file compatibile\ncon l'ambiente GIS: "
    "con fi = ";
inline constexpr const char* kOrientationFirstPoints = "° i primi ";
inline constexpr const char* kOrientationSameX = " punti dovrebbero avere la stessa X.\n";
inline constexpr const char* kOrientationSameY = " punti dovrebbero avere la stessa Y.\n";
inline constexpr const char* kOrientationFits = "Il file corrisponde a fi = ";
inline constexpr const char* kOrientationRepeat = "°: ripetere la conversione con questo valore.";
inline constexpr const char* kOrientationNoFit =
    "Nessun valore di fi corrisponde al file: verificare i passi lungo X e lungo Y.";
inline constexpr const char* kGisInputNotFinite =
    "Il file compatibile con l'ambiente GIS contiene valori troppo grandi\nper essere "
    "convertiti. Verificare il contenuto del file.";

// Terrain conversion.
inline constexpr const char* kTerrainInputWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file da aprire.";
inline constexpr const char* kTerrainOutputWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file da salvare.";
inline constexpr const char* kCannotOpenTerrainInput = project_text::kCannotOpen;
inline constexpr const char* kCannotCreateTerrainOutput =
    "Impossibile creare il file di compatibile con l'ambiente GIS.\nVerificare:\n\na) che il "
    "file specificato disponga del permesso di scrittura;\nb) che esista la directory "
    "specificata;\nc) che il file non sia in corso di elaborazione con un\naltro programma.\n";
inline constexpr const char* kTerrainOutputIsInput =
    "Il file da salvare coincide con il file da aprire.\nSpecificare un altro percorso o un "
    "altro nome per il file da salvare.";
inline constexpr const char* kTerrainWithoutColumns =
    "Il file di dati non contiene le coordinate delle colonne.\nVerificare che la prima riga "
    "contenga un numero d'angolo e le coordinate X,\nseparate da tabulazioni e seguite da un "
    "ritorno a capo.";
inline constexpr const char* kTerrainWithoutRows =
    "Il file di dati non contiene righe di quote da convertire.\nVerificare il contenuto del "
    "file.";
inline constexpr const char* kTerrainNotFinite =
    "Il file di dati contiene valori troppo grandi per essere convertiti.\nVerificare il "
    "contenuto del file.";

// Project merge.
inline constexpr const char* kParentWithoutPath =
    "Per effettuare l'unione è necessario specificare\npercorso e nome del file di dati "
    "\"Padre\".";
inline constexpr const char* kChildWithoutPath =
    "Per effettuare l'unione è necessario specificare\npercorso e nome del file di dati "
    "\"Figlio\".";
inline constexpr const char* kCannotOpenParent =
    "Impossibile aprire il file di dati \"Padre\".\nVerificare che si trovi nella posizione "
    "specificata.";
inline constexpr const char* kCannotOpenChild =
    "Impossibile aprire il file di dati \"Figlio\".\nVerificare che si trovi nella posizione "
    "specificata.";
inline constexpr const char* kCannotModifyParent =
    "Impossibile modificare il file di dati \"Padre\". Verificare:\n\na) che il file specificato "
    "disponga del permesso di scrittura;\nb) che il file non sia in corso di elaborazione con "
    "un\naltro programma.\n";
// A file that is not a whole project (empty, cut short, counts it cannot
// hold, a row I that is not made of whole lines, a value that is not a
// number) is refused before the parent is rewritten.
inline constexpr const char* kParentIncomplete =
    "Il file di dati \"Padre\" è incompleto o contiene valori non validi.\nVerificare il "
    "contenuto del file.";
inline constexpr const char* kChildIncomplete =
    "Il file di dati \"Figlio\" è incompleto o contiene valori non validi.\nVerificare il "
    "contenuto del file.";
inline constexpr const char* kMergeDone = "Unione eseguita con successo.";

}  // namespace tralva::convert_text
