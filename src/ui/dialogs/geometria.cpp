#include "dialogs/geometria.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "texts/geometria_texts.h"
#include "texts/icons.h"

namespace tralva {
namespace {

// The instruction lines as the two paragraphs they make.
QString paragraph(std::size_t first, std::size_t last) {
  QStringList lines;
  for (std::size_t i = first; i <= last; ++i) {
    lines << QString::fromUtf8(geometria_text::kInstructions[i]);
  }
  return lines.join(u' ');
}

}  // namespace

// The classic template, a little shorter: the two span profiles are 7 units
// shorter, the plan 13, so that the dialog keeps clear of the panel of a
// 768-pixel screen in the program's font and the instructions have the room
// their text takes.  The diagrams are drawn around the edits.
geometria::geometria(GeometricParameters& parameters, FormContext context, QWidget* parent)
    : FormDialog(geometria_text::kCaption, context, parent) {
  using namespace geometria_text;
  FormLayout& layout = form().layout();
  setFixedSize(layout.units().size(520, 421));

  // 13 units high, one more than the classic template: the least that shows
  // a whole line of the program's font.
  const auto height = [&](int x, int y) { return layout.number_edit({x, y, 28, 13}); };
  const auto coordinate = [&](int x, int y) { return layout.number_edit({x, y, 59, 13}); };
  // A command without action and the result it would give, with its unit.
  const auto command = [&](const char* icon, const char* text, int x, int y, const char* unit) {
    layout.icon_button(icon, text, x - 22, {x, y, 77, 20});
    QLabel* result = layout.value({x + 80, y + 6, 40, 8});
    layout.label(unit, x + 122, y + 6);
    return result;
  };

  layout.group(kSagGroup, {7, 7, 249, 380});
  layout.diagram(QStringLiteral(":/pictures/sag_inner.svg"), kInnerPicture, {13, 21, 237, 150});
  QLineEdit* inner_z1 = height(31, 48);
  QLineEdit* inner_z2 = height(31, 91);
  QLineEdit* inner_z0 = height(31, 106);
  QLineEdit* inner_l = height(115, 146);
  QLabel* inner_sag_constant = command(icon::kSag, kComputeSag, 83, 177, kMetres);
  layout.diagram(QStringLiteral(":/pictures/sag_outer.svg"), kOuterPicture, {13, 203, 237, 150});
  QLineEdit* outer_z1 = height(31, 230);
  QLineEdit* outer_z2 = height(31, 260);
  QLineEdit* outer_z0 = height(31, 285);
  QLineEdit* outer_l = height(113, 329);
  QLabel* outer_sag_constant = command(icon::kSag, kComputeSag, 83, 359, kMetres);

  layout.group(kArmGroup, {264, 7, 249, 228});
  layout.diagram(QStringLiteral(":/pictures/arm_plan.svg"), kPlanPicture, {270, 21, 237, 178});
  QLineEdit* x1 = coordinate(287, 99);
  QLineEdit* y1 = coordinate(287, 115);
  QLineEdit* x0 = coordinate(403, 166);
  QLineEdit* y0 = coordinate(403, 182);
  QLineEdit* x2 = coordinate(439, 80);
  QLineEdit* y2 = coordinate(439, 96);
  QLabel* bisector_angle = command(icon::kAngles, kComputeAngle, 340, 207, kDegrees);

  layout.group(kInstructionsGroup, {264, 241, 249, 146});
  layout.text(paragraph(0, 2), {270, 253, 237, 48});
  layout.text(paragraph(3, 5), {270, 305, 151, 78});
  layout.picture(QStringLiteral(":/pictures/arm_sign.svg"), kSignPicture, {425, 305, 82, 78});

  QPushButton* exit = layout.icon_button(icon::kExit, kExit, 205, {227, 394, 77, 20});
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);

  const auto inner = [](const char* name) { return in_group(name, kInner); };
  const auto outer = [](const char* name) { return in_group(name, kOuter); };
  FormExchange& exchange = form().exchange();
  exchange.bind(parameters.x1, x1, kX1)
      .bind(parameters.y1, y1, kY1)
      .bind(parameters.x0, x0, kX0)
      .bind(parameters.y0, y0, kY0)
      .bind(parameters.x2, x2, kX2)
      .bind(parameters.y2, y2, kY2)
      .bind(parameters.inner_z1, inner_z1, inner(kZ1))
      .bind(parameters.inner_z2, inner_z2, inner(kZ2))
      .bind(parameters.inner_z0, inner_z0, inner(kZ0))
      .bind(parameters.inner_l, inner_l, inner(kL))
      .bind(parameters.outer_z1, outer_z1, outer(kZ1))
      .bind(parameters.outer_z2, outer_z2, outer(kZ2))
      .bind(parameters.outer_z0, outer_z0, outer(kZ0))
      .bind(parameters.outer_l, outer_l, outer(kL))
      .bind(parameters.bisector_angle, bisector_angle, kBisector)
      .bind(parameters.inner_sag_constant, inner_sag_constant, inner(kSagConstant))
      .bind(parameters.outer_sag_constant, outer_sag_constant, outer(kSagConstant));
  explain_edits_by_name(*this);
  exchange.write_form();
}

}  // namespace tralva
