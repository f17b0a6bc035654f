#include "geometry_commands.h"

#include <ostream>

#include "common/field.h"
#include "common/format.h"
#include "geometry/configuration.h"
#include "json_writer.h"
#include "project/arm_angles.h"

namespace tralva::cli {
namespace {

constexpr std::size_t kMinPylons = 2;
constexpr std::size_t kMaxPylons = 6;

void write_point(JsonWriter& json, double x, double y, double z) {
  json.begin_array().number(x).number(y).number(z).end_array();
}

void write_line(JsonWriter& json, const LineGeometry& line) {
  json.begin_object();
  json.key("current").number(line.current);
  json.key("conductor_count").integer(line.conductor_count);
  json.key("support_count").integer(line.support_count);
  json.key("segment_length").number(line.segment_length);
  json.key("is_overhead").boolean(line.is_overhead);
  json.key("supports").begin_array();
  for (std::size_t p = 0; p < line.x.size(); ++p) {
    json.begin_object();
    json.key("x").number(line.x[p]);
    json.key("y").number(line.y[p]);
    json.key("ground_level").number(line.ground_level[p]);
    json.key("arm_angle").number(line.arm_angle[p]);
    json.key("top_level").number(line.top_level[p]);
    json.end_object();
  }
  json.end_array();
  json.key("conductors").begin_array();
  for (int k = 0; k < line.conductor_count; ++k) {
    json.begin_object();
    json.key("phase_code").integer(line.phase_code[static_cast<std::size_t>(k)]);
    json.key("arm_length").begin_array();
    for (int p = 0; p < line.support_count; ++p)
      json.number(line.arm_length[line.at_support(k, p)]);
    json.end_array();
    json.key("suspension_points").begin_array();
    for (int p = 0; p < line.support_count; ++p) {
      const SuspensionPoint& point = line.suspension_points[line.at_support(k, p)];
      write_point(json, point.x, point.y, point.z);
    }
    json.end_array();
    json.key("spans").begin_array();
    for (int s = 0; s + 1 < line.support_count; ++s) {
      const SpanCurve& span = line.spans[line.at_span(k, s)];
      json.begin_object();
      json.key("span_length").number(span.span_length);
      json.key("span_azimuth").number(span.span_azimuth);
      json.key("vertex_offset").number(span.vertex_offset);
      json.key("curve_offset").number(span.curve_offset);
      json.key("samples").begin_array();
      for (const Point3& point : span.samples) write_point(json, point.x, point.y, point.z);
      json.end_array();
      json.end_object();
    }
    json.end_array();
    json.end_object();
  }
  json.end_array();
  json.end_object();
}

}  // namespace

int run_angoli(const Arguments& arguments, Io& io) {
  const std::size_t pylons = arguments.size() / 2;
  if (arguments.size() % 2 != 0 || pylons < kMinPylons || pylons > kMaxPylons) {
    return usage_error(io);
  }
  std::vector<double> x, y;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const auto value = parse_field_double(arguments[i]);
    if (!value && leading_number(arguments[i])) return number_too_large(arguments[i], io);
    if (!value) return report(warning_message(kNumberPrompt), io);
    (i % 2 == 0 ? x : y).push_back(*value);
  }
  std::vector<float> angles(pylons);
  if (const auto message = compute_arm_angles(x, y, angles)) return report(*message, io);
  for (const float angle : angles) io.out << general_text(angle) << '\n';
  return kSuccess;
}

int run_geometria(const Arguments& arguments, Io& io) {
  if (arguments.size() != 1) return usage_error(io);
  const ConfigurationOutcome outcome = build_configuration(arguments[0]);
  if (const auto* message = std::get_if<Message>(&outcome)) return report(*message, io);
  JsonWriter json(io.out);
  json.begin_object().key("lines").begin_array();
  for (const LineGeometry& line : std::get<ConfigurationGeometry>(outcome).lines) {
    write_line(json, line);
  }
  json.end_array().end_object();
  json.flush();
  io.out << '\n';
  return kSuccess;
}

}  // namespace tralva::cli
