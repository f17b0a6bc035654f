// Times "Visualizza" in the configuration viewer from the press of the button
// to the painted picture, on the merged project of bench/sample_project.h
// (20 lines, 6 conductors, 5 spans of 400 m, segment length 0.5 m), in each
// projection, with the bounds "Adatta" gives.  Prints the median and the
// fastest of the runs, and what reading the project, making the display list
// and repainting the picture once drawn take on their own; the rest of a
// press is drawing the picture and handing back the memory.
//   QT_QPA_PLATFORM=offscreen tralva-viewer-timing [RUNS]
// Not a test: the figures depend on the machine.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <vector>

#include "app/application.h"
#include "dialogs/configuration_canvas.h"
#include "dialogs/paletta.h"
#include "forms/form_context.h"
#include "sample_project.h"

namespace {

// Milliseconds of processor time of this thread: on a machine shared with
// other work the wall clock also counts the time others were running.
double cpu_ms() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Times {
  double median = 0;   // processor time
  double fastest = 0;  // processor time
  double wall = 0;     // median of the wall-clock times
};

Times time_runs(int runs, const std::function<void()>& step) {
  std::vector<double> cpu;
  std::vector<double> wall;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    const double start = cpu_ms();
    step();
    cpu.push_back(cpu_ms() - start);
    wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(cpu.begin(), cpu.end());
  std::sort(wall.begin(), wall.end());
  return {cpu[cpu.size() / 2], cpu.front(), wall[wall.size() / 2]};
}

QPushButton* button(const QWidget& dialog, const char* text) {
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
    if (b->text() == QString::fromUtf8(text)) return b;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  tralva::Application application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

  const QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("venti_linee.tlva")).toStdString();
  std::ofstream(path, std::ios::binary) << tralva::bench::merged_project();

  tralva::DesktopSeams seams;
  tralva::ConfigurationView view;
  view.data_path = path;
  tralva::paletta dialog(view, seams.context());
  dialog.show();
  QApplication::processEvents();
  button(dialog, "Adatta")->click();
  QApplication::processEvents();

  QPushButton* press = button(dialog, "Visualizza");
  tralva::ConfigurationCanvas& canvas = dialog.canvas();
  std::printf("%d runs; milliseconds of processor time, median (fastest) [median wall clock]\n",
              runs);
  for (const char* projection : {"XY", "YZ", "XZ"}) {
    dialog.findChild<QComboBox*>(QStringLiteral("Proiezione di visualizzazione"))
        ->setCurrentText(QString::fromUtf8(projection));
    const Times total = time_runs(runs, [&] {
      press->click();  // reads, draws and repaints before it returns
      QApplication::processEvents();
    });
    const auto geometry =
        std::get<tralva::ConfigurationGeometry>(tralva::build_configuration(path));
    const Times read = time_runs(runs, [&] { (void)tralva::build_configuration(path); });
    const tralva::Projection p = *tralva::projection_from_text(projection);
    const Times list =
        time_runs(runs, [&] { (void)tralva::make_display_list(geometry, p, view.bounds); });
    const Times repaint = time_runs(runs, [&] { canvas.repaint(); });
    std::printf(
        "%s: %zu segments; press to painted %.1f (%.1f) [%.1f]; reading %.1f, list %.1f, "
        "repainting %.1f\n",
        projection, canvas.list()->segments.size(), total.median, total.fastest, total.wall,
        read.median, list.median, repaint.median);
  }
  return 0;
}
