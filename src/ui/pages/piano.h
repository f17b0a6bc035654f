#pragma once
// The "Calcolo piano" page: the parameters of a field calculation on a flat
// grid of points.  The calculation itself is not part of the program, so
// "Esegui il calcolo" does nothing and the progress stays at zero.

#include <cstdint>

#include "pages/calculation_panel.h"
#include "pages/page.h"

namespace tralva {

class piano final : public Page {
  Q_OBJECT

 public:
  piano(FormContext context, QWidget* parent);

 private:
  CalculationFields calculation_;
  double origin_x_ = 0;
  double origin_y_ = 0;
  float step_x_ = 1;
  float step_y_ = 1;
  std::int32_t steps_x_ = 0;
  std::int32_t steps_y_ = 0;
  double fi_ = 0;
  double psi_ = 0;
  float level_ = 0;
  float buffer_ = 1000;
};

}  // namespace tralva
