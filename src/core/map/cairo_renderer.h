#pragma once
// The pictures of a field map for a report, drawn by Cairo (cairo_renderer.cpp
// is the only file that does): one A4 landscape page with the colour field,
// the threshold lines and the line in plan, the same drawing in PNG, SVG
// and PDF.

#include "map/field_map.h"

namespace tralva {

enum class PictureFormat { png, svg, pdf };

// The page in PNG is round(297 / 25.4 * dpi) x round(210 / 25.4 * dpi)
// pixels; SVG and PDF are vector pages of A4 with real text, the colour
// field an embedded image.
FileBytes render_picture(const FieldMap& map, PictureFormat format, int dpi);

// Where a point of the plan lies on the page, in points from its top left
// corner (a PNG pixel is dpi / 72 of them).
PlanPoint page_position(const FieldMap& map, PlanPoint point);

}  // namespace tralva
