#include "field/conductor_segments.h"

#include <algorithm>
#include <cmath>

#include "field/degrees.h"
#include "field/field_texts.h"

namespace tralva {
namespace {

// 0.1 uT m / A: mu0 / 4pi in microtesla.
constexpr double kMicroteslaPerAmpere = 0.1;

double phase_degrees(std::int32_t phase_code) {
  if (phase_code == 0) return 0;
  if (phase_code == 120) return 120;
  return 240;
}

class Layout {
 public:
  explicit Layout(ConductorSegments& out) : out_(out) {}

  // One span's polyline; repeated samples add no segment.  False when a
  // segment's length is not finite (coordinates beyond any map).
  bool add_polyline(const std::vector<Point3>& samples) {
    const std::size_t start = out_.x.size();
    for (const Point3& p : samples) {
      if (out_.x.size() > start) {
        const std::size_t last = out_.x.size() - 1;
        const double dx = p.x - out_.x[last];
        const double dy = p.y - out_.y[last];
        const double dz = p.z - out_.z[last];
        const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (!std::isfinite(length)) return false;
        if (length == 0) continue;
        out_.ux[last] = dx / length;
        out_.uy[last] = dy / length;
        out_.uz[last] = dz / length;
        out_.length[last] = length;
      }
      push_vertex(p);
    }
    const std::size_t vertices = out_.x.size() - start;
    if (vertices < 2) {  // no segment: the lone vertex goes again
      pop_vertices(start);
      return true;
    }
    const std::size_t segments = vertices - 1;
    out_.segment_count += static_cast<std::int64_t>(segments);
    for (std::size_t first = start; first < start + segments; first += kChunkSegments) {
      add_chunk(first, std::min(kChunkSegments, start + segments - first));
    }
    return true;
  }

 private:
  void push_vertex(const Point3& p) {
    out_.x.push_back(p.x);
    out_.y.push_back(p.y);
    out_.z.push_back(p.z);
    out_.ux.push_back(0);
    out_.uy.push_back(0);
    out_.uz.push_back(0);
    out_.length.push_back(0);
  }

  void pop_vertices(std::size_t size) {
    for (auto* v : {&out_.x, &out_.y, &out_.z, &out_.ux, &out_.uy, &out_.uz, &out_.length}) {
      v->resize(size);
    }
  }

  void add_chunk(std::size_t first, std::size_t count) {
    SegmentChunk chunk;
    chunk.first = first;
    chunk.count = count;
    const std::vector<double>* axes[3] = {&out_.x, &out_.y, &out_.z};
    for (int a = 0; a < 3; ++a) {
      const auto begin = axes[a]->begin() + static_cast<std::ptrdiff_t>(first);
      const auto [low, high] =
          std::minmax_element(begin, begin + static_cast<std::ptrdiff_t>(count + 1));
      chunk.low[a] = *low;
      chunk.high[a] = *high;
    }
    out_.chunks.push_back(chunk);
  }

  ConductorSegments& out_;
};

}  // namespace

std::variant<ConductorSegments, Message> lay_out_conductors(const ConfigurationGeometry& geometry) {
  const Message invalid = error_message(field_text::kProjectInvalid);
  if (geometry.lines.empty()) return invalid;
  ConductorSegments out;
  Layout layout(out);
  for (const LineGeometry& line : geometry.lines) {
    if (!std::isfinite(line.current)) return invalid;
    for (int k = 0; k < line.conductor_count; ++k) {
      const auto at = static_cast<std::size_t>(k);
      const double offset = line.phase_offset[at];
      if (!std::isfinite(offset)) return invalid;
      const SineCosine phase = sin_cos_degrees(phase_degrees(line.phase_code[at]) + offset);
      const double amplitude = kMicroteslaPerAmpere * line.current;
      ConductorRuns conductor;
      conductor.current = {amplitude * phase.cos, amplitude * phase.sin};
      conductor.first_chunk = out.chunks.size();
      for (int s = 0; s + 1 < line.support_count; ++s) {
        if (!layout.add_polyline(line.spans[line.at_span(k, s)].samples)) return invalid;
      }
      conductor.chunk_count = out.chunks.size() - conductor.first_chunk;
      out.conductors.push_back(conductor);
    }
  }
  return out;
}

}  // namespace tralva
