#pragma once
// The conductors of a project as the field sees them: straight segments
// joining consecutive samples of every span, laid out as structures of
// arrays for the vector units, each conductor with its current phasor.

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "common/message.h"
#include "geometry/configuration.h"

namespace tralva {

// Runs of consecutive segments share a bounding box, so that a block of
// points passes over a whole run beyond its buffer with one test.
inline constexpr std::size_t kChunkSegments = 32;

struct SegmentChunk {
  std::size_t first = 0;  // segments first .. first + count - 1, vertices up to first + count
  std::size_t count = 0;
  double low[3] = {0, 0, 0};  // the box of its vertices
  double high[3] = {0, 0, 0};
};

// A current phasor scaled to give microtesla from a geometric factor in 1/m:
// mu0 / 4pi = 1e-7 T m / A, that is 0.1 uT m / A.
struct Phasor {
  double re = 0;
  double im = 0;
};

struct ConductorRuns {
  Phasor current;
  std::size_t first_chunk = 0;
  std::size_t chunk_count = 0;
};

struct ConductorSegments {
  // Vertices; segment i runs from vertex i to vertex i + 1 within a span's
  // polyline.  The slots of a polyline's last vertex hold no segment.
  std::vector<double> x, y, z;
  std::vector<double> ux, uy, uz, length;  // unit direction and length of segment i
  std::vector<SegmentChunk> chunks;
  std::vector<ConductorRuns> conductors;
  std::int64_t segment_count = 0;
};

// Every line and conductor of the geometry, current flowing from the first
// support to the last.  A project without lines, or with a current or phase
// offset that is not finite, is refused.
std::variant<ConductorSegments, Message> lay_out_conductors(const ConfigurationGeometry& geometry);

}  // namespace tralva
