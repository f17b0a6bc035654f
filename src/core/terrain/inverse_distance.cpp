#include "terrain/inverse_distance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "nanoflann.hpp"

namespace tralva {

// The spot heights as the k-d tree sees them: points in plan, kept in the
// order of the tree's leaves so that a search reads neighbouring memory,
// each with its place in the sorted survey, which decides ties.
struct InverseDistance::Index {
  struct Plan {
    std::vector<double> x, y;
    std::size_t kdtree_get_point_count() const { return x.size(); }
    double kdtree_get_pt(std::uint32_t i, std::size_t dimension) const {
      return dimension == 0 ? x[i] : y[i];
    }
    template <class Box>
    bool kdtree_get_bbox(Box&) const {
      return false;
    }
  };
  using Tree = nanoflann::KDTreeSingleIndexAdaptor<nanoflann::L2_Simple_Adaptor<double, Plan>, Plan,
                                                   2, std::uint32_t>;

  static Plan plan_of(const std::vector<SpotHeight>& points,
                      const std::vector<std::uint32_t>& order) {
    Plan plan;
    plan.x.reserve(points.size());
    plan.y.reserve(points.size());
    for (const std::uint32_t i : order) {
      plan.x.push_back(points[i].x);
      plan.y.push_back(points[i].y);
    }
    return plan;
  }

  explicit Index(const std::vector<SpotHeight>& points) {
    std::vector<std::uint32_t> identity(points.size());
    std::iota(identity.begin(), identity.end(), 0u);
    {
      const Plan sorted = plan_of(points, identity);
      const Tree first(2, sorted, nanoflann::KDTreeSingleIndexAdaptorParams(kLeaf));
      rank = first.vAcc;
    }
    plan = plan_of(points, rank);
    tree = std::make_unique<Tree>(2, plan, nanoflann::KDTreeSingleIndexAdaptorParams(kLeaf));
  }

  static constexpr std::size_t kLeaf = 10;
  std::vector<std::uint32_t> rank;  // place in the survey of each point of the plan
  Plan plan;
  std::unique_ptr<Tree> tree;
};

InverseDistance::InverseDistance(std::vector<SpotHeight> spot_heights, float alpha,
                                 std::int32_t neighbours)
    : spot_heights_(std::move(spot_heights)),
      half_alpha_(static_cast<double>(alpha) / 2),
      neighbours_(std::min<std::size_t>(static_cast<std::size_t>(std::max(neighbours, 1)),
                                        spot_heights_.size())),
      index_(std::make_unique<Index>(spot_heights_)) {}

InverseDistance::~InverseDistance() = default;

namespace {

// A margin far above the rounding of a distance (a few units in the last
// place) and far below any distance that matters.
constexpr double kRelativeMargin = 1e-9;
constexpr double kAbsoluteMargin = 1e-100;
// How many spot heights a search keeps for each that counts: more serve
// more of the points that follow, but cost each of them their distances.
constexpr std::size_t kCandidatesPerNeighbour = 3;

}  // namespace

void InverseDistance::search(double x, double y, Scratch& s) const {
  const std::size_t total = spot_heights_.size();
  const std::size_t n = neighbours_;
  // More than needed, so that the next points nearby find theirs among
  // them; a tie at the last distance, or spot heights on the point itself,
  // widen the search until it holds every spot height at that distance.
  std::size_t asked = std::min(std::max(kCandidatesPerNeighbour * n, n + 1), total);
  const double query[2] = {x, y};
  std::size_t found = 0;
  for (;;) {
    s.indices.resize(asked);
    s.distances.resize(asked);
    found = index_->tree->knnSearch(query, asked, s.indices.data(), s.distances.data());
    const double last_needed = s.distances[0] == 0 ? 0 : s.distances[n - 1];
    if (found == total || s.distances[found - 1] > last_needed) break;
    asked = std::min(asked * 2, total);
  }
  Candidates& c = s.candidates;
  c.resize(found);
  for (std::size_t k = 0; k < found; ++k) {
    const std::uint32_t rank = index_->rank[s.indices[k]];
    const SpotHeight& spot = spot_heights_[rank];
    c.x[k] = spot.x;
    c.y[k] = spot.y;
    c.z[k] = spot.z;
    c.rank[k] = rank;
  }
  s.owner = this;
  s.anchor_x = x;
  s.anchor_y = y;
  // Every spot height outside the candidates lies at least this far from
  // the anchor.
  s.reach =
      found == total ? std::numeric_limits<double>::infinity() : std::sqrt(s.distances[found - 1]);
}

// The candidates by distance from (x, y), then by their place in the
// survey: the nearest `neighbours_` of them, or all those on the point, go
// to s.nearest in that order; returns how many.
std::size_t InverseDistance::rank_candidates(double x, double y, Scratch& s) const {
  Candidates& c = s.candidates;
  const std::size_t n = neighbours_;
  const std::size_t count = c.x.size();
  for (std::size_t i = 0; i < count; ++i) {
    const double dx = x - c.x[i];
    const double dy = y - c.y[i];
    c.distance[i] = dx * dx + dy * dy;
  }
  const auto closer = [&c](std::uint32_t a, std::uint32_t b) {
    if (c.distance[a] != c.distance[b]) return c.distance[a] < c.distance[b];
    return c.rank[a] < c.rank[b];
  };
  s.nearest.resize(std::max(n, count));
  std::size_t kept = 0;
  std::size_t on_point = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    on_point += c.distance[i] == 0 ? 1 : 0;
    // Kept sorted by insertion: most candidates are farther than the last
    // one kept and cost one comparison.
    if (kept == n && c.distance[i] > c.distance[s.nearest[n - 1]]) continue;
    if (kept == n && !closer(i, s.nearest[n - 1])) continue;
    std::size_t at = kept < n ? kept++ : n - 1;
    for (; at > 0 && closer(i, s.nearest[at - 1]); --at) s.nearest[at] = s.nearest[at - 1];
    s.nearest[at] = i;
  }
  if (on_point <= n) return on_point > 0 ? on_point : n;
  // More spot heights on the point than neighbours: all of them count.
  kept = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (c.distance[i] == 0) s.nearest[kept++] = i;
  }
  std::sort(s.nearest.begin(), s.nearest.begin() + static_cast<std::ptrdiff_t>(kept), closer);
  return kept;
}

double InverseDistance::height(double x, double y, Scratch& s) const {
  const Candidates& c = s.candidates;
  std::size_t counted = 0;
  bool settled = false;
  if (s.owner == this && s.reach > 0) {
    // The candidates of a point nearby serve when every spot height they
    // leave out is surely farther than the last one that counts here.
    counted = rank_candidates(x, y, s);
    const double moved = std::hypot(x - s.anchor_x, y - s.anchor_y);
    const double last = std::sqrt(c.distance[s.nearest[counted - 1]]);
    settled =
        (last + moved) * (1 + kRelativeMargin) + kAbsoluteMargin < s.reach * (1 - kRelativeMargin);
  }
  if (!settled) {
    search(x, y, s);
    counted = rank_candidates(x, y, s);
  }

  if (c.distance[s.nearest[0]] == 0) {
    double sum = 0;
    for (std::size_t k = 0; k < counted; ++k) sum += c.z[s.nearest[k]];
    return sum / static_cast<double>(counted);
  }
  // Weights relative to the nearest, (d_1 / d_i)^alpha <= 1: the same ratio
  // as d_i^-alpha, without overflow for tiny distances or large alpha.
  const double least = c.distance[s.nearest[0]];
  double weighted = 0;
  double weights = 0;
  for (std::size_t k = 0; k < counted; ++k) {
    const std::uint32_t i = s.nearest[k];
    const double ratio = least / c.distance[i];
    double w = 1;
    if (half_alpha_ == 0.5) {
      w = std::sqrt(ratio);
    } else if (half_alpha_ == 1) {
      w = ratio;
    } else if (half_alpha_ != 0) {
      w = std::pow(ratio, half_alpha_);
    }
    weighted += w * c.z[i];
    weights += w;
  }
  return weighted / weights;
}

}  // namespace tralva
