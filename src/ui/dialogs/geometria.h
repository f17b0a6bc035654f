#pragma once
// The geometric parameters a user needs when typing a line: the sag
// constant of a span, with the lowest point of the conductor between its
// pylons or beyond them, and the orientation of a pylon's cross-arms, the
// bisector of the angle between the two spans that meet there.  The three
// compute commands have no action, so the results stay at 0.
//
// What the dialog keeps between openings is a GeometricParameters, which the
// Start page holds for the whole run; the window exists only while it is
// open.

#include "forms/form_dialog.h"

namespace tralva {

// In the exchange order.  Plan coordinates are doubles, as in a project.
struct GeometricParameters {
  double x1 = 0;  // previous pylon
  double y1 = 0;
  double x0 = 0;  // pylon of interest
  double y0 = 0;
  double x2 = 0;  // next pylon
  double y2 = 0;
  // Lowest point between the pylons.
  float inner_z1 = 0;
  float inner_z2 = 0;
  float inner_z0 = 0;
  float inner_l = 0;
  // Lowest point beyond the span.
  float outer_z1 = 0;
  float outer_z2 = 0;
  float outer_z0 = 0;
  float outer_l = 0;
  // Results.
  float bisector_angle = 0;
  float inner_sag_constant = 0;
  float outer_sag_constant = 0;
};

class geometria final : public FormDialog {
  Q_OBJECT

 public:
  // Shows the values of `parameters` and edits them until the window closes.
  geometria(GeometricParameters& parameters, FormContext context, QWidget* parent = nullptr);
};

}  // namespace tralva
