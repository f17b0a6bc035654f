#pragma once
// The "Interpolazione" page.  Its first group writes a base grid file, a
// square grid of points at height 0; the second collects the parameters of
// an interpolation run, which is not part of the program, so "Esegui il
// calcolo" does nothing and that group's progress stays at zero.

#include <cstdint>
#include <string>

#include "common/progress.h"
#include "convert/base_grid.h"
#include "pages/page.h"

namespace tralva {

class interpolazione final : public Page {
  Q_OBJECT

 public:
  interpolazione(FormContext context, QWidget* parent);

 private:
  void create_base_file_command();
  // The arrows beside "Punti": the up arrow reports -1, the down arrow +1.
  void step_points(int delta);

  // origin_x, origin_y, steps_x, steps_y, step, base_precision and
  // base_file_path: what "Crea il file di base" hands to the grid writer.
  BaseGridRequest base_;
  RemainingTime base_remaining_;
  float alpha_ = 1.0f;
  std::string calc_precision_ = "m";
  std::int32_t points_ = 5;
  std::string base_input_path_;
  std::string spot_heights_path_;
  std::string terrain_output_path_;
  RemainingTime calc_remaining_;
  ProgressPanel base_progress_;
};

}  // namespace tralva
