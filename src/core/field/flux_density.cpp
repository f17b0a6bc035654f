#include "field/flux_density.h"

#include <algorithm>
#include <cmath>

// The sums are written as plain loops over the lanes of a block, which the
// compiler turns into vector code; this file is built with -O3, errno-free
// square roots and no floating-point traps, so that both sides of every
// choice can be computed in all lanes.  Contraction stays off: each lane
// performs exactly the operations written, in the order written.

namespace tralva {

struct GeometricSum {
  alignas(64) double x[kBlockPoints];
  alignas(64) double y[kBlockPoints];
  alignas(64) double z[kBlockPoints];
};

namespace {

constexpr int kLanes = kBlockPoints;
constexpr double kNearSquared = 1e-4;  // (0.01 m)^2: nearer, the distance counts as 0.01 m

// P - A across the segment: the position along it and u x (P - A), whose
// length is the distance from the wire's line.  One definition for the
// vector lanes and the near path, so that both see the same values.
struct Across {
  double a, cx, cy, cz, d2;
};

[[gnu::always_inline]] inline Across across(double rx, double ry, double rz, double ux, double uy,
                                            double uz) {
  Across s;
  s.a = ux * rx + uy * ry + uz * rz;
  s.cx = uy * rz - uz * ry;
  s.cy = uz * rx - ux * rz;
  s.cz = ux * ry - uy * rx;
  s.d2 = s.cx * s.cx + s.cy * s.cy + s.cz * s.cz;
  return s;
}

// Squared distance from the segment's nearest point, given its position
// along the segment and the squared distance from its line.
[[gnu::always_inline]] inline double nearest_squared(double a, double b, double d2) {
  const double before = a < 0 ? a : 0.0;
  const double after = b > 0 ? b : 0.0;
  const double outside = before + after;
  return d2 + outside * outside;
}

struct Vector3 {
  double x = 0, y = 0, z = 0;
};

// Lane l within 0.01 m of segment i's line: the closed form with the
// distance taken as 0.01 m.  False for any other lane, and on the line
// itself, where the direction of the field is undefined and, by symmetry,
// the segment adds nothing.
[[gnu::noinline]] bool near_contribution(const ConductorSegments& s, std::size_t i,
                                         const PointBlock& p, int l, double buffer_squared,
                                         Vector3& add) {
  const Across c =
      across(p.x[l] - s.x[i], p.y[l] - s.y[i], p.z[l] - s.z[i], s.ux[i], s.uy[i], s.uz[i]);
  const double length = s.length[i];
  const double b = c.a - length;
  if (!(c.d2 < kNearSquared) || c.d2 == 0) return false;
  if (!(nearest_squared(c.a, b, c.d2) <= buffer_squared)) return false;
  const double e = kNearSquared;
  const double s1 = std::sqrt(c.a * c.a + e);
  const double s2 = std::sqrt(b * b + e);
  // cos t1 - cos t2, without cancellation when P lies beyond an end.
  const double cosines = c.a * b > 0 ? e * length * (c.a + b) / (s1 * s2 * (c.a * s2 + b * s1))
                                     : (c.a * s2 - b * s1) / (s1 * s2);
  const double w = cosines / std::sqrt(e * c.d2);
  add = {w * c.cx, w * c.cy, w * c.cz};
  return true;
}

// Adds the geometric factor of one chunk's segments at every lane.  The
// distance from a point to each vertex is taken once and serves the two
// segments that meet there; with d at least 0.01 m,
//   (cos t1 - cos t2) / d^2 = (a |P-B| - b |P-A|) / (|P-A| |P-B| d^2)      beside the segment,
//                           = l (a + b) / (|P-A| |P-B| (a |P-B| + b |P-A|)) beyond an end,
// the second free of the cancellation of two cosines near 1.  Lanes nearer
// than 0.01 m to a line add nothing here and go the near path.
[[gnu::always_inline]] inline void sum_chunk_lanes(const ConductorSegments& s,
                                                   const SegmentChunk& chunk, const PointBlock& p,
                                                   double buffer_squared, GeometricSum& g) {
  const double* const vx = s.x.data();
  const double* const vy = s.y.data();
  const double* const vz = s.z.data();
  double gx[kLanes], gy[kLanes], gz[kLanes], to_vertex[kLanes];
  double near[kLanes];  // doubles, so that SSE2 vectorises the loop too
  for (int l = 0; l < kLanes; ++l) {
    near[l] = 0;
    gx[l] = g.x[l];
    gy[l] = g.y[l];
    gz[l] = g.z[l];
    const double rx = p.x[l] - vx[chunk.first];
    const double ry = p.y[l] - vy[chunk.first];
    const double rz = p.z[l] - vz[chunk.first];
    to_vertex[l] = std::sqrt(rx * rx + ry * ry + rz * rz);
  }
  for (std::size_t i = chunk.first; i < chunk.first + chunk.count; ++i) {
    const double ax = vx[i], ay = vy[i], az = vz[i];
    const double bx = vx[i + 1], by = vy[i + 1], bz = vz[i + 1];
    const double ux = s.ux[i], uy = s.uy[i], uz = s.uz[i], length = s.length[i];
    for (int l = 0; l < kLanes; ++l) {
      const double qx = p.x[l] - bx;
      const double qy = p.y[l] - by;
      const double qz = p.z[l] - bz;
      const double s1 = to_vertex[l];
      const double s2 = std::sqrt(qx * qx + qy * qy + qz * qz);
      to_vertex[l] = s2;
      const Across c = across(p.x[l] - ax, p.y[l] - ay, p.z[l] - az, ux, uy, uz);
      const double b = c.a - length;
      const double both = s1 * s2;
      const double beyond_numerator = length * (c.a + b);
      const double beyond_denominator = both * (c.a * s2 + b * s1);
      const double beside_numerator = c.a * s2 - b * s1;
      const double beside_denominator = both * c.d2;
      const bool beyond = c.a * b > 0;
      const double numerator = beyond ? beyond_numerator : beside_numerator;
      const double denominator = beyond ? beyond_denominator : beside_denominator;
      const double w0 = numerator / denominator;
      const bool close = c.d2 < kNearSquared;
      near[l] = close ? 1.0 : near[l];
      const double w1 = nearest_squared(c.a, b, c.d2) <= buffer_squared ? w0 : 0.0;
      const double w = close ? 0.0 : w1;
      gx[l] += w * c.cx;
      gy[l] += w * c.cy;
      gz[l] += w * c.cz;
    }
  }
  // The lanes that came within 0.01 m of a segment's line take those
  // segments' contributions now, in order.
  for (int l = 0; l < kLanes; ++l) {
    if (near[l] == 0) continue;
    for (std::size_t i = chunk.first; i < chunk.first + chunk.count; ++i) {
      Vector3 add;
      if (!near_contribution(s, i, p, l, buffer_squared, add)) continue;
      gx[l] += add.x;
      gy[l] += add.y;
      gz[l] += add.z;
    }
  }
  for (int l = 0; l < kLanes; ++l) {
    g.x[l] = gx[l];
    g.y[l] = gy[l];
    g.z[l] = gz[l];
  }
}

// The same loops for each instruction set; every lane performs the same IEEE
// operations on all of them, so the results agree to the bit.
[[gnu::target("avx512f")]] void sum_chunk_avx512(const ConductorSegments& s,
                                                 const SegmentChunk& chunk, const PointBlock& p,
                                                 double buffer_squared, GeometricSum& g) {
  sum_chunk_lanes(s, chunk, p, buffer_squared, g);
}

[[gnu::target("avx2")]] void sum_chunk_avx2(const ConductorSegments& s, const SegmentChunk& chunk,
                                            const PointBlock& p, double buffer_squared,
                                            GeometricSum& g) {
  sum_chunk_lanes(s, chunk, p, buffer_squared, g);
}

void sum_chunk_sse2(const ConductorSegments& s, const SegmentChunk& chunk, const PointBlock& p,
                    double buffer_squared, GeometricSum& g) {
  sum_chunk_lanes(s, chunk, p, buffer_squared, g);
}

}  // namespace

std::vector<InstructionSet> supported_instruction_sets() {
  __builtin_cpu_init();
  std::vector<InstructionSet> sets{InstructionSet::sse2};
  if (__builtin_cpu_supports("avx2")) sets.push_back(InstructionSet::avx2);
  if (__builtin_cpu_supports("avx512f")) sets.push_back(InstructionSet::avx512);
  return sets;
}

const char* instruction_set_name(InstructionSet set) {
  switch (set) {
    case InstructionSet::avx512:
      return "AVX-512";
    case InstructionSet::avx2:
      return "AVX2";
    case InstructionSet::sse2:
      break;
  }
  return "SSE2";
}

FluxDensity::FluxDensity(const ConductorSegments& segments, double buffer,
                         std::optional<InstructionSet> set)
    : segments_(segments) {
  static const InstructionSet fastest = supported_instruction_sets().back();
  switch (set.value_or(fastest)) {
    case InstructionSet::avx512:
      sum_chunk_ = sum_chunk_avx512;
      break;
    case InstructionSet::avx2:
      sum_chunk_ = sum_chunk_avx2;
      break;
    case InstructionSet::sse2:
      sum_chunk_ = sum_chunk_sse2;
      break;
  }
  // The box test keeps a margin far beyond the rounding of the distances
  // (1e-9 m at coordinates of 10^7 m), so it never drops a segment that the
  // exact test would count: it changes the time taken, not the result.
  if (buffer < 0) {
    buffer_squared_ = -1;
    skip_distance_ = -1;
  } else {
    buffer_squared_ = buffer * buffer;
    skip_distance_ = buffer * (1 + 1e-9) + 1e-6;
  }
}

void FluxDensity::evaluate(const PointBlock& points, double* b) const {
  double low[3], high[3];
  const double* const axes[3] = {points.x, points.y, points.z};
  for (int a = 0; a < 3; ++a) {
    const auto [lo, hi] = std::minmax_element(axes[a], axes[a] + kLanes);
    low[a] = *lo;
    high[a] = *hi;
  }
  const double skip_squared =
      skip_distance_ < 0 ? -1 : skip_distance_ * skip_distance_;  // +inf never skips

  // The phasor sums, real and imaginary parts of each component.
  double re[3][kLanes] = {}, im[3][kLanes] = {};
  GeometricSum g;
  for (const ConductorRuns& conductor : segments_.conductors) {
    std::fill(std::begin(g.x), std::end(g.x), 0.0);
    std::fill(std::begin(g.y), std::end(g.y), 0.0);
    std::fill(std::begin(g.z), std::end(g.z), 0.0);
    bool counted = false;
    for (std::size_t c = conductor.first_chunk; c < conductor.first_chunk + conductor.chunk_count;
         ++c) {
      const SegmentChunk& chunk = segments_.chunks[c];
      double gap_squared = 0;
      for (int a = 0; a < 3; ++a) {
        const double gap = std::max({0.0, chunk.low[a] - high[a], low[a] - chunk.high[a]});
        gap_squared += gap * gap;
      }
      if (gap_squared > skip_squared) continue;
      sum_chunk_(segments_, chunk, points, buffer_squared_, g);
      counted = true;
    }
    if (!counted) continue;
    const double* const sums[3] = {g.x, g.y, g.z};
    for (int a = 0; a < 3; ++a) {
      for (int l = 0; l < kLanes; ++l) {
        re[a][l] += conductor.current.re * sums[a][l];
        im[a][l] += conductor.current.im * sums[a][l];
      }
    }
  }
  for (int l = 0; l < kLanes; ++l) {
    double sum = 0;
    for (int a = 0; a < 3; ++a) sum += re[a][l] * re[a][l] + im[a][l] * im[a][l];
    b[l] = std::sqrt(sum);
  }
}

void FluxDensity::evaluate(std::span<const Point3> points, double* b) const {
  PointBlock block;
  for (std::size_t l = 0; l < kBlockPoints; ++l) {
    const Point3& p = points[std::min(l, points.size() - 1)];
    block.x[l] = p.x;
    block.y[l] = p.y;
    block.z[l] = p.z;
  }
  double all[kBlockPoints];
  evaluate(block, all);
  std::copy_n(all, points.size(), b);
}

std::vector<double> FluxDensity::evaluate_all(std::span<const Point3> points) const {
  std::vector<double> b(points.size());
  for (std::size_t first = 0; first < points.size(); first += kBlockPoints) {
    const std::size_t n = std::min<std::size_t>(kBlockPoints, points.size() - first);
    evaluate(points.subspan(first, n), b.data() + first);
  }
  return b;
}

std::int64_t FluxDensity::segments_within(const Point3& point) const {
  std::int64_t count = 0;
  const double at[3] = {point.x, point.y, point.z};
  const double skip_squared = skip_distance_ < 0 ? -1 : skip_distance_ * skip_distance_;
  const ConductorSegments& s = segments_;
  for (const SegmentChunk& chunk : s.chunks) {
    double gap_squared = 0;
    for (int a = 0; a < 3; ++a) {
      const double gap = std::max({0.0, chunk.low[a] - at[a], at[a] - chunk.high[a]});
      gap_squared += gap * gap;
    }
    if (gap_squared > skip_squared) continue;
    for (std::size_t i = chunk.first; i < chunk.first + chunk.count; ++i) {
      const Across c =
          across(point.x - s.x[i], point.y - s.y[i], point.z - s.z[i], s.ux[i], s.uy[i], s.uz[i]);
      if (nearest_squared(c.a, c.a - s.length[i], c.d2) <= buffer_squared_) ++count;
    }
  }
  return count;
}

}  // namespace tralva
