#include "forms/form_dialog.h"

#include <QIcon>
#include <QKeyEvent>

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

}  // namespace tralva
