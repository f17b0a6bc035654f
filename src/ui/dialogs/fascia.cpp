#include "dialogs/fascia.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "texts/fascia_texts.h"
#include "texts/icons.h"

namespace tralva {

// The classic template, a little shorter: each configuration's diagram is
// 7 units shorter, so that the dialog keeps clear of the panel of a 768-pixel
// screen in the program's font.  The diagrams are drawn around the edits.
fascia::fascia(RightOfWayBand& band, FormContext context, QWidget* parent)
    : FormDialog(fascia_text::kCaption, context, parent) {
  using namespace fascia_text;
  FormLayout& layout = form().layout();
  setFixedSize(layout.units().size(539, 417));

  // 13 units high, one more than the classic template: the least that shows
  // a whole line of the program's font.
  const auto edit = [&](int x, int y) { return layout.number_edit({x, y, 28, 13}); };
  // "Fascia:", the width with its unit, and the command that would compute
  // it; the command has no action.
  const auto band_row = [&](int x, int y, int button_x, int button_y) {
    layout.label(kBand, x, y);
    QLabel* width = layout.value({x + 26, y, 32, 8});
    layout.label(kMetres, x + 60, y);
    layout.icon_button(icon::kBand, kCompute, button_x - 22, {button_x, button_y, 77, 20});
    return width;
  };

  layout.group(kOverheadSingle, {7, 7, 166, 376});
  layout.group(kFlatVertical, {14, 18, 152, 177});
  layout.diagram(QStringLiteral(":/pictures/band_flat_vertical.svg"), kFlatVerticalPicture,
                 {21, 30, 137, 120});
  QLineEdit* flat_vertical_s = edit(129, 78);
  QLineEdit* flat_vertical_i = edit(120, 117);
  QLabel* band_flat_vertical = band_row(57, 153, 66, 167);

  layout.group(kTriangle, {14, 199, 152, 177});
  layout.diagram(QStringLiteral(":/pictures/band_triangle.svg"), kTrianglePicture,
                 {21, 211, 137, 120});
  QLineEdit* triangle_s = edit(120, 264);
  QLineEdit* triangle_i = edit(64, 316);
  QLabel* band_triangle = band_row(59, 334, 65, 348);

  layout.group(kDoubleCircuit, {179, 7, 150, 376});
  layout.diagram(QStringLiteral(":/pictures/band_double_circuit.svg"), kDoubleCircuitPicture,
                 {185, 23, 139, 183});
  QLineEdit* double_i1 = edit(222, 32);
  QLineEdit* double_i2 = edit(292, 32);
  QLineEdit* double_s = edit(226, 83);
  QLineEdit* double_d = edit(244, 187);
  layout.text(kOppositeCurrents, {186, 210, 137, 16});
  layout.label(kPhaseOrder, 186, 229);
  const RadioPair phases = layout.radio_pair(kSymmetric, 193, 242, kAntisymmetric, 259, 242);
  layout.picture(QStringLiteral(":/pictures/phases_symmetric.svg"), kSymmetricPicture,
                 {186, 256, 66, 76});
  layout.picture(QStringLiteral(":/pictures/phases_antisymmetric.svg"), kAntisymmetricPicture,
                 {256, 256, 66, 76});
  QLabel* band_double_circuit = band_row(222, 341, 229, 355);

  layout.group(kCableSingle, {335, 7, 197, 376});
  layout.group(kCablesFlat, {343, 18, 182, 177});
  layout.diagram(QStringLiteral(":/pictures/band_cables_flat.svg"), kCablesFlatPicture,
                 {349, 34, 171, 99});
  QLineEdit* cables_flat_i = edit(465, 46);
  QLineEdit* cables_flat_d = edit(384, 80);
  QLineEdit* cables_flat_s = edit(406, 117);
  const RadioPair cables_flat =
      layout.radio_pair(kMaxExtension, 351, 136, kGroundLevel, 351, 148, kInCablesFlat);
  QLabel* band_cables_flat = band_row(404, 160, 411, 172);

  layout.group(kCablesTrefoil, {343, 199, 182, 177});
  layout.diagram(QStringLiteral(":/pictures/band_cables_trefoil.svg"), kCablesTrefoilPicture,
                 {349, 211, 171, 99});
  QLineEdit* trefoil_i = edit(476, 229);
  QLineEdit* trefoil_d = edit(384, 265);
  QLineEdit* trefoil_s = edit(478, 271);
  const RadioPair trefoil =
      layout.radio_pair(kMaxExtension, 351, 313, kGroundLevel, 351, 325, kInCablesTrefoil);
  QLabel* band_cables_trefoil = band_row(402, 337, 409, 349);

  QPushButton* exit = layout.icon_button(icon::kExit, kExit, 222, {244, 390, 77, 20});
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);

  FormExchange& exchange = form().exchange();
  exchange.bind(band.band_triangle, band_triangle, in_group(kBandWidth, kInTriangle))
      .bind(band.band_flat_vertical, band_flat_vertical, in_group(kBandWidth, kInFlatVertical))
      .bind(band.band_double_circuit, band_double_circuit, in_group(kBandWidth, kInDoubleCircuit))
      .bind(band.band_cables_flat, band_cables_flat, in_group(kBandWidth, kInCablesFlat))
      .bind(band.band_cables_trefoil, band_cables_trefoil, in_group(kBandWidth, kInCablesTrefoil))
      .bind(band.flat_vertical_s, flat_vertical_s, in_group(kConductorDistance, kInFlatVertical))
      .bind(band.flat_vertical_i, flat_vertical_i, in_group(kLineCurrent, kInFlatVertical))
      .bind(band.triangle_s, triangle_s, in_group(kConductorDistance, kInTriangle))
      .bind(band.triangle_i, triangle_i, in_group(kLineCurrent, kInTriangle))
      .bind(band.cables_flat_i, cables_flat_i, in_group(kLineCurrent, kInCablesFlat))
      .bind(band.cables_flat_d, cables_flat_d, in_group(kLayingDepth, kInCablesFlat))
      .bind(band.cables_flat_s, cables_flat_s, in_group(kCableDistance, kInCablesFlat))
      .bind(band.trefoil_i, trefoil_i, in_group(kLineCurrent, kInCablesTrefoil))
      .bind(band.trefoil_d, trefoil_d, in_group(kLayingDepth, kInCablesTrefoil))
      .bind(band.trefoil_s, trefoil_s, in_group(kCentreDistance, kInCablesTrefoil))
      .bind(band.double_i1, double_i1, in_group(kFirstCurrent, kInDoubleCircuit))
      .bind(band.double_i2, double_i2, in_group(kSecondCurrent, kInDoubleCircuit))
      .bind(band.double_s, double_s, in_group(kArmLevels, kInDoubleCircuit))
      .bind(band.double_d, double_d, in_group(kLowestArm, kInDoubleCircuit))
      .choice(phases.first, band.symmetric, band.antisymmetric)
      .choice(phases.second, band.antisymmetric, band.symmetric)
      .choice(cables_flat.first, band.cables_flat_max_extension, band.cables_flat_ground_level)
      .choice(cables_flat.second, band.cables_flat_ground_level, band.cables_flat_max_extension)
      .choice(trefoil.first, band.trefoil_max_extension, band.trefoil_ground_level)
      .choice(trefoil.second, band.trefoil_ground_level, band.trefoil_max_extension);
  explain_edits_by_name(*this);
  exchange.write_form();
}

}  // namespace tralva
