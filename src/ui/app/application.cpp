#include "app/application.h"

#include <QFont>

#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"

namespace tralva {

QFont dialog_font(QFont base) {
  base.setPointSizeF(8.0);
  return base;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Tralva"));
  setApplicationVersion(QStringLiteral("3.3"));
  setFont(dialog_font(font()));
}

int Application::run() {
  DesktopSeams seams;
  MainDialog window(seams.context(), std::make_unique<StartPageDialogs>(seams.context()));
  window.exec();
  return 0;
}

}  // namespace tralva
