#pragma once
// The "Start" page: the choice of configuration and the launcher of every
// dialog.

#include <memory>
#include <string>

#include "pages/page.h"
#include "pages/start_dialogs.h"

namespace tralva {

class start final : public Page {
  Q_OBJECT

 public:
  start(FormContext context, std::unique_ptr<StartDialogs> dialogs, QWidget* parent);

  // "Inserisci / Modifica": the dialog of the last selection, if the
  // selection names one.
  void insert_edit();

 private:
  int spans_index_ = 0;       // one span
  int conductors_index_ = 1;  // three conductors
  std::string line_kind_ = "Aerea";
  std::unique_ptr<StartDialogs> dialogs_;
};

}  // namespace tralva
