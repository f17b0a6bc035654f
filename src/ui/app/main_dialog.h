#pragma once
// The program's only top-level window: a fixed-size window "Tralva <version>" with
// the tab strip of the six pages and the exit button.

#include <memory>

#include "app/cib_tab_ctrl.h"
#include "forms/form_dialog.h"

class QPushButton;

namespace tralva {

class StartDialogs;
class start;
class piano;
class orografico;
class interpolazione;
class utilita;
class licenza;

class MainDialog final : public FormDialog {
  Q_OBJECT

 public:
  // `dialogs` is what the Start page's buttons open; it lives with the page.
  MainDialog(FormContext context, std::unique_ptr<StartDialogs> dialogs, QWidget* parent = nullptr);
  ~MainDialog() override;

  CibTabCtrl& tab() { return tab_; }
  start& start_page() { return *start_; }
  piano& piano_page() { return *piano_; }
  orografico& orografico_page() { return *orografico_; }
  QPushButton& exit_button() { return *exit_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  CibTabCtrl tab_;
  start* start_ = nullptr;
  piano* piano_ = nullptr;
  orografico* orografico_ = nullptr;
  interpolazione* interpolazione_ = nullptr;
  utilita* utilita_ = nullptr;
  licenza* licenza_ = nullptr;
  QPushButton* exit_ = nullptr;
};

}  // namespace tralva
