#pragma once
// The "Utilità" page: three groups, each with its command.  The result
// conversion turns a GIS result file into a spreadsheet matrix, the terrain
// conversion a terrain matrix into a GIS point list, and the merge appends
// the lines of one project file to another.  The commands use the values as
// last exchanged: they do not read the controls again.

#include "common/progress.h"
#include "convert/project_merge.h"
#include "convert/result_conversion.h"
#include "convert/terrain_conversion.h"
#include "pages/page.h"

namespace tralva {

class utilita final : public Page {
  Q_OBJECT

 public:
  utilita(FormContext context, QWidget* parent);

 private:
  void convert_result_command();
  void convert_terrain_command();
  void merge_command();

  // What each group hands to its core unit, field by field: steps_x,
  // steps_y, fi, psi, result_precision, gis_input_path,
  // conversion_output_path; terrain_input_path, terrain_gis_path,
  // terrain_precision; parent_path, child_path.
  ResultConversionRequest result_;
  RemainingTime result_remaining_;
  TerrainConversionRequest terrain_;
  RemainingTime terrain_remaining_;
  MergeRequest merge_;
  ProgressPanel result_progress_;
  ProgressPanel terrain_progress_;
};

}  // namespace tralva
