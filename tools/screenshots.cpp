// Renders the main window on each tab, three data-entry dialogs filled
// with an example line, and the configuration viewer, to PNG files:
//   tralva-screenshots FOLDER
// writes FOLDER/01-start.png ... FOLDER/06-licenza.png, then
// 07-ins_1_1_a.png, 08-ins_3_2_int.png and 09-ins_6_5_a.png, then the
// example ins_3_2_a line in the viewer with typed bounds, 10-paletta-xy.png,
// 11-paletta-yz.png and 12-paletta-xz.png, and the ins_6_5_a line fitted
// with "Adatta", 13-paletta-adatta-xz.png and 14-paletta-adatta-xy.png, and
// the SVG drawing of the last one as a picture renders it, 15-paletta-svg.png.
// Run it on the offscreen platform (scripts/screenshots.sh does).

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "app/application.h"
#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"
#include "dialogs/configuration_canvas.h"
#include "dialogs/paletta.h"
#include "project/arm_angles.h"
#include "project/project_file.h"

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

// Writes the example line of a configuration to a project file in `folder`.
std::string example_project(const tralva::DataEntryChoice& choice, const QTemporaryDir& folder) {
  tralva::DataEntry entry(choice);
  fill_example(entry);
  const std::string path =
      folder.filePath(QString::fromStdString(entry.name() + ".tlva")).toStdString();
  if (tralva::write_single_line(path, choice.kind, entry.line)) {
    std::fprintf(stderr, "impossibile scrivere %s\n", path.c_str());
  }
  return path;
}

// Drives the viewer as a user would: types into its controls, presses its buttons.
struct Viewer {
  tralva::paletta& dialog;

  void type(const char* name, const QString& text) const {
    dialog.findChild<QLineEdit*>(QString::fromUtf8(name))->setText(text);
  }
  void project(const std::string& path) const {
    type("Apri il file di dati (percorso)", QString::fromStdString(path));
  }
  void projection(const char* text) const {
    dialog.findChild<QComboBox*>(QStringLiteral("Proiezione di visualizzazione"))
        ->setCurrentText(QString::fromUtf8(text));
  }
  void press(const char* text) const {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == QString::fromUtf8(text)) button->click();
    }
    QApplication::processEvents();
  }
};

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

  const QTemporaryDir projects;
  tralva::ConfigurationView view;
  tralva::paletta dialog(view, seams.context(), &window);
  dialog.show();
  const Viewer viewer{dialog};
  viewer.project(example_project({LineKind::overhead, 3, 2}, projects));
  const char* const bounds[][2] = {{"X min", "1512300"}, {"X max", "1513100"}, {"Y min", "5034000"},
                                   {"Y max", "5034400"}, {"Z min", "200"},     {"Z max", "280"}};
  for (const auto& [name, value] : bounds) viewer.type(name, QString::fromUtf8(value));
  for (const char* projection : {"XY", "YZ", "XZ"}) {
    viewer.projection(projection);
    viewer.press("Visualizza");
    const QString name = QStringLiteral("paletta-") + QString::fromUtf8(projection).toLower();
    if (!save(dialog, folder, ++number, name)) status = 1;
  }
  viewer.project(example_project({LineKind::overhead, 6, 5}, projects));
  for (const char* projection : {"XZ", "XY"}) {
    viewer.projection(projection);
    viewer.press("Adatta");
    const QString name =
        QStringLiteral("paletta-adatta-") + QString::fromUtf8(projection).toLower();
    if (!save(dialog, folder, ++number, name)) status = 1;
  }
  const std::string svg = tralva::display_list_svg(*dialog.canvas().list());
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  QImage rendered(renderer.defaultSize(), QImage::Format_RGB32);
  rendered.fill(Qt::white);
  QPainter painter(&rendered);
  renderer.render(&painter);
  painter.end();
  const QString file = folder.filePath(QStringLiteral("%1-paletta-svg.png").arg(++number));
  if (!rendered.save(file)) status = 1;
  std::printf("paletta: %d x %d\n", dialog.width(), dialog.height());
  return status;
}
