#pragma once
// Texts the form framework shows itself.

namespace tralva::form_text {

inline constexpr char kRemainingTime[] = "Tempo rimanente";
inline constexpr const char* kScale[] = {"0%", "25%", "50%", "75%", "100%"};
// The accessible name of a progress bar.
inline constexpr char kProgress[] = "Avanzamento";

// Qualifies the name of the path edit beside a file button.
inline constexpr char kPath[] = "percorso";

// File types of the pickers.
inline constexpr char kProjectFilter[] = "Dati di Tralva (*.tlva)|*.tlva|";
inline constexpr char kProjectExtension[] = "tlva";
inline constexpr char kTextExtension[] = "txt";

}  // namespace tralva::form_text
