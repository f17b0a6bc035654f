#include "pages/orografico.h"

#include <QCheckBox>
#include <QComboBox>

#include "texts/shell_texts.h"

namespace tralva {

orografico::orografico(FormContext context, QWidget* parent) : Page(context, parent) {
  using namespace shell_text;
  FormLayout& layout = form().layout();
  layout.group(kTerrainGroup, {7, 7, 267, 206});
  QLineEdit* step_z = layout.labelled_edit(kStepZ, 16, {66, 22, 59, 12});
  QLineEdit* steps_z = layout.labelled_edit(kStepsZ, 154, {206, 22, 59, 12}, EditKind::digits);
  QLineEdit* level = layout.labelled_edit(kLevel, 16, {66, 38, 59, 12});
  QLineEdit* buffer = layout.labelled_edit(kBuffer, 154, {206, 38, 59, 12});

  CalculationPanel panel(form(), calculation_,
                         {.group = kTerrainGroup,
                          .file_icon_x = 18,
                          .file_button_x = 45,
                          .data_y = 60,
                          .terrain_y = 86,
                          .result_y = 112,
                          .precision_label_x = 16,
                          .precision_y = 138,
                          .progress_y = 158,
                          .run_icon_x = 94,
                          .run = {122, 187, 77, 20},
                          .picture = ":/pictures/contours.svg",
                          .picture_description = kContourPicture,
                          .picture_place = {7, 219, 267, 144}});
  QCheckBox* project_maximum = layout.check(kProjectMaximum, 159, 139);
  // Beside the precision list, and next after it for the Tab key.
  setTabOrder(panel.precision(), project_maximum);

  panel.bind_precision();
  form().exchange().bind(buffer_, buffer).bind(level_, level);
  panel.bind_files_and_time();
  form()
      .exchange()
      .bind(step_z_, step_z)
      .bind(steps_z_, steps_z)
      .bind(project_maximum_, project_maximum, kProjectMaximum);
  form().exchange().write_form();
}

}  // namespace tralva
