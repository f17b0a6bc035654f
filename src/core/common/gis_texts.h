#pragma once
// The header lines of the GIS text files, as they are written (CR LF) and as
// the readers compare them (without the line end): points files (base grid,
// terrain) and field results.

#include <string_view>

namespace tralva::gis_text {

inline constexpr std::string_view kPointsHeaderLine = "X\tY\tZ\r\n";
inline constexpr std::string_view kResultHeaderLine = "X\tY\tZ\tB [uT]\r\n";

inline constexpr std::string_view kPointsHeader =
    kPointsHeaderLine.substr(0, kPointsHeaderLine.size() - 2);
inline constexpr std::string_view kResultHeader =
    kResultHeaderLine.substr(0, kResultHeaderLine.size() - 2);

}  // namespace tralva::gis_text
