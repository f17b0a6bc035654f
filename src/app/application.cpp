#include "app/application.h"

#include <QFont>

#include "app/main_dialog.h"
#include "pages/start_dialogs.h"

namespace tralva {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Tralva"));
  setApplicationVersion(QStringLiteral("3.3"));
  // The forms are laid out in dialog units of an 8-point font, as the
  // program was designed; the desktop's larger default would push the
  // fixed-size windows past the height of a 768-pixel screen.
  QFont dialog_font = font();
  dialog_font.setPointSizeF(8.0);
  setFont(dialog_font);
}

int Application::run() {
  DesktopSeams seams;
  MainDialog window(seams.context(), std::make_unique<NoStartDialogs>());
  window.exec();
  return 0;
}

}  // namespace tralva
