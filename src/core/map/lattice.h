#pragma once
// The points of a field result as a regular lattice in plan.  `campo` writes
// a plane grid row after row (the second axis outer) and the points of a
// base grid in the base file's order (X outer, Y inner); either way the file
// holds point (i, j) = origin + i inner + j outer, i running fastest.  The
// lattice is read from the points themselves, on X and Y only: Z does not
// count, so a result over the terrain maps like one over a plane.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "common/byte_stream.h"
#include "common/message.h"

namespace tralva {

struct PlanPoint {
  double x = 0;
  double y = 0;

  bool operator==(const PlanPoint&) const = default;
};

struct Lattice {
  PlanPoint origin;  // the first point of the file
  PlanPoint inner;   // from a point to the next one in its row
  PlanPoint outer;   // from a row to the next
  std::int64_t inner_count = 0;
  std::int64_t outer_count = 0;

  PlanPoint at(double i, double j) const {
    return {origin.x + i * inner.x + j * outer.x, origin.y + i * inner.y + j * outer.y};
  }
  std::int64_t size() const { return inner_count * outer_count; }
  // Both steps along the coordinate axes, as a north-up raster needs them.
  bool along_axes() const {
    return (inner.y == 0 && outer.x == 0) || (inner.x == 0 && outer.y == 0);
  }
  // The plan area of one cell, m².
  double cell_area() const;
};

// B in µT at every point of the lattice, in the file's order.
struct LatticeField {
  Lattice lattice;
  std::vector<double> b;
  std::int64_t maximum_at = 0;  // the first point where B is largest
  PlanPoint maximum_point;      // its coordinates as the file gives them

  double maximum() const { return b[static_cast<std::size_t>(maximum_at)]; }
};

using LatticeOutcome = std::variant<LatticeField, Message>;

// The largest lattice a map is made of; the points are held in memory.
inline constexpr std::int64_t kMaxLatticePoints = 10'000'000;

// Reads a result file as `campo` writes it: the header "X\tY\tZ\tB [uT]",
// then four finite numbers per line, B not negative.  A coordinate fits the
// lattice when it lies within half a unit of its last printed decimal of the
// lattice fitted to the whole file (widened by what the printed decimals
// leave unknown of the fit itself).  A file whose points form no lattice of
// at least 2 x 2 points is refused, naming the first point that breaks it.
// Memory grows with the points the file holds, never with what it claims.
LatticeOutcome read_lattice_field(const std::string& path);
LatticeOutcome read_lattice_field(ByteStream& in);

// The lattice seen as a raster: columns along the step nearer to X, rising
// with X, and rows the other way round so that the pixel grid has the
// orientation of a north-up image.  For a lattice along the axes it is
// exactly north up (no rotation terms, negative pixel height).  Each point
// sits at the centre of its pixel.
struct RasterView {
  std::int64_t columns = 0;
  std::int64_t rows = 0;
  double transform[6] = {0, 1, 0, 0, 0, 1};  // GDAL's geotransform
  bool column_is_inner = true;
  bool column_reversed = false;
  bool row_reversed = false;
  std::int64_t inner_count = 0;
  std::int64_t outer_count = 0;

  // The index in the file's order of the point at (column, row).
  std::int64_t point(std::int64_t column, std::int64_t row) const;
  // The plan position of a raster position (pixel units, 0.5 = first centre).
  PlanPoint position(double column, double row) const {
    return {transform[0] + column * transform[1] + row * transform[2],
            transform[3] + column * transform[4] + row * transform[5]};
  }
};

RasterView raster_view(const Lattice& lattice);

// The values of the field, row after row of the raster.
template <class T>
std::vector<T> raster_values(const LatticeField& field, const RasterView& view) {
  std::vector<T> values(static_cast<std::size_t>(view.columns * view.rows));
  std::size_t k = 0;
  for (std::int64_t r = 0; r < view.rows; ++r) {
    for (std::int64_t c = 0; c < view.columns; ++c) {
      values[k++] = static_cast<T>(field.b[static_cast<std::size_t>(view.point(c, r))]);
    }
  }
  return values;
}

}  // namespace tralva
