#include "geometry/drawing.h"

#include <cassert>

#include "common/file_names.h"

namespace tralva {

DrawingOutcome draw_configuration(const DrawingRequest& request,
                                  const std::function<void()>& checked) {
  if (auto failure = check_data_path(request.data_path)) return *std::move(failure);
  if (!request.fit) {
    if (auto failure = check_view_bounds(request.bounds)) return *std::move(failure);
  }
  if (checked) checked();
  ConfigurationOutcome outcome = build_configuration(request.data_path);
  if (auto* failure = std::get_if<Message>(&outcome)) return std::move(*failure);
  const auto& geometry = std::get<ConfigurationGeometry>(outcome);
  ViewBounds bounds = request.bounds;
  if (request.fit) bounds = fitted_bounds(geometry).value_or(bounds);
  return Drawing{make_display_list(geometry, request.projection, bounds), bounds};
}

std::optional<DrawingFormat> drawing_format(std::string_view path) {
  if (ends_with_in_any_case(path, ".svg")) return DrawingFormat::svg;
  if (ends_with_in_any_case(path, ".json")) return DrawingFormat::json;
  if (ends_with_in_any_case(path, ".png")) return DrawingFormat::png;
  return std::nullopt;
}

std::string drawing_text(const DisplayList& list, DrawingFormat format) {
  assert(format != DrawingFormat::png);
  return format == DrawingFormat::json ? display_list_json(list) : display_list_svg(list);
}

}  // namespace tralva
