#pragma once
// The display list drawn into a picture of 32-bit pixels (0xffRRGGBB), as
// the viewer shows it: each segment with its pen, from its first pixel up to,
// not including, its last.  Hundreds of thousands of segments for a large
// project, so the viewer hands its pixels here rather than painting them.

#include <cstddef>
#include <cstdint>

#include "geometry/display_list.h"

namespace tralva {

struct PixelPicture {
  std::uint8_t* bits = nullptr;
  std::ptrdiff_t stride = 0;  // bytes from one row to the next
  int width = 0, height = 0;
};

// Draws `list` into `picture`, every point moved by (dx, dy) pixels.
void rasterize(const DisplayList& list, const PixelPicture& picture, int dx, int dy);

}  // namespace tralva
