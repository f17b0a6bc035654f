#pragma once
// Texts the form framework shows itself.

namespace tralva::form_text {

inline constexpr char kRemainingTime[] = "Tempo rimanente";
inline constexpr const char* kScale[] = {"0%", "25%", "50%", "75%", "100%"};
// The accessible name of a progress bar.
inline constexpr char kProgress[] = "Avanzamento";

// Names of the remaining-time statics.
inline constexpr char kHours[] = "Tempo rimanente ore";
inline constexpr char kMinutes[] = "Tempo rimanente minuti";
inline constexpr char kSeconds[] = "Tempo rimanente secondi";

// Qualifies the name of the path edit beside a file button.
inline constexpr char kPath[] = "percorso";

}  // namespace tralva::form_text
