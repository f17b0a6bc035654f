#pragma once
// The texts of the configuration viewer, exactly as the user sees them.

namespace tralva::viewer_text {

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

}  // namespace tralva::viewer_text
