#pragma once
// The lines every estimate prints, exactly as the batch tool writes them.

namespace tralva::estimate_text {

inline constexpr const char* kEstimate = "Stima del calcolo (nessun file scritto)";
inline constexpr const char* kEstimatePoints = "Punti: ";
// Followed by the cores, kEstimateTimeCores and the time.
inline constexpr const char* kEstimateTime = "Tempo previsto su questa macchina (";
inline constexpr const char* kEstimateTimeCores = " core): ";

}  // namespace tralva::estimate_text
