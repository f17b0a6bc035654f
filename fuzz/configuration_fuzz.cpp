// The viewer's geometry: any bytes end in a geometry or a message; a geometry
// has consistent sizes, a bounded number of samples and only finite ones;
// drawn with the bounds it fits, in any projection, it stays in the plot.
#include <cmath>
#include <cstdlib>

#include "geometry/configuration.h"
#include "geometry/display_list.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tralva::ByteStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  const tralva::ConfigurationOutcome outcome = tralva::build_configuration(in);
  if (const auto* message = std::get_if<tralva::Message>(&outcome)) {
    check(!message->text.empty());
    return 0;
  }
  std::int64_t samples = 0;
  std::int64_t spans = 0;
  for (const tralva::LineGeometry& line : std::get<tralva::ConfigurationGeometry>(outcome).lines) {
    const auto n = static_cast<std::size_t>(line.conductor_count);
    const auto p = static_cast<std::size_t>(line.support_count);
    check(n >= 1 && p >= 1);
    check(line.phase_code.size() == n && line.x.size() == p && line.top_level.size() == p);
    check(line.suspension_points.size() == n * p && line.spans.size() == n * (p - 1));
    for (const double angle : line.arm_angle) check(angle >= 0 && angle <= 3.141592653589793);
    for (const tralva::SpanCurve& span : line.spans) {
      check(static_cast<std::int64_t>(span.samples.size()) <= tralva::kMaxSamplesPerSpan + 2);
      for (const tralva::Point3& q : span.samples) {
        check(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z));
      }
      samples += static_cast<std::int64_t>(span.samples.size());
      ++spans;
    }
  }
  check(samples <= tralva::kMaxSamplesPerProject + 2 * spans);

  const auto& geometry = std::get<tralva::ConfigurationGeometry>(outcome);
  const tralva::ViewBounds bounds =
      tralva::fitted_bounds(geometry).value_or(tralva::ViewBounds{0, 1, 0, 1, 0, 1});
  const tralva::PixelRect& plot = tralva::kPlotRect;
  for (const auto projection :
       {tralva::Projection::xy, tralva::Projection::yz, tralva::Projection::xz}) {
    for (const tralva::DrawnSegment& s :
         tralva::make_display_list(geometry, projection, bounds).segments) {
      for (const int x : {s.x1, s.x2}) check(x >= plot.left - 1 && x <= plot.right);
      for (const int y : {s.y1, s.y2}) check(y >= plot.top - 1 && y <= plot.bottom);
    }
  }
  return 0;
}
