#include "pages/piano.h"

#include "texts/shell_texts.h"

namespace tralva {

piano::piano(FormContext context, QWidget* parent) : Page(context, parent) {
  using namespace shell_text;
  FormLayout& layout = form().layout();
  layout.group(kPlaneGroup, {7, 7, 267, 219});
  // Two columns of numeric edits, labels to their left.
  const auto numeric = [&](const char* label, int column, int row,
                           EditKind kind = EditKind::number) {
    return layout.labelled_edit(label, column == 0 ? 16 : 154,
                                {column == 0 ? 66 : 206, 22 + 16 * row, 59, 12}, kind);
  };
  QLineEdit* origin_x = numeric(kOriginX, 0, 0);
  QLineEdit* step_x = numeric(kStepX, 0, 1);
  QLineEdit* steps_x = numeric(kStepsX, 0, 2, EditKind::digits);
  QLineEdit* fi = numeric(kFi, 0, 3);
  QLineEdit* level = numeric(kLevel, 0, 4);
  QLineEdit* origin_y = numeric(kOriginY, 1, 0);
  QLineEdit* step_y = numeric(kStepY, 1, 1);
  QLineEdit* steps_y = numeric(kStepsY, 1, 2, EditKind::digits);
  QLineEdit* psi = numeric(kPsi, 1, 3);
  QLineEdit* buffer = numeric(kBuffer, 1, 4);

  CalculationPanel panel(form(), calculation_,
                         {.group = kPlaneGroup,
                          .file_icon_x = 16,
                          .file_button_x = 42,
                          .data_y = 105,
                          .terrain_y = std::nullopt,
                          .result_y = 131,
                          .precision_label_x = 16,
                          .precision_y = 154,
                          .progress_y = 175,
                          .run_icon_x = 86,
                          .run = {114, 200, 77, 20},
                          .picture = ":/pictures/wires.svg",
                          .picture_description = kWiresPicture,
                          .picture_place = {7, 232, 267, 131}});

  panel.bind_precision();
  form()
      .exchange()
      .bind(grid_.origin_x, origin_x)
      .bind(grid_.origin_y, origin_y)
      .bind(grid_.step_x, step_x)
      .bind(grid_.step_y, step_y)
      .bind(grid_.steps_x, steps_x)
      .bind(grid_.steps_y, steps_y)
      .bind(grid_.fi, fi)
      .bind(grid_.psi, psi)
      .bind(level_, level)
      .bind(buffer_, buffer);
  panel.bind_files_and_time();
  form().exchange().write_form();
}

}  // namespace tralva
