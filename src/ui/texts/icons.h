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
inline constexpr char kGrid[] = ":/icons/grid.svg";
inline constexpr char kConvert[] = ":/icons/convert.svg";
inline constexpr char kMerge[] = ":/icons/merge.svg";
inline constexpr char kSag[] = ":/icons/sag.svg";
inline constexpr char kReading[] = ":/icons/reading.svg";
inline constexpr char kMessageError[] = ":/icons/message-error.svg";
inline constexpr char kMessageWarning[] = ":/icons/message-warning.svg";
inline constexpr char kMessageInformation[] = ":/icons/message-information.svg";
inline constexpr char kFit[] = ":/icons/fit.svg";

}  // namespace tralva::icon
