#pragma once
// The colours of the field: viridis over log10 B, from 0.1 µT (and below,
// 0 included) to the largest B of the map.  One scale for the colour field
// and its colour bar.

#include <cstdint>

namespace tralva {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  bool operator==(const Rgb&) const = default;
};

// Viridis (Smith, van der Walt and Firing, public domain), t from 0 to 1.
Rgb viridis(double t);

class ColourScale {
 public:
  static constexpr double kLowest = 0.1;  // µT

  // A maximum not above kLowest still gets a decade, so the bar has a length.
  explicit ColourScale(double maximum);

  double lowest() const { return kLowest; }
  double highest() const { return highest_; }
  // Where B lies on the scale, 0 at kLowest or below, 1 at the top.
  double position(double b) const;
  Rgb colour(double b) const { return viridis(position(b)); }

 private:
  double highest_;
  double decades_;
};

}  // namespace tralva
