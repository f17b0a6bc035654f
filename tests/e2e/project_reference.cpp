// Writes the project file a data-entry dialog writes for the texts typed
// into it, through the core alone: each text read with the form fields' rule,
// the arm angles of an overhead line computed as "Calcola gli angoli" does.
//
//   e2e_project_reference aerea|interrata CONDUCTORS SUPPORTS OUT < TEXTS
//
// TEXTS, separated by white space: the current and, overhead only, the
// segment length; X, Y and level of each support; phase and offset of each
// conductor; conductor by conductor, the height and arm length at each
// support; then, overhead only, conductor by conductor, the sag constant of
// each span.

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <type_traits>

#include "common/field.h"
#include "project/arm_angles.h"
#include "project/power_line.h"
#include "project/project_file.h"

namespace {

using tralva::LineKind;
using tralva::PowerLine;

bool fail(const std::string& what) {
  std::fprintf(stderr, "e2e_project_reference: %s\n", what.c_str());
  return false;
}

// One typed text, read as the form reads the field it was typed into.
template <typename T>
bool read(std::istream& in, T& value) {
  std::string text;
  if (!(in >> text)) return fail("too few values");
  std::optional<T> number;
  if constexpr (std::is_same_v<T, double>) {
    number = tralva::parse_field_double(text);
  } else {
    number = tralva::parse_field_float(text);
  }
  if (!number) return fail("not a number: " + text);
  value = *number;
  return true;
}

bool read_line(std::istream& in, LineKind kind, PowerLine& line) {
  const bool overhead = kind == LineKind::overhead;
  if (!read(in, line.current)) return false;
  if (overhead && !read(in, line.segment_length)) return false;
  for (int s = 0; s < line.support_count; ++s) {
    const auto at = static_cast<std::size_t>(s);
    if (!read(in, line.x[at]) || !read(in, line.y[at]) || !read(in, line.ground_level[at])) {
      return false;
    }
  }
  for (int j = 0; j < line.conductor_count; ++j) {
    const auto at = static_cast<std::size_t>(j);
    if (!(in >> line.phase[at])) return fail("too few values");
    if (!read(in, line.phase_offset[at])) return false;
  }
  for (int j = 0; j < line.conductor_count; ++j) {
    for (int s = 0; s < line.support_count; ++s) {
      const std::size_t at = line.at_support(j, s);
      if (!read(in, line.height[at]) || !read(in, line.arm_length[at])) return false;
    }
  }
  if (!overhead) return true;
  for (float& sag : line.sag_constant) {
    if (!read(in, sag)) return false;
  }
  if (auto failure = tralva::compute_arm_angles(line.x, line.y, line.arm_angle)) {
    return fail(failure->text);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc == 5 ? argv[1] : "";
  if (kind != "aerea" && kind != "interrata") {
    std::fputs("usage: e2e_project_reference aerea|interrata CONDUCTORS SUPPORTS OUT < TEXTS\n",
               stderr);
    return 2;
  }
  const LineKind line_kind = kind == "aerea" ? LineKind::overhead : LineKind::underground;
  PowerLine line = tralva::make_power_line(std::stoi(argv[2]), std::stoi(argv[3]));
  if (!read_line(std::cin, line_kind, line)) return 1;
  if (std::string more; std::cin >> more) {
    fail("more texts than the line holds: " + more);
    return 1;
  }
  if (auto failure = tralva::write_single_line(argv[4], line_kind, line)) {
    fail(failure->text);
    return 1;
  }
  return 0;
}
