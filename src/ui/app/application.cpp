#include "app/application.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>

#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"
#include "forms/window_place.h"

namespace tralva {

QFont dialog_font(QFont base) {
  base.setPointSizeF(8.0);
  return base;
}

bool install_italian_texts(QCoreApplication& application, QTranslator& translator) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  if (!translator.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  return application.installTranslator(&translator);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Tralva"));
  setApplicationVersion(QStringLiteral("3.3"));
  setFont(dialog_font(font()));
  install_italian_texts(*this, translator_);
}

int Application::run() {
  DesktopSeams seams;
  MainDialog window(seams.context(), std::make_unique<StartPageDialogs>(seams.context()));
  place_centred(window);
  window.exec();
  return 0;
}

}  // namespace tralva
