#pragma once
// The texts of the data-entry dialogs, exactly as the program shows them.
// The frame titles come from data_entry_title().

namespace tralva::data_entry_text {

inline constexpr char kCaption[] = "Tralva - Inserimento e modifica dati";

inline constexpr char kCurrent[] = "Corrente [A]";
inline constexpr char kSegment[] = "Segmento [m]";

inline constexpr char kSelectFile[] = "Seleziona il file di dati";
inline constexpr char kSaveFile[] = "Salva il file di dati";
inline constexpr char kLoad[] = "Carica il file";
inline constexpr char kWrite[] = "Scrivi il file";

// Box titles and accessible names are followed by a space and a number.
inline constexpr char kCoordinates[] = "Coordinate";
inline constexpr char kParameters[] = "Parametri";
inline constexpr char kPylon[] = "traliccio";
inline constexpr char kVertex[] = "vertice";
inline constexpr char kConductor[] = "conduttore";
inline constexpr char kSpan[] = "campata";
inline constexpr char kStretch[] = "tratto";

inline constexpr char kX[] = "X [m]";
inline constexpr char kY[] = "Y [m]";
inline constexpr char kGroundLevel[] = "Quota [m]";
inline constexpr char kArmAngle[] = "Angolo [°]";

inline constexpr char kCableNumber[] = "N° cavo";
inline constexpr char kPhase[] = "Fase";
inline constexpr char kOffset[] = "Offset [°]";
inline constexpr const char* kPhaseItems[] = {"R", "S", "T"};

inline constexpr char kHeight[] = "Altezza [m]";
inline constexpr char kArmLength[] = "Sbraccio [m]";
inline constexpr char kSagBox[] = "Tesatura";
inline constexpr char kSag[] = "a [m]";

inline constexpr char kComputeAngles[] = "Calcola gli angoli";
inline constexpr char kExit[] = "Esci";

}  // namespace tralva::data_entry_text
