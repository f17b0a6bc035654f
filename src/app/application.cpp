#include "app/application.h"

#include "app/main_dialog.h"
#include "pages/start_dialogs.h"

namespace tralva {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Tralva"));
  setApplicationVersion(QStringLiteral("3.3"));
}

int Application::run() {
  DesktopSeams seams;
  MainDialog window(seams.context(), std::make_unique<NoStartDialogs>());
  window.exec();
  return 0;
}

}  // namespace tralva
