#pragma once
// What the Start page's four buttons open.  The page owns the object behind
// this for the whole run, and with it the dialogs: one instance per
// configuration, each opened again and again with the values it held.

#include "project/data_entry_choice.h"

namespace tralva {

class StartDialogs {
 public:
  virtual ~StartDialogs() = default;
  // "Inserisci / Modifica": the data-entry dialog of the configuration, modally.
  virtual void open_data_entry(const DataEntryChoice& choice) = 0;
  // "Visualizza": the configuration viewer.
  virtual void open_viewer() = 0;
  // "Lancia le utilità": the geometric parameters.
  virtual void open_geometry() = 0;
  // "Calcola la fascia": the right-of-way band.
  virtual void open_band() = 0;
};

}  // namespace tralva
