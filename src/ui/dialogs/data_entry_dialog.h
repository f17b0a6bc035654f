#pragma once
// The data-entry dialogs, where a power line is typed, loaded, saved and, for
// an overhead line, given the cross-arm angles of its pylons.  The thirty
// configurations (line kind x 1, 3 or 6 conductors x 1 to 5 spans) are one
// class.  What a configuration keeps between openings is a DataEntry, which
// the Start page holds for the whole run; the window exists only while it is
// open, so a configuration opened again shows what it held when it closed.
//
// Exchange order, which decides the field that prompts first: the two paths,
// the current and the segment length, then the form from top to bottom and
// left to right as the Tab key walks it: each support's X, Y, level and
// angle; each conductor's phase and offset; then support by support the
// height and arm length of each conductor, followed by the sag constants of
// the span after that support.

#include <string>

#include "forms/form_dialog.h"
#include "project/data_entry_choice.h"
#include "project/power_line.h"

namespace tralva {

struct DataEntry {
  // The defaults of a first opening: current 0, segment length 30 (overhead),
  // phases R, S, T repeating, every other value 0, no paths.
  explicit DataEntry(const DataEntryChoice& configuration);

  std::string name() const { return data_entry_name(choice); }  // "ins_3_2_a"

  DataEntryChoice choice;
  std::string load_path;
  std::string save_path;
  // Sized once for the choice: an open window's bindings refer to its
  // elements, and loading replaces the values in place.
  PowerLine line;
};

class DataEntryDialog final : public FormDialog {
  Q_OBJECT

 public:
  // Shows the values of `entry` and edits them until the window closes.
  DataEntryDialog(DataEntry& entry, FormContext context, QWidget* parent = nullptr);

 private:
  class Builder;

  void load();
  void write();
  void compute_angles();

  DataEntry& entry_;
};

}  // namespace tralva
