#pragma once
// The precision choice of the pages' lists: how many decimals X and Y get in
// the files written.

#include <string_view>

namespace tralva {

// The items of every precision list, in their order.
inline constexpr const char* kPrecisionTexts[] = {"m", "dm", "cm", "mm"};

// Decimals for a list's text, compared exactly: "mm" 3, "cm" 2, "dm" 1,
// anything else ("m") 0.
constexpr int precision_decimals(std::string_view precision) {
  if (precision == "mm") return 3;
  if (precision == "cm") return 2;
  if (precision == "dm") return 1;
  return 0;
}

}  // namespace tralva
