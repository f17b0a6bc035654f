#pragma once
// The texts of the right-of-way band dialog, exactly as the program shows
// them, and the names screen readers give its controls and diagrams.

namespace tralva::fascia_text {

inline constexpr char kCaption[] = "Calcolo della fascia di rispetto secondo la Norma CEI 106-11";

// Group boxes.
inline constexpr char kOverheadSingle[] = "Linee aeree trifase a semplice terna";
inline constexpr char kFlatVertical[] = "Conduttori disposti in piano o in verticale";
inline constexpr char kTriangle[] = "Conduttori disposti a triangolo";
inline constexpr char kDoubleCircuit[] = "Linee aeree a doppia terna";
inline constexpr char kCableSingle[] = "Linee in cavo interrato a semplice terna";
inline constexpr char kCablesFlat[] = "Cavi unipolari posati in piano";
inline constexpr char kCablesTrefoil[] = "Cavi unipolari posati a trifoglio";

inline constexpr char kBand[] = "Fascia:";
inline constexpr char kMetres[] = "m";
inline constexpr char kCompute[] = "Calcola la fascia";
inline constexpr char kExit[] = "Esci";

inline constexpr char kOppositeCurrents[] =
    "Per correnti uguali discordi (I1=-I2) scrivere le correnti con segno opposto.";
inline constexpr char kPhaseOrder[] = "Disposizione delle fasi omologhe:";
inline constexpr char kSymmetric[] = "Simmetrica";
inline constexpr char kAntisymmetric[] = "Antisimmetrica";
inline constexpr char kMaxExtension[] = "Estensione massima della fascia";
inline constexpr char kGroundLevel[] = "Estensione della fascia al livello del suolo";

// What qualifies a name that several configurations share.
inline constexpr char kInFlatVertical[] = "conduttori in piano o verticali";
inline constexpr char kInTriangle[] = "conduttori a triangolo";
inline constexpr char kInDoubleCircuit[] = "doppia terna";
inline constexpr char kInCablesFlat[] = "cavi posati in piano";
inline constexpr char kInCablesTrefoil[] = "cavi posati a trifoglio";

// Names of the edits, qualified by their configuration.
inline constexpr char kConductorDistance[] = "S [m] distanza tra i conduttori";
inline constexpr char kLineCurrent[] = "I [A] corrente della linea";
inline constexpr char kLayingDepth[] = "d [m] profondità di posa";
inline constexpr char kCableDistance[] = "S [m] distanza tra i cavi adiacenti";
inline constexpr char kCentreDistance[] = "S [m] distanza tra i centri dei cavi";
inline constexpr char kFirstCurrent[] = "I1 [A] corrente della prima terna";
inline constexpr char kSecondCurrent[] = "I2 [A] corrente della seconda terna";
inline constexpr char kArmLevels[] = "S [m] distanza verticale tra i livelli delle mensole";
inline constexpr char kLowestArm[] =
    "D [m] distanza orizzontale tra i conduttori esterni della mensola più bassa";
// The name of each band width, qualified by its configuration.
inline constexpr char kBandWidth[] = "Fascia [m]";

// The diagrams, as screen readers describe them.
inline constexpr char kFlatVerticalPicture[] =
    "Traliccio con i conduttori in piano: distanza S tra i conduttori e corrente I";
inline constexpr char kTrianglePicture[] =
    "Traliccio con i conduttori a triangolo: distanza S tra i conduttori e corrente I";
inline constexpr char kDoubleCircuitPicture[] =
    "Traliccio a doppia terna: correnti I1 e I2 delle due terne, distanza S tra i livelli delle "
    "mensole, distanza D tra i conduttori esterni della mensola più bassa";
inline constexpr char kSymmetricPicture[] = "Fasi R, S, T e R', S', T' dall'alto in basso";
inline constexpr char kAntisymmetricPicture[] = "Fasi R, S, T e T', S', R' dall'alto in basso";
inline constexpr char kCablesFlatPicture[] =
    "Sezione di tre cavi affiancati: profondità di posa d, distanza S tra i cavi e corrente I";
inline constexpr char kCablesTrefoilPicture[] =
    "Sezione di tre cavi a trifoglio: profondità di posa d, distanza S tra i centri e corrente I";

}  // namespace tralva::fascia_text
