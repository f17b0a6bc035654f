#include "forms/form_dialog.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>

#include "texts/icons.h"

namespace tralva {

FormDialog::FormDialog(const QString& title, FormContext context, QWidget* parent)
    : QDialog(parent), form_(*this, context) {
  setWindowTitle(title);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(QIcon(QString::fromUtf8(icon::kApplication)));
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
  if (form_.handle_enter(*event)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FormDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  QWidget* field = focusWidget();
  if (field == nullptr) field = focus_first_control(*this);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

}  // namespace tralva
