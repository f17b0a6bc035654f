#pragma once
// The texts of the field map, exactly as the user sees them: the messages of
// the command and the words written on the pictures.

namespace tralva::map_text {

// Reading the result.
inline constexpr const char* kCannotOpenResult =
    "Impossibile aprire il file del risultato.\nVerificare che si trovi nella posizione "
    "specificata.";
inline constexpr const char* kCannotReadResult =
    "Impossibile leggere il file del risultato.\nVerificare che sia accessibile.";
inline constexpr const char* kNotAResult =
    "Il file indicato non è un risultato del campo: la prima riga deve essere\n"
    "l'intestazione «X Y Z B [uT]» che scrive «campo».";
// Followed by the line's number and kBadRecordEnd.
inline constexpr const char* kBadRecord = "Il file del risultato non è valido alla riga ";
inline constexpr const char* kBadRecordEnd =
    ":\nogni riga deve contenere quattro numeri finiti X, Y, Z e B,\nseparati da spazi o "
    "tabulazioni, con B non negativo.";
// Followed by the number of points and kTooFewPointsEnd.
inline constexpr const char* kTooFewPoints =
    "Il file del risultato non forma una griglia di almeno 2 × 2 punti\n(punti letti: ";
inline constexpr const char* kTooFewPointsEnd = ").";
inline constexpr const char* kSingleRow =
    "I punti del file del risultato sono tutti su una riga:\nuna mappa richiede una griglia di "
    "almeno 2 × 2 punti.";
inline constexpr const char* kTooManyPoints =
    "Il file del risultato contiene più di 10000000 punti,\ntroppi per una mappa.";
// "Il punto della riga 7 (X 10, Y 0)" then one of the endings.
inline constexpr const char* kThePoint = "Il punto della riga ";
inline constexpr const char* kRepeatedPointEnd =
    " coincide in pianta con il punto\nche lo precede: i punti non formano una griglia (un "
    "risultato con più quote\nper punto si disegna se calcolato con «campo --massimo»).";
inline constexpr const char* kRowOnLineEnd =
    " è sulla retta della prima riga\ndella griglia: i punti non coprono un'area in pianta,\n"
    "come quelli di un piano verticale.";
// Followed by the expected point and ".".
inline constexpr const char* kOffLatticeEnd =
    " non è sulla griglia dei punti\nche lo precedono: al suo posto ci si aspettava il punto ";
// Followed by the points of the last row, kIncompleteRowMiddle, the points of a row, ".".
inline constexpr const char* kIncompleteRow =
    "Il file del risultato finisce a metà di una riga della griglia:\nl'ultima riga ha ";
inline constexpr const char* kIncompleteRowMiddle = " punti invece di ";

// Followed by GDAL's own words.
inline constexpr const char* kContoursFailed =
    "GDAL non è riuscito a calcolare le linee di livello del campo:\n";

// Followed by the format, ":\n" and GDAL's own words.
inline constexpr const char* kGisFailed = "GDAL non è riuscito a scrivere il file ";

// Writing the maps.  "Impossibile creare il file «mappa.png». Verificare: ..."
inline constexpr const char* kCannotCreateMap = "Impossibile creare il file «";
inline constexpr const char* kCannotCreateMapEnd =
    "». Verificare:\n\na) che il file specificato disponga del permesso di scrittura;\nb) che "
    "esista la directory specificata;\nc) che il file non sia in corso di elaborazione con un\n"
    "    altro programma;\nd) che ci sia spazio sufficiente sul disco.";
inline constexpr const char* kMapIsInput = "Il file «";
inline constexpr const char* kMapIsInputEnd =
    "» coincide con un file da leggere.\nSpecificare un altro percorso o un altro nome.";
inline constexpr const char* kTurnedLatticeForGis =
    "La griglia del risultato è ruotata rispetto agli assi X e Y:\ni file GIS (.tif, .gpkg) "
    "richiedono i passi lungo X e lungo Y.\nUna griglia ruotata si rappresenta solo in figura "
    "(.png, .svg, .pdf).";
inline constexpr const char* kNoCoordinateSystem =
    "I file GIS non hanno un sistema di riferimento:\nper averlo indicarne il codice EPSG "
    "(3003, 3004, 6707, 6708, 32632, 32633...).";

// The summary of the command.
inline constexpr const char* kWritten = "Mappe scritte: ";
inline constexpr const char* kLatticeOf = "Griglia di ";
inline constexpr const char* kPoints = " punti";
inline constexpr const char* kMaximum = "Campo massimo: ";
inline constexpr const char* kUnit = " uT";
inline constexpr const char* kAtPoint = " nel punto X ";
inline constexpr const char* kAreaReaching = "Area con almeno ";
inline constexpr const char* kSquareMetres = " m²";

// On the pictures.
inline constexpr const char* kDefaultTitle = "Induzione magnetica B";
inline constexpr const char* kSourceResult = "Risultato: ";
inline constexpr const char* kSourceSeparator = " · ";
inline constexpr const char* kSourceProject = "Progetto: ";
inline constexpr const char* kMicrotesla = " µT";
inline constexpr const char* kColourBarTitle = "B [µT]";
inline constexpr const char* kAxisX = "X [m]";
inline constexpr const char* kAxisY = "Y [m]";
inline constexpr const char* kNorth = "N";
inline constexpr const char* kMetres = " m";
// "Scala 1:2000 su A4"
inline constexpr const char* kScale = "Scala 1:";
inline constexpr const char* kScaleEnd = " su A4";
// The legend.
inline constexpr const char* kAreaAbove = "B ≥ ";
inline constexpr const char* kLevelLines = "Linee di livello: ";
inline constexpr const char* kConductors = "Conduttori";
inline constexpr const char* kPylons = "Sostegni";
inline constexpr const char* kCableVertices = "Vertici del cavo";
// What the usual thresholds stand for.
struct NamedThreshold {
  double microtesla;
  const char* name;
};
inline constexpr NamedThreshold kNamedThresholds[] = {
    {3, "obiettivo di qualità"}, {10, "valore di attenzione"}, {100, "limite di esposizione"}};
// The caption: "B massimo 9,78 µT nel punto X 900, Y 0 m"
inline constexpr const char* kCaptionMaximum = "B massimo ";
inline constexpr const char* kCaptionAt = " nel punto X ";
inline constexpr const char* kCaptionArea = "area con B ≥ ";
inline constexpr const char* kCaptionLattice = "griglia di ";
inline constexpr const char* kCaptionStep = " punti, passo ";
inline constexpr const char* kPictureFailed = "Cairo non è riuscito a disegnare la mappa:\n";

}  // namespace tralva::map_text
