#include "map/map_outputs.h"

#include <algorithm>
#include <memory>

#include "common/command_files.h"
#include "common/file_names.h"
#include "common/format.h"
#include "map/cairo_renderer.h"
#include "map/field_map.h"
#include "map/gdal_writer.h"
#include "map/map_texts.h"

namespace tralva {
namespace {

namespace text = map_text;

std::string file_name(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

FileBytes output_bytes(const FieldMap& map, MapFormat format, const MapRequest& request) {
  switch (format) {
    case MapFormat::png:
      return render_picture(map, PictureFormat::png, request.dpi);
    case MapFormat::svg:
      return render_picture(map, PictureFormat::svg, request.dpi);
    case MapFormat::pdf:
      return render_picture(map, PictureFormat::pdf, request.dpi);
    case MapFormat::geotiff:
      return geotiff_bytes(map, request.epsg);
    case MapFormat::geopackage:
      break;
  }
  return geopackage_bytes(map, request.epsg);
}

Message cannot_create(const std::string& path, int cause) {
  return error_message(text::kCannotCreateMap + path + text::kCannotCreateMapEnd, cause);
}

// Tenths of a square metre, or two significant digits of an area smaller
// than that, which is still an area.
std::string area_text(double m2) {
  return m2 > 0 && m2 < 0.05 ? general_text(m2, 2) : fixed_text(m2, 1);
}

std::string source_text(const MapRequest& request) {
  std::string source = text::kSourceResult + file_name(request.result_path);
  if (!request.project_path.empty()) {
    source += text::kSourceSeparator + std::string(text::kSourceProject) +
              file_name(request.project_path);
  }
  return source;
}

}  // namespace

std::optional<MapFormat> map_format(std::string_view path) {
  static constexpr std::pair<std::string_view, MapFormat> kExtensions[] = {
      {".png", MapFormat::png},      {".svg", MapFormat::svg},
      {".pdf", MapFormat::pdf},      {".tif", MapFormat::geotiff},
      {".tiff", MapFormat::geotiff}, {".gpkg", MapFormat::geopackage}};
  for (const auto& [extension, format] : kExtensions) {
    if (ends_with_in_any_case(path, extension)) return format;
  }
  return std::nullopt;
}

bool is_gis(MapFormat format) {
  return format == MapFormat::geotiff || format == MapFormat::geopackage;
}

MapOutcome make_maps(const MapRequest& request) {
  std::vector<MapFormat> formats;
  for (const std::string& output : request.outputs) formats.push_back(*map_format(output));
  const bool gis = std::any_of(formats.begin(), formats.end(), is_gis);

  auto read = read_lattice_field(request.result_path);
  if (auto* failure = std::get_if<Message>(&read)) return *failure;
  LatticeField& field = std::get<LatticeField>(read);
  if (gis && !field.lattice.along_axes()) return error_message(text::kTurnedLatticeForGis);

  std::optional<ConfigurationGeometry> geometry;
  if (!request.project_path.empty()) {
    auto built = build_configuration(request.project_path);
    if (auto* failure = std::get_if<Message>(&built)) return *failure;
    geometry = std::move(std::get<ConfigurationGeometry>(built));
  }

  // Every target is checked before anything is drawn; none may be an input.
  std::vector<std::unique_ptr<OutputFile>> files;
  for (const std::string& output : request.outputs) {
    const std::string cannot = text::kCannotCreateMap + output + text::kCannotCreateMapEnd;
    const std::string is_input = text::kMapIsInput + output + text::kMapIsInputEnd;
    auto& out = files.emplace_back(std::make_unique<OutputFile>());
    if (auto failure = open_output(*out, output, {&request.result_path, &request.project_path},
                                   {cannot.c_str(), is_input.c_str()})) {
      return *failure;
    }
  }

  MapSummary summary;
  summary.lattice = field.lattice;
  summary.maximum = field.maximum();
  summary.maximum_at = field.maximum_point;
  auto made = make_field_map(std::move(field), request.thresholds, geometry ? &*geometry : nullptr,
                             request.title.empty() ? text::kDefaultTitle : request.title,
                             source_text(request));
  if (auto* failure = std::get_if<Message>(&made)) return *failure;
  const FieldMap& map = std::get<FieldMap>(made);
  for (const ThresholdContours& c : map.contours) summary.areas.push_back({c.threshold, c.area_m2});

  for (std::size_t k = 0; k < files.size(); ++k) {
    const FileBytes bytes = output_bytes(map, formats[k], request);
    if (const auto* failure = std::get_if<Message>(&bytes)) return *failure;
    const std::string& content = std::get<std::string>(bytes);
    OutputFile& out = *files[k];
    if (!out.reserve(content.size())) return cannot_create(request.outputs[k], out.cause());
    out.write(content);
    if (!out.finish(OutputFile::Durability::leave_to_system)) {
      return cannot_create(request.outputs[k], out.cause());
    }
  }
  for (std::size_t k = 0; k < files.size(); ++k) {
    if (!files[k]->publish()) return cannot_create(request.outputs[k], files[k]->cause());
    summary.written.push_back(request.outputs[k]);
  }
  if (gis && !request.epsg) summary.warning = warning_message(text::kNoCoordinateSystem);
  return summary;
}

std::string map_summary_text(const MapSummary& summary) {
  std::string out = text::kWritten;
  for (std::size_t k = 0; k < summary.written.size(); ++k) {
    out += (k == 0 ? "" : ", ") + summary.written[k];
  }
  // Counted along X first, however the file runs.
  const RasterView view = raster_view(summary.lattice);
  out += std::string("\n") + text::kLatticeOf + int_text(view.columns) + " × " +
         int_text(view.rows) + text::kPoints;
  out += std::string("\n") + text::kMaximum + fixed_text(summary.maximum, 4) + text::kUnit +
         text::kAtPoint + general_text(summary.maximum_at.x, 15) + " Y " +
         general_text(summary.maximum_at.y, 15);
  for (const ThresholdArea& area : summary.areas) {
    out += std::string("\n") + text::kAreaReaching + general_text(area.threshold, 15) +
           text::kUnit + ": " + area_text(area.area_m2) + text::kSquareMetres;
  }
  return out;
}

}  // namespace tralva
