// Renders the main window on each tab, and three data-entry dialogs filled
// with an example line, to PNG files:
//   tralva-screenshots FOLDER
// writes FOLDER/01-start.png ... FOLDER/06-licenza.png, then
// 07-ins_1_1_a.png, 08-ins_3_2_int.png and 09-ins_6_5_a.png.  Run it on the
// offscreen platform (scripts/screenshots.sh does).

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <cmath>
#include <cstdio>

#include "app/application.h"
#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"
#include "project/arm_angles.h"

namespace {

// A line as an engineer would type it: pylons about 350 m apart on a
// gently bending route, one or two three-phase circuits.
void fill_example(tralva::DataEntry& entry) {
  tralva::PowerLine& line = entry.line;
  const bool overhead = entry.choice.kind == tralva::LineKind::overhead;
  const int n = line.conductor_count;
  const int p = line.support_count;
  line.current = overhead ? 870.0f : 420.0f;
  static const char* const kPhases[] = {"R", "S", "T", "T", "S", "R"};
  for (int j = 0; j < n; ++j) line.phase[static_cast<std::size_t>(j)] = kPhases[j];
  for (int s = 0; s < p; ++s) {
    const auto at = static_cast<std::size_t>(s);
    line.x[at] = 1512340.25 + 352.5 * s;
    line.y[at] = 5034120.5 + 41.75 * s * s;
    line.ground_level[at] = static_cast<float>(212.5 + 6.4 * s);
  }
  if (overhead) (void)tralva::compute_arm_angles(line.x, line.y, line.arm_angle);
  for (int j = 0; j < n; ++j) {
    const int level = j % 3;
    const float side = j < 3 ? 1.0f : -1.0f;
    for (int s = 0; s < p; ++s) {
      const std::size_t at = line.at_support(j, s);
      if (overhead) {
        line.height[at] = 30.5f + 7.7f * static_cast<float>(level);
        line.arm_length[at] = side * (level == 1 ? 9.5f : 7.25f);
      } else {
        line.height[at] = -1.4f;
        line.arm_length[at] = 0.25f * static_cast<float>(j - 1);
      }
    }
    for (int s = 0; s + 1 < p; ++s) {
      if (overhead) line.sag_constant[line.at_span(j, s)] = 1650.0f + 25.0f * static_cast<float>(s);
    }
  }
  const std::string file = "/home/tecnico/progetti/" + entry.name() + ".tlva";
  entry.load_path = file;
  entry.save_path = file;
}

bool save(QWidget& widget, const QDir& folder, int number, const QString& name) {
  const QString file =
      folder.filePath(QStringLiteral("%1-%2.png").arg(number, 2, 10, QLatin1Char('0')).arg(name));
  if (widget.grab().save(file)) return true;
  std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(file));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  tralva::Application application(argc, argv);
  if (argc != 2) {
    std::fputs("uso: tralva-screenshots CARTELLA\n", stderr);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;

  tralva::DesktopSeams seams;
  tralva::MainDialog window(seams.context(),
                            std::make_unique<tralva::StartPageDialogs>(seams.context()));
  window.show();
  QApplication::processEvents();

  static const char* const kNames[] = {"start",          "piano",   "orografico",
                                       "interpolazione", "utilita", "licenza"};
  int status = 0;
  int number = 0;
  for (int i = 0; i < window.tab().strip().count(); ++i) {
    window.tab().strip().setCurrentIndex(i);
    QApplication::processEvents();
    if (!save(window, folder, ++number, QString::fromUtf8(kNames[i]))) status = 1;
  }

  using tralva::LineKind;
  for (const tralva::DataEntryChoice choice : {tralva::DataEntryChoice{LineKind::overhead, 1, 1},
                                               tralva::DataEntryChoice{LineKind::underground, 3, 2},
                                               tralva::DataEntryChoice{LineKind::overhead, 6, 5}}) {
    tralva::DataEntry entry(choice);
    fill_example(entry);
    tralva::DataEntryDialog dialog(entry, seams.context(), &window);
    dialog.show();
    QApplication::processEvents();
    if (!save(dialog, folder, ++number, QString::fromStdString(entry.name()))) status = 1;
    std::printf("%s: %d x %d\n", entry.name().c_str(), dialog.width(), dialog.height());
  }
  return status;
}
