#pragma once
// The height of the ground at a point in plan, by inverse distance weighting
// of the spot heights nearest to it:
//
//   Z(p) = sum w_i z_i / sum w_i,   w_i = d_i^-alpha,
//
// over the `neighbours` spot heights nearest to p, d_i the distance in plan
// in double precision.  A tie at the last distance goes to the smaller X,
// then Y, then Z; where spot heights lie on p itself, Z is the mean of all
// of them, however many.  The result never depends on the order in which
// the spot heights were given.

#include <cstdint>
#include <memory>
#include <vector>

#include "terrain/spot_heights.h"

namespace tralva {

class InverseDistance {
 public:
  // `spot_heights` sorted by X, then Y, then Z and not empty; alpha finite
  // and >= 0; neighbours >= 1 (more than there are takes them all).
  InverseDistance(std::vector<SpotHeight> spot_heights, float alpha, std::int32_t neighbours);
  ~InverseDistance();
  InverseDistance(const InverseDistance&) = delete;
  InverseDistance& operator=(const InverseDistance&) = delete;

  // Spot heights found near a point, column by column.
  struct Candidates {
    std::vector<double> x, y, z;
    std::vector<std::uint32_t> rank;  // place in the sorted survey
    std::vector<double> distance;     // squared, from the point asked
    void resize(std::size_t n) {
      x.resize(n);
      y.resize(n);
      z.resize(n);
      rank.resize(n);
      distance.resize(n);
    }
  };

  // What one thread needs for its queries: the spot heights found nearest
  // to a point, which usually hold those of the next points too, so that
  // points asked in order (a base grid) mostly spare the search.
  class Scratch {
   private:
    friend class InverseDistance;
    std::vector<std::uint32_t> indices;
    std::vector<double> distances;  // squared
    Candidates candidates;
    std::vector<std::uint32_t> nearest;  // of the candidates, those that count, in order
    const InverseDistance* owner = nullptr;
    double anchor_x = 0, anchor_y = 0;
    double reach = 0;  // no spot height outside the candidates is nearer the anchor
  };

  // The same value whatever was asked before with the same scratch.
  double height(double x, double y, Scratch& scratch) const;

  std::size_t size() const { return spot_heights_.size(); }

 private:
  struct Index;

  void search(double x, double y, Scratch& s) const;
  std::size_t rank_candidates(double x, double y, Scratch& s) const;

  std::vector<SpotHeight> spot_heights_;
  double half_alpha_;
  std::size_t neighbours_;
  std::unique_ptr<Index> index_;
};

}  // namespace tralva
