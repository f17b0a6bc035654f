#pragma once
// The kinds of file the forms pick, with the filters the pickers show.

namespace tralva {

// A kind of file the forms pick: its filter and its default extension.
struct FileType {
  const char* filter;     // "Dati di Tralva (*.tlva)|*.tlva|"
  const char* extension;  // "tlva"
};

}  // namespace tralva

namespace tralva::file_type {

inline constexpr FileType kProject{"Dati di Tralva (*.tlva)|*.tlva|", "tlva"};
inline constexpr FileType kTerrainText{"File di testo (*.txt)|*.txt|", "txt"};
inline constexpr FileType kGisResult{"Testo per GIS (*.txt)|*.txt|", "txt"};
inline constexpr FileType kImage{"Immagine PNG (*.png)|*.png|Disegno SVG (*.svg)|*.svg|", "png"};

// Interpolazione.
inline constexpr FileType kBaseGrid{"File di testo (*.txt)|*.txt|", "txt"};
inline constexpr FileType kBaseInput{"Dati di base (*.txt)|*.txt|", "txt"};
inline constexpr FileType kSpotHeights{"Dati di quota (*.txt)|*.txt|", "txt"};
inline constexpr FileType kTerrainData{"Dati orografici (*.txt)|*.txt|", "txt"};

// Utilità.
inline constexpr FileType kSpreadsheet{"Testo (*.txt)|*.txt|", "txt"};
inline constexpr FileType kTerrainMatrix{"File orografico matriciale (*.txt)|*.txt|", "txt"};
inline constexpr FileType kTerrainGis{"File orografico compatibile GIS (*.txt)|*.txt|", "txt"};

}  // namespace tralva::file_type
