// Renders the main window on each tab, three data-entry dialogs filled with
// an example line, the pages "Interpolazione" and "Utilità" in the middle of
// a long command, the two engineering dialogs with example inputs and the
// configuration viewer, to numbered PNG files in FOLDER:
//   tralva-screenshots FOLDER
// 01-start.png ... 06-licenza.png, 07-ins_1_1_a.png, 08-ins_3_2_int.png,
// 09-ins_6_5_a.png, 10-interpolazione-in-corso.png, 11-utilita-in-corso.png,
// 12-fascia.png, 13-geometria.png, then the example ins_3_2_a line in the
// viewer with typed bounds (paletta-xy, -yz, -xz), the ins_6_5_a line fitted
// with "Adatta" (paletta-adatta-xz, -xy) and the SVG drawing of the last one
// as a picture renders it (paletta-svg); last the views of the user guide,
// made with the projects of examples/ and the guide's own values (guida-*,
// the files they write in FOLDER/guida).  Run it on the offscreen platform
// (scripts/screenshots.sh does).

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>

#include "app/application.h"
#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"
#include "common/temporary_cleanup.h"
#include "dialogs/configuration_canvas.h"
#include "dialogs/fascia.h"
#include "dialogs/geometria.h"
#include "dialogs/paletta.h"
#include "field/field_calculation.h"
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

// Inputs as an engineer would type them for a 380 kV line and a 150 kV cable.
tralva::RightOfWayBand band_example() {
  tralva::RightOfWayBand band;
  band.flat_vertical_s = 8.5f;
  band.flat_vertical_i = 1500;
  band.triangle_s = 6.2f;
  band.triangle_i = 870;
  band.cables_flat_i = 1000;
  band.cables_flat_d = 1.6f;
  band.cables_flat_s = 0.25f;
  band.trefoil_i = 1000;
  band.trefoil_d = 1.6f;
  band.trefoil_s = 0.12f;
  band.double_i1 = 1500;
  band.double_i2 = -1500;
  band.double_s = 7.8f;
  band.double_d = 14.6f;
  return band;
}

tralva::GeometricParameters geometry_example() {
  tralva::GeometricParameters geometry;
  geometry.x1 = 1512340.25;
  geometry.y1 = 5034120.5;
  geometry.x0 = 1512692.75;
  geometry.y0 = 5034162.25;
  geometry.x2 = 1513045.125;
  geometry.y2 = 5034287.5;
  geometry.inner_z1 = 242.5f;
  geometry.inner_z2 = 236.8f;
  geometry.inner_z0 = 221.35f;
  geometry.inner_l = 352.5f;
  geometry.outer_z1 = 268.4f;
  geometry.outer_z2 = 231.9f;
  geometry.outer_z0 = 229.75f;
  geometry.outer_l = 310;
  return geometry;
}

bool save(QWidget& widget, const QDir& folder, int number, const QString& name) {
  const QString file =
      folder.filePath(QStringLiteral("%1-%2.png").arg(number, 2, 10, QLatin1Char('0')).arg(name));
  if (widget.grab().save(file)) return true;
  std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(file));
  return false;
}

// Messages go to standard output rather than into boxes nobody closes, and
// the clock moves on one second per read, so that a long command refreshes
// its page at every estimate; `on_read` looks at the page meanwhile.
class PrintingMessenger final : public tralva::Messenger {
 public:
  void show(const tralva::Message& message) override {
    std::printf("%s: %s\n", std::string(tralva::caption(message.kind)).c_str(),
                message.text.c_str());
  }
};

class RunningClock final : public tralva::Clock {
 public:
  std::int64_t now_seconds() override {
    if (on_read) on_read();
    return now_++;
  }
  std::function<void()> on_read;

 private:
  std::int64_t now_ = 0;
};

void set_text(QWidget& page, const QString& name, const std::string& text) {
  page.findChild<QLineEdit*>(name)->setText(QString::fromStdString(text));
}

// Runs the page's command and saves the window once the bar of `group` has
// passed `position`.
bool save_during(QWidget& window, QWidget& page, RunningClock& clock, const QString& command,
                 const QString& group, int position, const QDir& folder, int number,
                 const QString& name) {
  auto* bar = page.findChild<QProgressBar*>(QStringLiteral("Avanzamento (%1)").arg(group));
  bool saved = false;
  clock.on_read = [&] {
    if (!saved && bar->value() >= position) saved = save(window, folder, number, name);
  };
  for (QPushButton* button : page.findChildren<QPushButton*>()) {
    if (button->objectName() == command || button->text() == command) {
      button->click();
      break;
    }
  }
  clock.on_read = nullptr;
  return saved;
}

// A GIS result file of (steps + 1) x (steps + 1) points, integers only (the
// C library's formatting follows the locale here).
void write_gis_result(const std::string& path, int steps) {
  std::ofstream out(path, std::ios::binary);
  out << "X\tY\tZ\tB\r\n";
  for (int r = 0; r <= steps; ++r) {
    for (int c = 0; c <= steps; ++c) {
      out << 1512000 + 5 * c << '\t' << 5034000 + 5 * r << "\t1\t" << (r * c) % 97 << "\r\n";
    }
  }
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

// What the user guide shows, step by step as it tells it: the choice on
// Start, the overhead example in its data-entry dialog, the merged example
// and the overhead one in the viewer, then the base grid and a field result
// converted on their pages, with the values of the guide's batch examples.
class GuideShots {
 public:
  GuideShots(tralva::MainDialog& window, const tralva::FormContext& context, const QDir& folder,
             int& number)
      : window_(window), context_(context), folder_(folder), number_(number) {}

  // Works in FOLDER/guida with copies of the examples in its examples/, so
  // that the paths typed into the windows are those of the guide's commands.
  bool take() {
    const QDir guide(folder_.filePath(QStringLiteral("guida")));
    if (!guide.mkpath(QStringLiteral("examples"))) return false;
    for (const char* name : {"linea-aerea.tlva", "cavo-interrato.tlva", "progetto-unito.tlva"}) {
      const QString copy = guide.filePath(QStringLiteral("examples/") + QString::fromUtf8(name));
      QFile::remove(copy);
      if (!QFile::copy(QStringLiteral(TRALVA_EXAMPLES_DIR "/") + QString::fromUtf8(name), copy)) {
        return false;
      }
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(guide.path());
    const bool taken = start() & data_entry() & viewer() & base_grid() & utilities();
    QDir::setCurrent(previous);
    return taken;
  }

 private:
  bool shot(QWidget& widget, const char* name) {
    return save(widget, folder_, ++number_, QStringLiteral("guida-") + QString::fromUtf8(name));
  }
  QWidget& tab(int index) {
    window_.tab().strip().setCurrentIndex(index);
    QApplication::processEvents();
    return *window_.tab().pages()[static_cast<std::size_t>(index)];
  }
  static void press(QWidget& form, const QString& name_or_text) {
    for (QPushButton* button : form.findChildren<QPushButton*>()) {
      if (button->objectName() == name_or_text || button->text() == name_or_text) {
        button->click();
        break;
      }
    }
    QApplication::processEvents();
  }

  bool start() {
    QWidget& page = tab(0);
    page.findChild<QComboBox*>(QStringLiteral("Numero di campate"))->setCurrentText("2");
    page.findChild<QComboBox*>(QStringLiteral("Numero di conduttori"))->setCurrentText("3");
    page.findChild<QComboBox*>(QStringLiteral("Tipologia della linea"))->setCurrentText("Aerea");
    return shot(window_, "start");
  }

  bool data_entry() {
    tralva::DataEntry entry({tralva::LineKind::overhead, 3, 2});
    tralva::DataEntryDialog dialog(entry, context_, &window_);
    dialog.show();
    set_text(dialog, "Seleziona il file di dati (percorso)", "examples/linea-aerea.tlva");
    press(dialog, QStringLiteral("Carica il file"));
    return shot(dialog, "ins_3_2_a");
  }

  bool viewer() {
    tralva::ConfigurationView view;
    tralva::paletta dialog(view, context_, &window_);
    dialog.show();
    const Viewer viewer{dialog};
    viewer.project("examples/progetto-unito.tlva");
    viewer.projection("XY");
    viewer.press("Adatta");
    bool saved = shot(dialog, "paletta-xy");
    viewer.project("examples/linea-aerea.tlva");
    const char* const bounds[][2] = {{"X min", "-20"}, {"X max", "720"}, {"Y min", "-20"},
                                     {"Y max", "60"},  {"Z min", "-5"},  {"Z max", "40"}};
    for (const auto& [name, value] : bounds) viewer.type(name, QString::fromUtf8(value));
    viewer.projection("XZ");
    viewer.press("Visualizza");
    return shot(dialog, "paletta-xz") && saved;
  }

  bool base_grid() {
    QWidget& page = tab(3);
    set_text(page, "Origine X", "-50");
    set_text(page, "Origine Y", "-100");
    set_text(page, "Passi lungo X", "110");
    set_text(page, "Passi lungo Y", "30");
    set_text(page, "Passo [m]", "10");
    set_text(page, "Salva il file di base (percorso)", "griglia.txt");
    press(page, QStringLiteral("Crea il file di base"));
    return shot(window_, "interpolazione");
  }

  bool utilities() {
    // The field on a plane 1 m above the ground, as "tralva-util campo"
    // computes it with the guide's values.
    tralva::FieldRequest request;
    request.data_path = "examples/progetto-unito.tlva";
    tralva::PlaneGrid grid;
    grid.origin_x = -50;
    grid.origin_y = -100;
    grid.step_x = 10;
    grid.step_y = 10;
    grid.steps_x = 110;
    grid.steps_y = 30;
    request.plane = grid;
    request.level = 1;
    request.result_path = "campo-piano.txt";
    tralva::NullProgress progress;
    tralva::SystemClock clock;
    if (std::holds_alternative<tralva::Message>(tralva::compute_field(request, progress, clock))) {
      return false;
    }
    const QString group =
        QStringLiteral("Converti il risultato in formato compatibile con un foglio di calcolo");
    QWidget& page = tab(4);
    set_text(page, "Passi lungo X", "110");
    set_text(page, "Passi lungo Y", "30");
    set_text(page, "Apri il file per GIS (percorso)", "campo-piano.txt");
    set_text(page, QStringLiteral("Salva la conversione (percorso) (%1)").arg(group),
             "campo-matrice.txt");
    press(page, QStringLiteral("Converti (%1)").arg(group));
    return shot(window_, "utilita");
  }

  tralva::MainDialog& window_;
  const tralva::FormContext& context_;
  const QDir& folder_;
  int& number_;
};

}  // namespace

int main(int argc, char** argv) {
  tralva::install_temporary_cleanup();
  tralva::Application application(argc, argv);
  if (argc != 2) {
    std::fputs("uso: tralva-screenshots CARTELLA\n", stderr);
    return 2;
  }
  // Absolute, as the guide's views are made in a folder of their own.
  const QDir folder(QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1])));
  if (!folder.mkpath(QStringLiteral("."))) return 1;

  PrintingMessenger messenger;
  tralva::DialogFilePicker files;
  RunningClock clock;
  const tralva::FormContext context{messenger, files, clock};
  tralva::MainDialog window(context, std::make_unique<tralva::StartPageDialogs>(context));
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
    tralva::DataEntryDialog dialog(entry, context, &window);
    dialog.show();
    QApplication::processEvents();
    if (!save(dialog, folder, ++number, QString::fromStdString(entry.name()))) status = 1;
    std::printf("%s: %d x %d\n", entry.name().c_str(), dialog.width(), dialog.height());
  }

  // A base grid of 200 x 200 points, seen at the middle of the bar.
  const std::string grid = folder.filePath(QStringLiteral("griglia.txt")).toStdString();
  window.tab().strip().setCurrentIndex(3);
  QWidget& interpolazione = *window.tab().pages()[3];
  set_text(interpolazione, "Origine X", "1512340.25");
  set_text(interpolazione, "Origine Y", "5034120.5");
  set_text(interpolazione, "Passi lungo X", "199");
  set_text(interpolazione, "Passi lungo Y", "199");
  set_text(interpolazione, "Passo [m]", "2.5");
  set_text(interpolazione, "Salva il file di base (percorso)", grid);
  if (!save_during(window, interpolazione, clock, QStringLiteral("Crea il file di base"),
                   QStringLiteral("Creazione del file di base"), 500, folder, ++number,
                   QStringLiteral("interpolazione-in-corso"))) {
    status = 1;
  }
  std::remove(grid.c_str());

  // A result of 150 x 150 points turned into a matrix, seen while writing.
  const std::string result = folder.filePath(QStringLiteral("risultato.txt")).toStdString();
  const std::string matrix = folder.filePath(QStringLiteral("matrice.txt")).toStdString();
  write_gis_result(result, 149);
  const QString kResultGroup =
      QStringLiteral("Converti il risultato in formato compatibile con un foglio di calcolo");
  window.tab().strip().setCurrentIndex(4);
  QWidget& utilita = *window.tab().pages()[4];
  set_text(utilita, "Passi lungo X", "149");
  set_text(utilita, "Passi lungo Y", "149");
  set_text(utilita, "Apri il file per GIS (percorso)", result);
  set_text(utilita, QStringLiteral("Salva la conversione (percorso) (%1)").arg(kResultGroup),
           matrix);
  if (!save_during(window, utilita, clock, QStringLiteral("Converti (%1)").arg(kResultGroup),
                   kResultGroup, 700, folder, ++number, QStringLiteral("utilita-in-corso"))) {
    status = 1;
  }
  std::remove(result.c_str());
  std::remove(matrix.c_str());

  const auto show = [&](QDialog& dialog, const char* name) {
    dialog.show();
    QApplication::processEvents();
    if (!save(dialog, folder, ++number, QString::fromUtf8(name))) status = 1;
    std::printf("%s: %d x %d\n", name, dialog.width(), dialog.height());
  };
  tralva::RightOfWayBand band = band_example();
  tralva::fascia band_dialog(band, context, &window);
  show(band_dialog, "fascia");
  tralva::GeometricParameters geometry = geometry_example();
  tralva::geometria geometry_dialog(geometry, context, &window);
  show(geometry_dialog, "geometria");

  const QTemporaryDir projects;
  tralva::ConfigurationView view;
  tralva::paletta dialog(view, context, &window);
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

  if (!GuideShots(window, context, folder, number).take()) status = 1;
  return status;
}
