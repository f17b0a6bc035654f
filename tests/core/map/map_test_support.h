#pragma once
// Results for the map's tests: files as `campo` writes them, computed by the
// field calculation itself, and the synthetic field B = 30/d.

#include <cmath>
#include <string>

#include "common/format.h"
#include "common/progress.h"
#include "convert/base_grid.h"
#include "field/field_calculation.h"
#include "project_text.h"
#include "test_support.h"

namespace tralva::test {

// Three conductors of 650 A over two 300 m spans along X, 20 m up.
inline const std::string kMapLine = project_text(
    {"650 3 3 10", "0 0 120 0 240 0", "0 0 0 90 300 0 0 90 600 0 0 90",
     "20 20 20 20 20 20 20 20 20", "-4 -4 -4 0 0 0 4 4 4", "1000 1000 1000 1000 1000 1000"});

// The field of kMapLine (written to `project`) over a plane grid, 1 m up.
inline void plane_result(const std::string& project, const PlaneGrid& grid,
                         const std::string& precision, const std::string& result) {
  write_file(project, kMapLine);
  FieldRequest request;
  request.data_path = project;
  request.plane = grid;
  request.level = 1;
  request.precision = precision;
  request.result_path = result;
  NullProgress none;
  SystemClock clock;
  (void)compute_field(request, none, clock);
}

// The same over a base grid (X outer, Y inner) at two heights, their maximum.
inline void base_grid_result(const std::string& project, const BaseGridRequest& grid,
                             const std::string& result) {
  write_file(project, kMapLine);
  NullProgress none;
  SystemClock clock;
  (void)create_base_file(grid, none, clock);
  FieldRequest request;
  request.data_path = project;
  request.points_path = grid.base_file_path;
  request.level = 1;
  request.steps_z = 1;
  request.project_maximum = true;
  request.precision = grid.base_precision;
  request.result_path = result;
  (void)compute_field(request, none, clock);
}

// B = 30 / d µT, d the distance in plan from (x0 + dx, y0 + dy) (at least
// 0.1 m), over -20 .. 20 m around (x0, y0) in steps of 0.25 m: 3 µT at
// d = 10 m.
inline std::string disc_result(double x0 = 0, double y0 = 0, double dx = 0, double dy = 0) {
  std::string text = "X\tY\tZ\tB [uT]\r\n";
  for (int j = 0; j <= 160; ++j) {
    for (int i = 0; i <= 160; ++i) {
      const double x = -20 + 0.25 * i, y = -20 + 0.25 * j;
      const double b = 30 / std::max(0.1, std::hypot(x - dx, y - dy));
      text += fixed_text(x0 + x, 2) + "\t" + fixed_text(y0 + y, 2) + "\t1.00\t" + fixed_text(b, 4) +
              "\r\n";
    }
  }
  return text;
}

}  // namespace tralva::test
