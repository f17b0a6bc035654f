#pragma once
// A survey of spot heights ("punti quotati"): one point per line, exactly
// three numbers X, Y and Z separated by white space, a comma or a semicolon
// (as surveys and GIS exports write them), with a decimal point.  A first
// line that does not start with a number is a header; blank lines are
// passed over; a UTF-8 byte-order mark at the start is not text.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/byte_stream.h"
#include "common/message.h"

namespace tralva {

struct SpotHeight {
  double x = 0;
  double y = 0;
  double z = 0;

  auto operator<=>(const SpotHeight&) const = default;
};

// Longer lines are refused: no survey line needs more, and memory stays
// bounded whatever the file holds.
inline constexpr std::size_t kLongestSpotLine = 1 << 16;
// More spot heights than this are refused: with the search tree they would
// take over 8 GB.
inline constexpr std::size_t kMostSpotHeights = std::size_t{1} << 28;

// What one line holds.
enum class SpotLine { point, blank, invalid, decimal_comma };
SpotLine read_spot_line(std::string_view line, SpotHeight& point);

// The whole survey, sorted by X, then Y, then Z, so that nothing that
// follows depends on the order of the lines; or the message that refuses
// it, naming the first line that cannot be read.
using SpotHeightsOutcome = std::variant<std::vector<SpotHeight>, Message>;
SpotHeightsOutcome read_spot_heights(const std::string& path);
SpotHeightsOutcome read_spot_heights(ByteStream& in);

}  // namespace tralva
