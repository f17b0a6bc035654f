#pragma once
// The icons of the resources, shared by every page and dialog.

namespace tralva::icon {

inline constexpr char kApplication[] = ":/icons/tralva.svg";
inline constexpr char kOpen[] = ":/icons/open.svg";
inline constexpr char kSave[] = ":/icons/save.svg";
inline constexpr char kRun[] = ":/icons/run.svg";
inline constexpr char kRemaining[] = ":/icons/remaining.svg";
inline constexpr char kExit[] = ":/icons/exit.svg";
inline constexpr char kTools[] = ":/icons/tools.svg";
inline constexpr char kBand[] = ":/icons/band.svg";
inline constexpr char kTerrain[] = ":/icons/terrain.svg";
inline constexpr char kLoad[] = ":/icons/load.svg";
inline constexpr char kWrite[] = ":/icons/write.svg";
inline constexpr char kAngles[] = ":/icons/angles.svg";
inline constexpr char kFit[] = ":/icons/fit.svg";

}  // namespace tralva::icon
