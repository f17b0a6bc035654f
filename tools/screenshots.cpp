// Renders the main window on each tab to PNG files:
//   tralva-screenshots FOLDER
// writes FOLDER/01-start.png ... FOLDER/06-licenza.png.  Run it on the
// offscreen platform (scripts/screenshots.sh does).

#include <QApplication>
#include <QDir>
#include <QTabBar>

#include <cstdio>

#include "app/application.h"
#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"

int main(int argc, char** argv) {
  tralva::Application application(argc, argv);
  if (argc != 2) {
    std::fputs("uso: tralva-screenshots CARTELLA\n", stderr);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;

  tralva::DesktopSeams seams;
  tralva::MainDialog window(seams.context(), std::make_unique<tralva::StartPageDialogs>(seams.context()));
  window.show();
  QApplication::processEvents();

  static const char* const kNames[] = {"start",        "piano",   "orografico",
                                       "interpolazione", "utilita", "licenza"};
  int status = 0;
  for (int i = 0; i < window.tab().strip().count(); ++i) {
    window.tab().strip().setCurrentIndex(i);
    QApplication::processEvents();
    const QString file = folder.filePath(QStringLiteral("%1-%2.png")
                                             .arg(i + 1, 2, 10, QLatin1Char('0'))
                                             .arg(QString::fromUtf8(kNames[i])));
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(file));
      status = 1;
    }
  }
  return status;
}
