#pragma once
// The configuration viewer: a project's conductors and pylons in plan (XY)
// or in elevation (YZ, XZ), mapped onto the drawing area by six bounds.
// What it keeps between openings is a ConfigurationView, which the Start
// page holds for the whole run; the window, and the picture in it, exist
// only while it is open.
//
// Exchange order: the path, X min, X max, Y min, Y max, Z min, Z max, the
// two axis letters, the projection.

#include <string>

#include "forms/form_dialog.h"
#include "geometry/drawing.h"

class QAction;

namespace tralva {

class ConfigurationCanvas;

struct ConfigurationView {
  std::string data_path;
  ViewBounds bounds;  // all 0 at first
  std::string horizontal_axis_label = "X";
  std::string vertical_axis_label = "Y";
  std::string projection = "XY";
};

class paletta final : public FormDialog {
  Q_OBJECT

 public:
  // Shows the values of `view` at the top left corner of the screen and
  // edits them until the window closes.
  paletta(ConfigurationView& view, FormContext context, QWidget* parent = nullptr);

  ConfigurationCanvas& canvas() const { return *canvas_; }

 private:
  // "Visualizza": the checks, then the drawing with the bounds typed.
  void view();
  // "Adatta": the drawing with the bounds fitted to the project.
  void fit();
  void draw(bool fit);
  void erase();
  void copy_image();
  void save_image();

  ConfigurationView& view_;
  ConfigurationCanvas* canvas_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* save_ = nullptr;
};

}  // namespace tralva
