#include "app/application.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <cstdio>

#include "app/command_line.h"
#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"
#include "common/version.h"
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
  setApplicationVersion(QStringLiteral(TRALVA_VERSION));
  // Ties the window to the desktop entry (icon, name) on Wayland.
  setDesktopFileName(QStringLiteral("tralva"));
  setFont(dialog_font(font()));
  install_italian_texts(*this, translator_);
}

int Application::run() {
  const CommandLine command_line = read_command_line(arguments().mid(1));
  if (!command_line.notice.empty()) std::fprintf(stderr, "%s\n", command_line.notice.c_str());
  DesktopSeams seams;
  auto dialogs = std::make_unique<StartPageDialogs>(seams.context());
  if (command_line.project_path) dialogs->set_project_to_open(*command_line.project_path);
  MainDialog window(seams.context(), std::move(dialogs));
  place_centred(window);
  window.exec();
  return 0;
}

}  // namespace tralva
