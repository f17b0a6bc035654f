#pragma once
// The magnetic flux density of the conductors at blocks of points.
//
// Each straight segment from A to B (unit direction u, length l) carrying
// the phasor I contributes, at a point P, the exact field of a thin straight
// wire (Biot-Savart integrated over the segment):
//
//   B = mu0 I / (4 pi) * (cos t1 - cos t2) / d * (u x rho) / |rho|,
//
// with a = u . (P - A) and b = a - l the positions of P along the wire from
// A and from B, d the distance of P from the wire's line, rho the component
// of P - A across the wire, cos t1 = a / |P - A| and cos t2 = b / |P - B|.
// Below 0.01 m, d is taken as 0.01 m.  A segment counts only where its
// nearest point lies within the buffer.  The result is the RMS flux density
// sqrt(|Bx|^2 + |By|^2 + |Bz|^2) of the phasor sums, in microtesla.
//
// Every point is summed over the segments in the same order, one point to
// a vector lane, so the value of a point is identical to the last bit
// whatever the instruction set, the block it falls in or the thread.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "field/conductor_segments.h"

namespace tralva {

inline constexpr int kBlockPoints = 16;

enum class InstructionSet { sse2, avx2, avx512 };

// Those this processor runs, the fastest last.
std::vector<InstructionSet> supported_instruction_sets();
const char* instruction_set_name(InstructionSet set);  // "SSE2", "AVX2", "AVX-512"

struct PointBlock {
  alignas(64) double x[kBlockPoints];
  alignas(64) double y[kBlockPoints];
  alignas(64) double z[kBlockPoints];
};

struct GeometricSum;  // the sums of one conductor, lane by lane

class FluxDensity {
 public:
  // `buffer` in metres; a negative buffer leaves no segment counted.  The
  // sums run on the fastest instruction set unless one is named.
  FluxDensity(const ConductorSegments& segments, double buffer,
              std::optional<InstructionSet> set = std::nullopt);

  // B in microtesla at the block's points.
  void evaluate(const PointBlock& points, double* b) const;
  // B at 1 to kBlockPoints points; a short block repeats its last point in
  // the spare lanes, so each value is the one it has in any other block.
  void evaluate(std::span<const Point3> points, double* b) const;
  // B at any number of points, block by block on this thread.
  std::vector<double> evaluate_all(std::span<const Point3> points) const;
  // How many segments count at a point: those whose nearest point lies
  // within the buffer.
  std::int64_t segments_within(const Point3& point) const;

 private:
  using SumChunk = void (*)(const ConductorSegments&, const SegmentChunk&, const PointBlock&,
                            double, GeometricSum&);

  const ConductorSegments& segments_;
  SumChunk sum_chunk_;
  double buffer_squared_;
  double skip_distance_;  // a box farther than this holds no segment within the buffer
};

}  // namespace tralva
