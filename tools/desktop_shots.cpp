// Photographs the desktop program as a window manager shows it: the whole
// screen, frames and title bars included, with the main window, a
// data-entry dialog with a field read in part, a message box, a file dialog,
// the viewer (at the top left of the screen) and the two engineering
// dialogs.  Run on a real X display (scripts/desktop-screenshots.sh runs it
// under Xvfb with a window manager):
//   tralva-desktop-shots FOLDER
// writes FOLDER/main.png, data-entry.png, message.png, file-dialog.png,
// viewer.png, band.png and geometry.png.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QToolTip>
#include <cstdio>

#include "app/application.h"
#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"
#include "dialogs/data_entry_dialog.h"
#include "dialogs/fascia.h"
#include "dialogs/geometria.h"
#include "dialogs/paletta.h"
#include "forms/messenger.h"
#include "forms/window_place.h"
#include "texts/file_types.h"

namespace {

// Lets the window manager map and frame what was just shown.
void settle() {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 700) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool shot(const QDir& folder, const char* name) {
  const QString file = folder.filePath(QString::fromUtf8(name) + QStringLiteral(".png"));
  if (QGuiApplication::primaryScreen()->grabWindow(0).save(file)) return true;
  std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(file));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  tralva::Application application(argc, argv);
  if (argc != 2) {
    std::fputs("uso: tralva-desktop-shots CARTELLA\n", stderr);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;

  tralva::DesktopSeams seams;
  tralva::MainDialog window(seams.context(),
                            std::make_unique<tralva::StartPageDialogs>(seams.context()));
  tralva::place_centred(window);
  window.show();
  settle();
  bool ok = shot(folder, "main");

  tralva::DataEntry entry({tralva::LineKind::overhead, 3, 2});
  tralva::DataEntryDialog dialog(entry, seams.context(), &window);
  dialog.show();
  settle();
  auto* level = dialog.findChild<QLineEdit*>(QStringLiteral("Quota [m] traliccio 1"));
  if (level != nullptr) {
    level->setFocus();
    level->setText(QStringLiteral("12,5"));
    QToolTip::showText(level->mapToGlobal(level->rect().bottomLeft()), level->toolTip(), level);
  }
  settle();
  ok = shot(folder, "data-entry") && ok;
  dialog.hide();

  const auto box = tralva::make_message_box(
      tralva::warning_message("Controllate la lunghezza del segmento\n(ultimo numero della prima "
                              "riga di dati nel file)."),
      &window);
  box->show();
  settle();
  ok = shot(folder, "message") && ok;
  box->hide();

  QFileDialog files(&window);
  tralva::configure_file_dialog(files, tralva::file_request(tralva::file_type::kProject),
                                tralva::PickMode::save, QDir::homePath());
  files.show();
  settle();
  ok = shot(folder, "file-dialog") && ok;
  files.hide();

  tralva::ConfigurationView view;
  tralva::paletta viewer(view, seams.context(), &window);
  viewer.show();
  settle();
  ok = shot(folder, "viewer") && ok;
  viewer.hide();

  tralva::RightOfWayBand band;
  tralva::fascia band_dialog(band, seams.context(), &window);
  band_dialog.show();
  settle();
  ok = shot(folder, "band") && ok;
  band_dialog.hide();

  tralva::GeometricParameters geometry;
  tralva::geometria geometry_dialog(geometry, seams.context(), &window);
  geometry_dialog.show();
  settle();
  ok = shot(folder, "geometry") && ok;
  return ok ? 0 : 1;
}
