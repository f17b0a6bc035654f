#pragma once
// A tab page: a frameless panel with a sunken edge holding a form.  Enter
// follows the form's rule and never reaches the main window; Escape does
// nothing on a page, so a key typed inside a page never ends the program.

#include <QFrame>

#include "forms/form.h"

namespace tralva {

class Page : public QFrame {
  Q_OBJECT

 public:
  Page(FormContext context, QWidget* parent);

 protected:
  Form& form() { return form_; }

  void keyPressEvent(QKeyEvent* event) override;

 private:
  Form form_;
};

}  // namespace tralva
