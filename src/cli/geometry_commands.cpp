#include "geometry_commands.h"

#include <ostream>

#include "cli_texts.h"
#include "command_support.h"
#include "common/format.h"
#include "common/json_writer.h"
#include "geometry/configuration.h"
#include "geometry/drawing.h"
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

int run_angoli(const ParsedArguments& parsed, Io& io) {
  const Arguments& arguments = parsed.operands;
  const std::size_t pylons = arguments.size() / 2;
  if (arguments.size() % 2 != 0 || pylons < kMinPylons || pylons > kMaxPylons) {
    return usage_error(io, std::string(cli_text::kPylonCoordinates) + int_text(kMinPylons) + "-" +
                               int_text(kMaxPylons) + std::string(cli_text::kPylonsGiven) +
                               int_text(static_cast<std::int64_t>(arguments.size())) + ".");
  }
  std::vector<double> x(pylons), y(pylons);
  Numbers numbers;
  for (std::size_t p = 0; p < pylons; ++p) {
    const std::string number = std::to_string(p + 1);
    numbers.read("X" + number, arguments[2 * p], x[p])
        .read("Y" + number, arguments[2 * p + 1], y[p]);
  }
  if (!numbers.ok()) return numbers.report_failure(io);
  std::vector<float> angles(pylons);
  if (const auto message = compute_arm_angles(x, y, angles)) return report(*message, io);
  for (const float angle : angles) io.out << general_text(angle) << '\n';
  return kSuccess;
}

int run_geometria(const ParsedArguments& parsed, Io& io) {
  const ConfigurationOutcome outcome = build_configuration(parsed.operands[0]);
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

int run_disegna(const ParsedArguments& parsed, Io& io) {
  const auto& options = parsed.options;
  const auto fail = [&io](std::string_view what, const std::string& given, std::string_view hint) {
    return usage_error(io, std::string(what) + cli_text::quoted(given) +
                               std::string(cli_text::kNotValid) + std::string(hint) + ").");
  };

  Projection projection = Projection::xy;
  if (const auto given = options.find("--proiezione"); given != options.end()) {
    const auto chosen = projection_from_text(given->second[0]);
    if (!chosen) return fail("--proiezione: ", given->second[0], cli_text::kProjections);
    projection = *chosen;
  }
  const std::string& out = options.at("-o")[0];
  const auto format = drawing_format(out);
  if (!format || *format == DrawingFormat::png) {
    return fail("-o: " + std::string(cli_text::kExtensionOf), out, cli_text::kDrawingExtensions);
  }

  // Bounds 0 0 on every axis, as the viewer starts.
  DrawingRequest request{parsed.operands[0], projection, {}, options.count("--adatta") != 0};
  if (!request.fit) {
    ViewBounds& bounds = request.bounds;
    Numbers numbers(parsed);
    numbers.option("--x", bounds.x_min, bounds.x_max)
        .option("--y", bounds.y_min, bounds.y_max)
        .option("--z", bounds.z_min, bounds.z_max);
    if (!numbers.ok()) return numbers.report_failure(io);
  }
  const DrawingOutcome outcome = draw_configuration(request);
  if (const auto* failure = std::get_if<Message>(&outcome)) return report(*failure, io);
  const std::string bytes = drawing_text(std::get<Drawing>(outcome).list, *format);
  if (const auto failure = write_drawing(out, bytes)) return report(*failure, io);
  return kSuccess;
}

}  // namespace tralva::cli
