#pragma once
// The "Calcolo orografico" page: the parameters of a field calculation that
// follows the terrain.  The calculation itself is not part of the program,
// so "Esegui il calcolo" does nothing and the progress stays at zero.

#include <cstdint>

#include "pages/calculation_panel.h"
#include "pages/page.h"

namespace tralva {

class orografico final : public Page {
  Q_OBJECT

 public:
  orografico(FormContext context, QWidget* parent);

 private:
  CalculationFields calculation_;
  float buffer_ = 1000;
  float level_ = 0;
  float step_z_ = 1;
  std::int32_t steps_z_ = 0;
  int project_maximum_ = 0;
};

}  // namespace tralva
