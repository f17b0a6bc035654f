#include "pages/orografico.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "common/precision.h"
#include "forms/file_picker.h"
#include "forms/form_texts.h"
#include "texts/icons.h"
#include "texts/shell_texts.h"

namespace tralva {

orografico::orografico(FormContext context, QWidget* parent) : Page(context, parent) {
  build_form();
  exchange().write_form();
}

void orografico::build_form() {
  using namespace shell_text;
  FormLayout& form = layout();

  form.group(kTerrainGroup, {7, 7, 267, 206});
  QLineEdit* step_z = form.number_edit({66, 22, 59, 12});
  form.label(kStepZ, 16, 24, step_z);
  QLineEdit* steps_z = form.digits_edit({206, 22, 59, 12});
  form.label(kStepsZ, 154, 24, steps_z);
  QLineEdit* level = form.number_edit({66, 38, 59, 12});
  form.label(kLevel, 16, 40, level);
  QLineEdit* buffer = form.number_edit({206, 38, 59, 12});
  form.label(kBuffer, 154, 40, buffer);

  const FileRow data_file = form.file_row(icon::kOpen, kOpenData, 18, {45, 60, 77, 20}, 135);
  const FileRow terrain =
      form.file_row(icon::kTerrain, kOpenTerrain, 18, {45, 86, 77, 20}, 135);
  const FileRow result = form.file_row(icon::kSave, kSaveResult, 18, {45, 112, 77, 20}, 135);

  QComboBox* precision = form.list(list_items(kPrecisionTexts), 90, 138, 44);
  form.label(kPrecision, 16, 140, precision);
  QCheckBox* project_maximum = form.check(kProjectMaximum, 159, 139);
  const ProgressPanel progress = form.progress(16, 158);
  form.icon_button(icon::kRun, kRun, 94, {122, 187, 77, 20});

  form.picture(QStringLiteral(":/pictures/contours.svg"), kContourPicture, {7, 219, 267, 144});

  exchange()
      .bind(precision_, precision, in_group(kPrecision, kTerrainGroup))
      .bind(buffer_, buffer, kBuffer)
      .bind(level_, level, kLevel)
      .bind(data_path_, data_file.path, path_beside(kOpenData))
      .bind(terrain_path_, terrain.path, path_beside(kOpenTerrain))
      .bind(result_path_, result.path, path_beside(kSaveResult))
      .bind(remaining_.hours, progress.hours, kHours)
      .bind(remaining_.minutes, progress.minutes, kMinutes)
      .bind(remaining_.seconds, progress.seconds, kSeconds)
      .bind(step_z_, step_z, kStepZ)
      .bind(steps_z_, steps_z, kStepsZ)
      .bind(project_maximum_, project_maximum, kProjectMaximum);

  connect_picker(data_file.button, PickMode::open,
                 file_request(form_text::kProjectFilter, form_text::kProjectExtension),
                 data_path_);
  connect_picker(terrain.button, PickMode::open,
                 file_request(kTerrainFilter, form_text::kTextExtension), terrain_path_);
  connect_picker(result.button, PickMode::save,
                 file_request(kResultFilter, form_text::kTextExtension), result_path_);
}

}  // namespace tralva
