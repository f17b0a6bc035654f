#pragma once
// The texts of the configuration viewer, exactly as the program shows them.
// Its messages come from the core.

namespace tralva::viewer_text {

inline constexpr char kCaption[] = "Visualizzazione della configurazione";

inline constexpr char kParametersGroup[] = "Inserimento parametri";
inline constexpr char kOpenFile[] = "Apri il file di dati";
inline constexpr char kBoundsGroup[] = "Estremi di visualizzazione";
inline constexpr const char* kBoundLabels[] = {"X min", "X max", "Y min",
                                               "Y max", "Z min", "Z max"};
inline constexpr char kProjection[] = "Proiezione di visualizzazione";
inline constexpr const char* kProjectionItems[] = {"XY", "YZ", "XZ"};
inline constexpr char kView[] = "Visualizza";
inline constexpr char kFit[] = "Adatta";
inline constexpr char kExit[] = "Esci";
inline constexpr char kPylonsPicture[] = "Disegno di tralicci di una linea aerea";

inline constexpr char kAreaGroup[] = "Area di visualizzazione";
inline constexpr char kDrawing[] = "Disegno della configurazione";
inline constexpr char kHorizontalAxis[] = "Asse orizzontale";
inline constexpr char kVerticalAxis[] = "Asse verticale";

// The drawing's context menu.
inline constexpr char kCopyImage[] = "Copia immagine";
inline constexpr char kSaveImage[] = "Salva immagine…";
// Shown when the name chosen for an image ends neither in .png nor in .svg.
inline constexpr char kImageExtension[] =
    "Il formato dell'immagine è dato dall'estensione del file:\n"
    ".png per un'immagine PNG, .svg per un disegno SVG.";

}  // namespace tralva::viewer_text
