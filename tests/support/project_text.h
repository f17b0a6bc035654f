#pragma once
// Line project files for the tests: the header block, then data rows.

#include <initializer_list>
#include <string>
#include <string_view>

#include "project/project_file.h"

namespace tralva::test {

// The header block followed by `rows`, each ending with CR LF.
inline std::string project_text(std::initializer_list<std::string_view> rows) {
  std::string bytes(project_header());
  for (const std::string_view row : rows) {
    bytes += row;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace tralva::test
