#pragma once
// What the Start page opens in the program.  It holds the 30 data-entry
// configurations, the viewer's values, the geometric parameters and the
// right-of-way band for the whole run, and opens each dialog modally over the
// window that is active.

#include <string>
#include <vector>

#include "dialogs/data_entry_dialog.h"
#include "dialogs/fascia.h"
#include "dialogs/geometria.h"
#include "dialogs/paletta.h"
#include "forms/form_context.h"
#include "pages/start_dialogs.h"

namespace tralva {

class StartPageDialogs final : public StartDialogs {
 public:
  explicit StartPageDialogs(FormContext context);

  void open_data_entry(const DataEntryChoice& choice) override;
  void open_viewer() override;
  void open_geometry() override;
  void open_band() override;

  // `path` where the dialogs ask for a project to read: the load path of
  // every data-entry configuration and the viewer's path, as if picked there,
  // and the folder where the pickers of an empty edit start ("Salva il file
  // di dati").  Nothing is read; the save paths stay as they are.
  void set_project_to_open(const std::string& path);

  // The configuration's values, as its dialog shows them when opened; null
  // for a choice that is none of the 30.
  DataEntry* data_entry(const DataEntryChoice& choice);
  // The viewer's values, as it shows them when opened.
  ConfigurationView& configuration_view() { return configuration_view_; }

 private:
  FormContext context_;
  std::vector<DataEntry> data_entries_;
  ConfigurationView configuration_view_;
  GeometricParameters geometry_;
  RightOfWayBand band_;
};

}  // namespace tralva
