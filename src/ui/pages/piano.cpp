#include "pages/piano.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "common/precision.h"
#include "forms/file_picker.h"
#include "forms/form_texts.h"
#include "texts/icons.h"
#include "texts/shell_texts.h"

namespace tralva {

piano::piano(FormContext context, QWidget* parent) : Page(context, parent) {
  build_form();
  exchange().write_form();
}

void piano::build_form() {
  using namespace shell_text;
  FormLayout& form = layout();

  form.group(kPlaneGroup, {7, 7, 267, 219});
  // Two columns of numeric edits, labels to their left.
  const auto numeric = [&](const char* label, int column, int row, bool digits) {
    const int label_x = column == 0 ? 16 : 154;
    const int edit_x = column == 0 ? 66 : 206;
    const int y = 22 + 16 * row;
    QLineEdit* control =
        digits ? form.digits_edit({edit_x, y, 59, 12}) : form.number_edit({edit_x, y, 59, 12});
    form.label(label, label_x, y + 2, control);
    return control;
  };
  QLineEdit* origin_x = numeric(kOriginX, 0, 0, false);
  QLineEdit* step_x = numeric(kStepX, 0, 1, false);
  QLineEdit* steps_x = numeric(kStepsX, 0, 2, true);
  QLineEdit* fi = numeric(kFi, 0, 3, false);
  QLineEdit* level = numeric(kLevel, 0, 4, false);
  QLineEdit* origin_y = numeric(kOriginY, 1, 0, false);
  QLineEdit* step_y = numeric(kStepY, 1, 1, false);
  QLineEdit* steps_y = numeric(kStepsY, 1, 2, true);
  QLineEdit* psi = numeric(kPsi, 1, 3, false);
  QLineEdit* buffer = numeric(kBuffer, 1, 4, false);

  const FileRow data_file = form.file_row(icon::kOpen, kOpenData, 16, {42, 105, 77, 20}, 135);
  const FileRow result = form.file_row(icon::kSave, kSaveResult, 16, {42, 131, 77, 20}, 135);

  QComboBox* precision = form.list(list_items(kPrecisionTexts), 90, 154, 44);
  form.label(kPrecision, 16, 156, precision);
  const ProgressPanel progress = form.progress(16, 175);
  form.icon_button(icon::kRun, kRun, 86, {114, 200, 77, 20});

  form.picture(QStringLiteral(":/pictures/wires.svg"), kWiresPicture, {7, 232, 267, 131});

  exchange()
      .bind(precision_, precision, in_group(kPrecision, kPlaneGroup))
      .bind(origin_x_, origin_x, kOriginX)
      .bind(origin_y_, origin_y, kOriginY)
      .bind(step_x_, step_x, kStepX)
      .bind(step_y_, step_y, kStepY)
      .bind(steps_x_, steps_x, kStepsX)
      .bind(steps_y_, steps_y, kStepsY)
      .bind(fi_, fi, kFi)
      .bind(psi_, psi, kPsi)
      .bind(level_, level, kLevel)
      .bind(buffer_, buffer, kBuffer)
      .bind(data_path_, data_file.path, path_beside(kOpenData))
      .bind(result_path_, result.path, path_beside(kSaveResult))
      .bind(remaining_.hours, progress.hours, kHours)
      .bind(remaining_.minutes, progress.minutes, kMinutes)
      .bind(remaining_.seconds, progress.seconds, kSeconds);

  connect_picker(data_file.button, PickMode::open,
                 file_request(form_text::kProjectFilter, form_text::kProjectExtension),
                 data_path_);
  connect_picker(result.button, PickMode::save,
                 file_request(kResultFilter, form_text::kTextExtension), result_path_);
}

}  // namespace tralva
