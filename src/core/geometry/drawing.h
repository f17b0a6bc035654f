#pragma once
// The drawing command of the configuration view, whoever asks for it: the
// viewer's "Visualizza" and "Adatta", and the batch tool's "disegna".  A
// request in; the display list, or the message that stopped it, out.  The
// caller only shows the list or writes it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "common/message.h"
#include "geometry/display_list.h"

namespace tralva {

struct DrawingRequest {
  std::string data_path;
  Projection projection = Projection::xy;
  ViewBounds bounds;  // as typed; all 0 at first
  bool fit = false;   // the bounds taken from the project instead, as "Adatta" does
};

struct Drawing {
  DisplayList list;
  // The bounds it is drawn with: those asked for, or those fitted to the
  // project (those asked for when the project has nothing to draw).
  ViewBounds bounds;
};

using DrawingOutcome = std::variant<Drawing, Message>;

// The path is checked, then, unless fitting, the bounds of every axis;
// `checked` runs once they pass, before the project is read (the viewer
// erases its picture there, so that a failed check leaves it on screen).
// Then the geometry is built, the bounds fitted if asked, and the list made.
DrawingOutcome draw_configuration(const DrawingRequest& request,
                                  const std::function<void()>& checked = {});

// The kinds a drawing is written as: the vector drawing and the list of its
// segments, which the core writes, and the picture as the viewer shows it,
// which only the viewer has.
enum class DrawingFormat { svg, json, png };

// The kind a file name asks for by its extension, in any case ("A.SVG" is
// an SVG drawing); nullopt for any other name.  Each caller refuses the
// kinds it does not write.
std::optional<DrawingFormat> drawing_format(std::string_view path);

// The drawing as the bytes of an SVG or JSON file.
std::string drawing_text(const DisplayList& list, DrawingFormat format);

}  // namespace tralva
