#include "pages/utilita.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "common/precision.h"
#include "texts/file_types.h"
#include "texts/icons.h"
#include "texts/shell_texts.h"
#include "texts/utility_texts.h"

namespace tralva {

utilita::utilita(FormContext context, QWidget* parent) : Page(context, parent) {
  using namespace utility_text;
  namespace shell = shell_text;
  FormLayout& layout = form().layout();
  // Where two groups share a text ("Salva la conversione", "Converti",
  // "Precisione per X e Y"), the names carry the group.
  const auto file = [&](const char* group, const char* icon, const char* text, int y, PickMode mode,
                        const FileType& type, std::string& path) {
    FileRow row = form().file_row(icon, text, {16, {42, y, 84, 19}, 135}, mode, type, path);
    if (group != nullptr) {
      name_control(row.button, in_group(text, group));
      name_control(row.path, in_group(path_beside(text), group));
    }
    return row;
  };
  // The icon of a command stands a unit above its button.
  const auto command = [&](const char* icon, const char* text, const char* group, int y,
                           void (utilita::*handler)()) {
    layout.icon(icon, 85, y - 1);
    QPushButton* button = layout.button(text, {112, y, 84, 19});
    if (group != nullptr) name_control(button, in_group(text, group));
    connect(button, &QPushButton::clicked, this, handler);
  };
  const auto precision_list = [&](const char* group, int label_x, int label_y, int x, int y) {
    QComboBox* list = layout.list(list_items(kPrecisionTexts), x, y, 44);
    layout.label(shell::kPrecision, label_x, label_y, list);
    name_control(list, in_group(shell::kPrecision, group));
    return list;
  };
  const auto angle_list = [&](const char* label, int y) {
    QComboBox* list = layout.list(list_items(kAngleItems), 145, y, 44);
    layout.label(label, 122, y + 2, list);
    name_control(list, label);
    return list;
  };

  layout.group(kResultGroup, {7, 7, 267, 135});
  QLineEdit* steps_x = layout.labelled_edit(shell::kStepsX, 16, {62, 18, 44, 12}, EditKind::digits);
  QLineEdit* steps_y = layout.labelled_edit(shell::kStepsY, 16, {62, 35, 44, 12}, EditKind::digits);
  QComboBox* fi = angle_list(shell::kFi, 18);
  QComboBox* psi = angle_list(shell::kPsi, 35);
  QComboBox* result_precision = precision_list(kResultGroup, 201, 20, 211, 35);
  const FileRow gis_input = file(nullptr, icon::kOpen, kOpenGis, 51, PickMode::open,
                                 file_type::kGisResult, result_.gis_input_path);
  const FileRow conversion_output =
      file(kResultGroup, icon::kSave, kSaveConversion, 75, PickMode::save, file_type::kSpreadsheet,
           result_.conversion_output_path);
  result_progress_ = layout.progress(16, 97, kResultGroup, 179);
  command(icon::kConvert, kConvert, kResultGroup, 118, &utilita::convert_result_command);

  layout.group(kTerrainGroup, {7, 146, 267, 125});
  const FileRow terrain_input =
      file(nullptr, icon::kTerrain, kOpenTerrainMatrix, 160, PickMode::open,
           file_type::kTerrainMatrix, terrain_.terrain_input_path);
  const FileRow terrain_gis = file(kTerrainGroup, icon::kSave, kSaveConversion, 185, PickMode::save,
                                   file_type::kTerrainGis, terrain_.terrain_gis_path);
  QComboBox* terrain_precision = precision_list(kTerrainGroup, 84, 211, 151, 208);
  terrain_progress_ = layout.progress(16, 226, kTerrainGroup, 179);
  command(icon::kConvert, kConvert, kTerrainGroup, 248, &utilita::convert_terrain_command);

  layout.group(kMergeGroup, {7, 274, 267, 89});
  const FileRow parent_file = file(nullptr, icon::kOpen, kOpenParent, 290, PickMode::open,
                                   file_type::kProject, merge_.parent_path);
  const FileRow child_file = file(nullptr, icon::kOpen, kOpenChild, 315, PickMode::open,
                                  file_type::kProject, merge_.child_path);
  command(icon::kMerge, kMerge, nullptr, 340, &utilita::merge_command);

  form()
      .exchange()
      .bind(result_.result_precision, result_precision)
      .bind(terrain_.terrain_precision, terrain_precision)
      .bind(result_.steps_x, steps_x)
      .bind(result_.steps_y, steps_y)
      .bind(result_.fi, fi)
      .bind(result_.psi, psi)
      .bind(result_.gis_input_path, gis_input.path)
      .bind(result_.conversion_output_path, conversion_output.path)
      .bind(terrain_.terrain_input_path, terrain_input.path)
      .bind(terrain_.terrain_gis_path, terrain_gis.path)
      .bind(merge_.parent_path, parent_file.path)
      .bind(merge_.child_path, child_file.path);
  bind_remaining_time(form().exchange(), result_remaining_, result_progress_);
  bind_remaining_time(form().exchange(), terrain_remaining_, terrain_progress_);
  form().exchange().write_form();
}

// Each command hands its core unit a copy of the values last exchanged: the
// page's fields may change while the event loop runs during the command.

void utilita::convert_result_command() {
  const ResultConversionRequest request = result_;
  run_with_progress(
      [&request](ProgressSink& sink, Clock& clock) { return convert_result(request, sink, clock); },
      result_progress_, result_remaining_);
}

void utilita::convert_terrain_command() {
  const TerrainConversionRequest request = terrain_;
  run_with_progress([&request](ProgressSink& sink,
                               Clock& clock) { return convert_terrain(request, sink, clock); },
                    terrain_progress_, terrain_remaining_);
}

void utilita::merge_command() {
  const MergeRequest request = merge_;
  run_command([&request] { return merge_projects(request); });
}

}  // namespace tralva
