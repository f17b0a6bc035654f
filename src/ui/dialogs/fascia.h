#pragma once
// The right-of-way band after the Norma CEI 106-11, for five typical
// configurations: overhead single-circuit lines with the conductors in a
// plane or in a triangle, double-circuit lines, and single-core cables laid
// flat or in trefoil.  The user types the currents and distances each diagram
// shows; the band widths beside "Fascia:" stay at 0, since the five
// "Calcola la fascia" commands compute nothing.
//
// What the dialog keeps between openings is a RightOfWayBand, which the
// Start page holds for the whole run; the window exists only while it is
// open.  The radio flags survive a closing too, yet a new window shows no
// radio button selected.

#include "forms/form_dialog.h"

namespace tralva {

// In the exchange order: the five band widths first, then the inputs of
// each configuration.
struct RightOfWayBand {
  float band_triangle = 0;
  float band_flat_vertical = 0;
  float band_double_circuit = 0;
  float band_cables_flat = 0;
  float band_cables_trefoil = 0;
  float flat_vertical_s = 0;
  float flat_vertical_i = 0;
  float triangle_s = 0;
  float triangle_i = 0;
  float cables_flat_i = 0;
  float cables_flat_d = 0;
  float cables_flat_s = 0;
  float trefoil_i = 0;
  float trefoil_d = 0;
  float trefoil_s = 0;
  float double_i1 = 0;
  float double_i2 = 0;
  float double_s = 0;
  float double_d = 0;

  // Set only by the radio buttons; of each pair at most one is true.
  bool symmetric = false;
  bool antisymmetric = false;
  bool cables_flat_max_extension = false;
  bool cables_flat_ground_level = false;
  bool trefoil_max_extension = false;
  bool trefoil_ground_level = false;
};

class fascia final : public FormDialog {
  Q_OBJECT

 public:
  // Shows the values of `band` and edits them until the window closes.
  fascia(RightOfWayBand& band, FormContext context, QWidget* parent = nullptr);
};

}  // namespace tralva
