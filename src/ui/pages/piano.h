#pragma once
// The "Calcolo piano" page: the parameters of a field calculation on a flat
// grid of points.  The calculation itself is not part of the program, so
// "Esegui il calcolo" does nothing and the progress stays at zero.

#include "field/field_points.h"
#include "pages/calculation_panel.h"
#include "pages/page.h"

namespace tralva {

class piano final : public Page {
  Q_OBJECT

 public:
  piano(FormContext context, QWidget* parent);

 private:
  CalculationFields calculation_;
  // The grid is the one tralva-util campo computes over.
  PlaneGrid grid_;
  float level_ = 0;
  float buffer_ = 1000;
};

}  // namespace tralva
