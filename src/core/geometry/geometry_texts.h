#pragma once
// The texts of the configuration viewer, exactly as the user sees them.

namespace tralva::geometry_text {

inline constexpr const char* kNegativeSegment =
    "La lunghezza del segmento non può essere negativa.\nControllare il file di dati.";
inline constexpr const char* kArmAngleRange =
    "L'angolo formato dagli sbracci di un traliccio\npuò assumere valori tra 0° (incluso) e "
    "180° (escluso).\nControllate il file di dati.";
inline constexpr const char* kNegativeSag =
    "La costante di tesatura non può essere negativa.\nControllare il file di dati.";
// Followed by the line's number and kInconsistentEnd.
inline constexpr const char* kInconsistentStart =
    "Controllate i valori di tesatura\ne lunghezza del segmento per la linea ";
inline constexpr const char* kInconsistentEnd = ".\nIl calcolo verrà interrotto.";

// The checks of the drawing command.
inline constexpr const char* kViewWithoutPath =
    "Per eseguire il calcolo è necessario specificare\npercorso e nome del file di dati.";
inline constexpr const char* kBoundsX = "Controllare gli estremi di visualizzazione lungo X.";
inline constexpr const char* kBoundsY = "Controllare gli estremi di visualizzazione lungo Y.";
inline constexpr const char* kBoundsZ = "Controllare gli estremi di visualizzazione lungo Z.";

// A drawing saved as an image or a list.
inline constexpr const char* kCannotCreateDrawing =
    "Impossibile creare il file del disegno. Verificare:\n\na) che il file specificato disponga "
    "del permesso di scrittura;\nb) che esista la directory specificata;\nc) che il file non sia "
    "in corso di elaborazione con un\n    altro programma.\n";

}  // namespace tralva::geometry_text
