#pragma once
// File names as users type them.

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tralva {

// True when `path` ends with `suffix` (written in small letters) in any
// case: "A.SVG" ends with ".svg".
inline bool ends_with_in_any_case(std::string_view path, std::string_view suffix) {
  if (path.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), path.end() - suffix.size(), [](char s, char t) {
    return s == std::tolower(static_cast<unsigned char>(t));
  });
}

}  // namespace tralva
