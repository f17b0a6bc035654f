#pragma once
// A modal dialog of the program holding a form: a title bar with the close
// box and the program's icon.  Escape and the close box close it; Enter
// follows the form's rule and closes nothing.  On opening, the first field
// is ready to be typed over.

#include <QDialog>

#include "forms/form.h"

namespace tralva {

class FormDialog : public QDialog {
  Q_OBJECT

 public:
  FormDialog(const QString& title, FormContext context, QWidget* parent);

 protected:
  Form& form() { return form_; }

  void keyPressEvent(QKeyEvent* event) override;
  // The field that gets the focus on opening comes with its text selected,
  // as after Tab, so typing replaces it.
  void showEvent(QShowEvent* event) override;

 private:
  Form form_;
};

}  // namespace tralva
