#include "app/main_dialog.h"

namespace tralva {

MainDialog::MainDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Tralva 3.3"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(604, 858);
}

}  // namespace tralva
