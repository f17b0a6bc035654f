#include "plain_field.h"

#include <algorithm>
#include <cmath>

namespace tralva::plain {

std::vector<double> field(const ConfigurationGeometry& geometry, const std::vector<Point3>& points,
                          double buffer) {
  constexpr double kPi = 3.141592653589793;
  std::vector<double> b;
  b.reserve(points.size());
  for (const Point3& p : points) {
    double re[3] = {0, 0, 0}, im[3] = {0, 0, 0};
    for (const LineGeometry& line : geometry.lines) {
      for (int k = 0; k < line.conductor_count; ++k) {
        const int code = line.phase_code[static_cast<std::size_t>(k)];
        const double phase = (code == 0     ? 0
                              : code == 120 ? 120
                                            : 240) +
                             double{line.phase_offset[static_cast<std::size_t>(k)]};
        const double current_re = line.current * std::cos(phase * kPi / 180);
        const double current_im = line.current * std::sin(phase * kPi / 180);
        for (int s = 0; s + 1 < line.support_count; ++s) {
          const std::vector<Point3>& samples = line.spans[line.at_span(k, s)].samples;
          for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
            const Point3& a = samples[i];
            const Point3& e = samples[i + 1];
            const double l[3] = {e.x - a.x, e.y - a.y, e.z - a.z};
            const double length = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
            if (length == 0) continue;
            const double t[3] = {l[0] / length, l[1] / length, l[2] / length};
            const double r[3] = {p.x - a.x, p.y - a.y, p.z - a.z};
            const double along = t[0] * r[0] + t[1] * r[1] + t[2] * r[2];
            const double rho[3] = {r[0] - along * t[0], r[1] - along * t[1], r[2] - along * t[2]};
            const double d = std::sqrt(rho[0] * rho[0] + rho[1] * rho[1] + rho[2] * rho[2]);
            const double clamped = std::clamp(along, 0.0, length);
            const double nearest = std::sqrt(d * d + (along - clamped) * (along - clamped));
            if (nearest > buffer || d == 0) continue;
            const double distance = std::max(d, 0.01);
            const double cos1 = along / std::sqrt(along * along + distance * distance);
            const double cos2 = (along - length) / std::sqrt((along - length) * (along - length) +
                                                             distance * distance);
            const double magnitude = 1e-7 * (cos1 - cos2) / distance * 1e6;  // uT per A
            const double direction[3] = {(t[1] * rho[2] - t[2] * rho[1]) / d,
                                         (t[2] * rho[0] - t[0] * rho[2]) / d,
                                         (t[0] * rho[1] - t[1] * rho[0]) / d};
            for (int c = 0; c < 3; ++c) {
              re[c] += current_re * magnitude * direction[c];
              im[c] += current_im * magnitude * direction[c];
            }
          }
        }
      }
    }
    b.push_back(std::sqrt(re[0] * re[0] + im[0] * im[0] + re[1] * re[1] + im[1] * im[1] +
                          re[2] * re[2] + im[2] * im[2]));
  }
  return b;
}

}  // namespace tralva::plain
