#include "pages/calculation_panel.h"

#include <QComboBox>

#include "common/precision.h"
#include "texts/file_types.h"
#include "texts/icons.h"
#include "texts/shell_texts.h"

namespace tralva {

CalculationPanel::CalculationPanel(Form& form, CalculationFields& fields,
                                   const CalculationPlaces& places)
    : form_(form), fields_(fields) {
  using namespace shell_text;
  FormLayout& layout = form.layout();
  const auto file = [&](const char* icon, const char* text, int y, PickMode mode,
                        const FileType& type, std::string& path) {
    return form.file_row(icon, text, {places.file_icon_x, {places.file_button_x, y, 77, 20}, 135},
                         mode, type, path);
  };
  data_ = file(icon::kOpen, kOpenData, places.data_y, PickMode::open, file_type::kProject,
               fields.data_path);
  if (places.terrain_y) {
    terrain_ = file(icon::kTerrain, kOpenTerrain, *places.terrain_y, PickMode::open,
                    file_type::kTerrainText, fields.terrain_path);
  }
  result_ = file(icon::kSave, kSaveResult, places.result_y, PickMode::save, file_type::kGisResult,
                 fields.result_path);

  precision_ = layout.list(list_items(kPrecisionTexts), 90, places.precision_y, 44);
  layout.label(kPrecision, places.precision_label_x, places.precision_y + 2, precision_);
  name_control(precision_, in_group(kPrecision, places.group));
  progress_ = layout.progress(16, places.progress_y);
  layout.icon_button(icon::kRun, kRun, places.run_icon_x, places.run);
  layout.picture(QString::fromUtf8(places.picture), QString::fromUtf8(places.picture_description),
                 places.picture_place);
}

void CalculationPanel::bind_precision() { form_.exchange().bind(fields_.precision, precision_); }

void CalculationPanel::bind_files_and_time() {
  FormExchange& exchange = form_.exchange();
  exchange.bind(fields_.data_path, data_.path);
  if (terrain_) exchange.bind(fields_.terrain_path, terrain_->path);
  exchange.bind(fields_.result_path, result_.path);
  bind_remaining_time(exchange, fields_.remaining, progress_);
}

}  // namespace tralva
