#include "pages/interpolazione.h"

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <limits>

#include "common/precision.h"
#include "forms/up_down_arrows.h"
#include "texts/file_types.h"
#include "texts/icons.h"
#include "texts/shell_texts.h"
#include "texts/utility_texts.h"

namespace tralva {

interpolazione::interpolazione(FormContext context, QWidget* parent) : Page(context, parent) {
  using namespace utility_text;
  namespace shell = shell_text;
  FormLayout& layout = form().layout();
  const auto precision_list = [&](const char* group, int label_x, int label_y, int x, int y,
                                  int width = 44) {
    QComboBox* list = layout.list(list_items(kPrecisionTexts), x, y, width);
    layout.label(kPrecision, label_x, label_y, list);
    name_control(list, in_group(kPrecision, group));
    return list;
  };
  const auto file = [&](const char* icon, const char* text, int y, PickMode mode,
                        const FileType& type, std::string& path) {
    return form().file_row(icon, text, {16, {43, y, 77, 20}, 133}, mode, type, path);
  };

  layout.group(kBaseGroup, {7, 7, 267, 151});
  QLineEdit* origin_x = layout.labelled_edit(shell::kOriginX, 16, {66, 22, 59, 12});
  QLineEdit* origin_y = layout.labelled_edit(shell::kOriginY, 154, {206, 22, 59, 12});
  QLineEdit* steps_x = layout.labelled_edit(shell::kStepsX, 16, {66, 38, 59, 12}, EditKind::digits);
  QLineEdit* steps_y =
      layout.labelled_edit(shell::kStepsY, 154, {206, 38, 59, 12}, EditKind::digits);
  QLineEdit* step = layout.labelled_edit(kStep, 16, {66, 54, 59, 12});
  QComboBox* base_precision = precision_list(kBaseGroup, 154, 56, 221, 54);
  const FileRow base_file =
      file(icon::kSave, kSaveBase, 76, PickMode::save, file_type::kBaseGrid, base_.base_file_path);
  base_progress_ = layout.progress(16, 104, kBaseGroup);
  QPushButton* create = layout.icon_button(icon::kGrid, kCreateBase, 90, {119, 130, 77, 20});
  connect(create, &QPushButton::clicked, this, [this] { create_base_file_command(); });

  layout.group(kCalculationGroup, {7, 165, 267, 198});
  layout.group(kParametersGroup, {16, 178, 249, 40});
  QLineEdit* alpha = layout.labelled_edit(kAlpha, 20, {33, 197, 44, 12});
  // At the template's place (label at 87, list at 138) the label runs into
  // the list in today's fonts: the label moves left, the list a little right.
  QComboBox* calc_precision = precision_list(kCalculationGroup, 79, 199, 141, 197, 42);
  QLineEdit* points = layout.labelled_edit(kPoints, 189, {216, 197, 44, 12}, EditKind::digits);
  UpDownArrows* arrows = layout.up_down({209, 197, 7, 12});
  name_control(arrows, kArrows);
  arrows->up()->setAccessibleName(kArrowUp);
  arrows->down()->setAccessibleName(kArrowDown);
  connect(arrows, &UpDownArrows::changed, this, [this](int delta) { step_points(delta); });
  const FileRow base_input =
      file(icon::kOpen, kOpenBase, 228, PickMode::open, file_type::kBaseInput, base_input_path_);
  const FileRow spot_heights = file(icon::kLoad, kLoadSpotHeights, 255, PickMode::open,
                                    file_type::kSpotHeights, spot_heights_path_);
  const FileRow terrain_output = file(icon::kSave, kSaveTerrain, 282, PickMode::save,
                                      file_type::kTerrainData, terrain_output_path_);
  const ProgressPanel calc_progress = layout.progress(16, 309, kCalculationGroup);
  // The interpolation run is not part of the program: the command does nothing.
  layout.icon_button(icon::kRun, shell::kRun, 93, {121, 336, 77, 20});

  form()
      .exchange()
      .bind(base_.base_precision, base_precision)
      .bind(calc_precision_, calc_precision)
      .bind(points_, points)
      .bind(base_.origin_y, origin_y)
      .bind(base_.origin_x, origin_x)
      .bind(base_.steps_y, steps_y)
      .bind(base_.steps_x, steps_x)
      .bind(base_.step, step)
      .bind(base_.base_file_path, base_file.path)
      .bind(alpha_, alpha)
      .bind(base_input_path_, base_input.path)
      .bind(spot_heights_path_, spot_heights.path)
      .bind(terrain_output_path_, terrain_output.path)
      .bind(base_remaining_.seconds, base_progress_.seconds)
      .bind(base_remaining_.minutes, base_progress_.minutes)
      .bind(base_remaining_.hours, base_progress_.hours);
  bind_remaining_time(form().exchange(), calc_remaining_, calc_progress);
  form().exchange().write_form();
}

void interpolazione::create_base_file_command() {
  // A value that cannot be read is reported, and the file is made with the
  // values held.
  form().exchange().read_form();
  // The writer gets its own copy: the page's fields may change while the
  // event loop runs during the command.
  const BaseGridRequest request = base_;
  run_with_progress([&request](ProgressSink& sink,
                               Clock& clock) { return create_base_file(request, sink, clock); },
                    base_progress_, base_remaining_);
}

void interpolazione::step_points(int delta) {
  // Never below 1 through the arrows, and no overflow at the top.
  points_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(
      std::int64_t{points_} - delta, 1, std::numeric_limits<std::int32_t>::max()));
  form().exchange().write_form();
}

}  // namespace tralva
