#pragma once
// The kinds of file the forms pick, with the filters the pickers show.

#include "forms/file_picker.h"

namespace tralva::file_type {

inline constexpr FileType kProject{"Dati di Tralva (*.tlva)|*.tlva|", "tlva"};
inline constexpr FileType kTerrainText{"File di testo (*.txt)|*.txt|", "txt"};
inline constexpr FileType kGisResult{"Testo per GIS (*.txt)|*.txt|", "txt"};
inline constexpr FileType kImage{"Immagine PNG (*.png)|*.png|Disegno SVG (*.svg)|*.svg|", "png"};

}  // namespace tralva::file_type
