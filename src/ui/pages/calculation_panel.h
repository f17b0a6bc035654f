#pragma once
// The lower half that "Calcolo piano" and "Calcolo orografico" share: the
// file rows (project, terrain where the page has one, result), the
// precision list, the progress with its remaining time, the run button that
// starts nothing (the calculation is not part of the program) and the
// picture under the group.  Each page gives the places; the panel builds,
// names and wires the controls and binds them when the page's exchange
// order reaches them.

#include <optional>
#include <string>

#include "common/progress.h"
#include "forms/form.h"

class QComboBox;

namespace tralva {

struct CalculationFields {
  std::string precision = "m";
  std::string data_path;
  std::string terrain_path;  // "Calcolo orografico" only
  std::string result_path;
  RemainingTime remaining;
};

struct CalculationPlaces {
  const char* group = "";  // the page's group, which names its precision list
  int file_icon_x = 0;
  int file_button_x = 0;
  int data_y = 0;
  std::optional<int> terrain_y;
  int result_y = 0;
  int precision_label_x = 0;
  int precision_y = 0;  // of the list; its label sits level with it
  int progress_y = 0;
  int run_icon_x = 0;
  DuRect run;
  const char* picture = "";
  const char* picture_description = "";
  DuRect picture_place;
};

class CalculationPanel {
 public:
  CalculationPanel(Form& form, CalculationFields& fields, const CalculationPlaces& places);

  // The page's exchange order: the precision first, the files and the time
  // where the page puts them.
  void bind_precision();
  void bind_files_and_time();

  QComboBox* precision() const { return precision_; }

 private:
  Form& form_;
  CalculationFields& fields_;
  QComboBox* precision_ = nullptr;
  FileRow data_;
  std::optional<FileRow> terrain_;
  FileRow result_;
  ProgressPanel progress_;
};

}  // namespace tralva
