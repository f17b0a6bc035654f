#include "app/application.h"

#include "app/main_dialog.h"
#include "forms/icons.h"
#include "forms/picture.h"
#include "pages/start_dialogs.h"

namespace tralva {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Tralva"));
  setApplicationVersion(QStringLiteral("3.3"));
  setWindowIcon(svg_icon(icon::kApplication));
}

int Application::run() {
  DesktopSeams seams;
  MainDialog window(seams.context(), std::make_unique<NoStartDialogs>());
  window.exec();
  return 0;
}

}  // namespace tralva
