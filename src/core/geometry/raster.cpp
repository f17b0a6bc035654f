#include "geometry/raster.h"

#include <cstdlib>
#include <optional>

#include "common/vector_state.h"

namespace tralva {
namespace {

// Covers the pixels of a pen of `width` centred on (x, y): a square nib,
// its corners cut from a width of 4 on, as a round pen covers them.
class Nib {
 public:
  Nib(const PixelPicture& picture, std::uint32_t colour, int width)
      : picture_(picture),
        colour_(colour),
        low_(-width / 2),
        high_(low_ + width - 1),
        round_(width >= 4) {}

  void cover(int x, int y) const {
    // The list keeps to the plot, so the nib is almost always wholly inside.
    const bool inside =
        x + low_ >= 0 && x + high_ < picture_.width && y + low_ >= 0 && y + high_ < picture_.height;
    for (int dy = low_; dy <= high_; ++dy) {
      const int row = y + dy;
      if (!inside && (row < 0 || row >= picture_.height)) continue;
      auto* line = reinterpret_cast<std::uint32_t*>(picture_.bits + row * picture_.stride) + x;
      const bool edge_row = dy == low_ || dy == high_;
      for (int dx = low_; dx <= high_; ++dx) {
        if (round_ && edge_row && (dx == low_ || dx == high_)) continue;
        if (inside || (x + dx >= 0 && x + dx < picture_.width)) line[dx] = colour_;
      }
    }
  }

 private:
  const PixelPicture& picture_;
  std::uint32_t colour_;
  int low_, high_;
  bool round_;
};

// The pixels of the line from (x, y) up to, not including, (to_x, to_y).
void draw_line(const Nib& nib, int x, int y, int to_x, int to_y) {
  const int dx = std::abs(to_x - x);
  const int dy = -std::abs(to_y - y);
  const int step_x = x < to_x ? 1 : -1;
  const int step_y = y < to_y ? 1 : -1;
  int error = dx + dy;
  while (x != to_x || y != to_y) {
    nib.cover(x, y);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += step_x;
    }
    if (twice <= dx) {
      error += dx;
      y += step_y;
    }
  }
}

std::uint32_t opaque(const Pen& pen) {
  return 0xff000000u | (std::uint32_t{pen.red} << 16) | (std::uint32_t{pen.green} << 8) |
         std::uint32_t{pen.blue};
}

}  // namespace

void rasterize(const DisplayList& list, const PixelPicture& picture, int dx, int dy) {
  release_vector_registers();  // as many lines as segments follow
  std::optional<std::int32_t> code;
  std::optional<Nib> nib;
  for (const DrawnSegment& s : list.segments) {
    if (code != s.code) {
      const Pen pen = pen_for(s.code);
      nib.emplace(picture, opaque(pen), pen.width);
      code = s.code;
    }
    draw_line(*nib, s.x1 + dx, s.y1 + dy, s.x2 + dx, s.y2 + dy);
  }
}

}  // namespace tralva
