#pragma once
// The texts of the geometric parameters dialog, exactly as the program shows
// them, and the names screen readers give its controls and diagrams.

namespace tralva::geometria_text {

inline constexpr char kCaption[] = "Tralva - Calcolo dei parametri geometrici";

inline constexpr char kSagGroup[] = "Calcolo della costante di tesatura";
inline constexpr char kArmGroup[] = "Calcolo dell'orientamento degli sbracci";
inline constexpr char kInstructionsGroup[] =
    "Istruzioni per il calcolo delle quantità geometriche e meccaniche";

inline constexpr char kComputeSag[] = "Calcola la tesatura";
inline constexpr char kComputeAngle[] = "Calcola l'angolo";
inline constexpr char kExit[] = "Esci";
inline constexpr char kMetres[] = "m";
inline constexpr char kDegrees[] = "°";

// The instruction lines, in order: the first three about the left part of
// the dialog, the last three about the right part.
inline constexpr const char* kInstructions[] = {
    "Nella parte a sinistra si inseriscono i dati per il calcolo della costante di tesatura nei "
    "due casi: franco minimo fra i due tralicci (in alto) od esterno",
    "ad essi (in basso). Le coordinate z0, z1 e z2 indicano le quote del franco minimo verso "
    "terra e degli estremi di sospensione, rispettivamente, nel",
    "sistema di riferimento scelto, L la lunghezza della campata.",
    "Nella parte a destra, utilizzata per determinare la bisettrice dell'angolo formato dalle "
    "campate, e quindi l'orientamento degli sbracci, si",
    "inseriscono le coordinate del traliccio di interesse, di quello precedente e del successivo.",
    "Il segno del valore dello sbraccio è positivo nel semipiano superiore (figura a lato; si "
    "veda il manuale di riferimento).",
};

// What qualifies the names the two sag cases share.
inline constexpr char kInner[] = "franco minimo fra i tralicci";
inline constexpr char kOuter[] = "franco minimo esterno ai tralicci";

// Names of the edits and results.
inline constexpr char kX1[] = "x1 [m] ascissa del traliccio precedente";
inline constexpr char kY1[] = "y1 [m] ordinata del traliccio precedente";
inline constexpr char kX0[] = "x0 [m] ascissa del traliccio di interesse";
inline constexpr char kY0[] = "y0 [m] ordinata del traliccio di interesse";
inline constexpr char kX2[] = "x2 [m] ascissa del traliccio successivo";
inline constexpr char kY2[] = "y2 [m] ordinata del traliccio successivo";
inline constexpr char kZ1[] = "z1 [m] quota del primo estremo di sospensione";
inline constexpr char kZ2[] = "z2 [m] quota del secondo estremo di sospensione";
inline constexpr char kZ0[] = "z0 [m] quota del franco minimo verso terra";
inline constexpr char kL[] = "L [m] lunghezza della campata";
inline constexpr char kBisector[] = "Angolo della bisettrice [°]";
inline constexpr char kSagConstant[] = "Costante di tesatura [m]";

// The diagrams, as screen readers describe them.
inline constexpr char kInnerPicture[] =
    "Profilo di una campata con il punto più basso fra i due tralicci: quote z1, z2 e z0, "
    "ascisse x1, x0 e x2, lunghezza L";
inline constexpr char kOuterPicture[] =
    "Profilo di una campata con il punto più basso oltre il secondo traliccio: quote z1, z2 e "
    "z0, ascisse x1, x2 e x0, lunghezza L";
inline constexpr char kPlanPicture[] =
    "Pianta: il traliccio di interesse in (x0, y0), il precedente in (x1, y1), il successivo in "
    "(x2, y2), la bisettrice e l'angolo alfa dall'asse x";
inline constexpr char kSignPicture[] =
    "Segno dello sbraccio: S1 > 0 nel semipiano superiore, S1 < 0 in quello inferiore";

}  // namespace tralva::geometria_text
