// "Utilità": start values, the exchange order, the six file commands, and
// the three commands with their progress, their messages and their files,
// which are tralva-util's to the byte.

#include "pages/utilita.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "convert/convert_texts.h"
#include "gui_support.h"
#include "long_command_probe.h"
#include "ordinary_user.h"
#include "project/project_file.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = convert_text;

const char kResultGroup[] = "Converti il risultato in formato compatibile con un foglio di calcolo";
const char kTerrainGroup[] =
    "Rendi l'orografia in formato foglio di calcolo compatibile con l'ambiente GIS";

QString in_group(const QString& name, const char* group) {
  return name + " (" + QString::fromUtf8(group) + ")";
}

const QString kGisInput = "Apri il file per GIS (percorso)";
const QString kConversionOutput = in_group("Salva la conversione (percorso)", kResultGroup);
const QString kTerrainInput = "Apri il file con l'orografia (percorso)";
const QString kTerrainOutput = in_group("Salva la conversione (percorso)", kTerrainGroup);
const QString kParent = "Apri il file \"Padre\" (percorso)";
const QString kChild = "Apri il file \"Figlio\" (percorso)";
const QString kPaths[] = {kGisInput,      kConversionOutput, kTerrainInput,
                          kTerrainOutput, kParent,           kChild};

// A GIS result file of a grid of (steps_x + 1) x (steps_y + 1) points, as
// the plane calculation writes it.
std::string gis_result(int steps_x, int steps_y) {
  std::string file = "X\tY\tZ\tB [microT]\r\n";
  for (int r = 0; r <= steps_y; ++r) {
    for (int c = 0; c <= steps_x; ++c) {
      file += test::c_printf("%.3f\t%.3f\t%.2f\t%.4f\r\n", 1512340.125 + 2.5 * c,
                             5034120.5 + 2.5 * r, 1.5 + 0.1 * r, 0.0625 * (r * 7 + c * 3 + 1));
    }
  }
  return file;
}

// A terrain matrix of `rows` rows of three heights.
std::string terrain_matrix(int rows) {
  std::string file = "0\t100\t110.5\t121.25\r\n";
  for (int r = 0; r < rows; ++r) {
    file +=
        test::c_printf("%.2f\t%.2f\t%.2f\t%.2f\r\n", 200 + 10.25 * r, 1.5 + r, 2.25 + r, 3.125 + r);
  }
  return file;
}

// A one-span, one-conductor project with the given current.
void make_read_only(const std::string& path) {
  using std::filesystem::perms;
  std::filesystem::permissions(path, perms::owner_read | perms::group_read | perms::others_read);
}

std::string project(int current) {
  return std::string(project_header()) + std::to_string(current) +
         " 1 2 30\r\n0 0\r\n0 0 0 90 300 0 0 90 \r\n20 20 \r\n2 2 \r\n1000 \r\n";
}

struct UtilitaPage {
  UtilitaPage() : page(seams.context(), nullptr) {
    page.show();
    QApplication::setActiveWindow(&page);
  }
  QLineEdit* edit(const QString& name) const { return test::control<QLineEdit>(page, name); }
  QString text(const QString& name) const { return edit(name)->text(); }
  void type(const QString& name, const std::string& value) const {
    test::type_over(edit(name), QString::fromStdString(value));
  }
  QComboBox* list(const QString& name) const { return test::control<QComboBox>(page, name); }
  QComboBox* precision(const char* group) const {
    return list(in_group("Precisione per X e Y", group));
  }
  QProgressBar* bar(const char* group) const {
    return test::control<QProgressBar>(page, in_group("Avanzamento", group));
  }
  // By its name where two buttons share a text, else by its text.
  QPushButton* named_button(const QString& name) const {
    QPushButton* named = test::control<QPushButton>(page, name);
    return named != nullptr ? named : test::button(page, name);
  }
  void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void convert_result() { press(named_button(in_group("Converti", kResultGroup))); }
  void convert_terrain() { press(named_button(in_group("Converti", kTerrainGroup))); }
  void merge() { press(test::button(page, "Unisci")); }
  const Message& last_message() const { return seams.messenger.shown.back(); }

  test::WatchedSeams seams;
  utilita page;
};

class UtilitaTest : public QObject {
  Q_OBJECT

 private slots:
  void starts_with_its_defaults() {
    UtilitaPage p;
    QCOMPARE(p.text("Passi lungo X"), QString("0"));
    QCOMPARE(p.text("Passi lungo Y"), QString("0"));
    for (const QString& path : kPaths) QCOMPARE(p.text(path), QString());
    for (const char* angle : {"fi [°]", "psi [°]"}) {
      QComboBox* list = p.list(angle);
      QCOMPARE(list->currentText(), QString("0"));
      QCOMPARE(list->count(), 4);
      QCOMPARE(list->itemText(3), QString("270"));
    }
    for (const char* group : {kResultGroup, kTerrainGroup}) {
      test::expect_group_at_rest(p.page, group, *p.precision(group), *p.bar(group));
      if (QTest::currentTestFailed()) return;
    }
  }

  void file_commands_use_their_filters() {
    UtilitaPage p;
    const QString buttons[] = {
        "Apri il file per GIS",         in_group("Salva la conversione", kResultGroup),
        "Apri il file con l'orografia", in_group("Salva la conversione", kTerrainGroup),
        "Apri il file \"Padre\"",       "Apri il file \"Figlio\""};
    for (int i = 0; i < 6; ++i) {
      p.seams.files.answers.push_back("/dati/file" + std::to_string(i));
      QPushButton* button = p.named_button(buttons[i]);
      QVERIFY2(button != nullptr, qPrintable(buttons[i]));
      p.press(button);
    }
    const std::tuple<PickMode, const char*, const char*> expected[] = {
        {PickMode::open, "Testo per GIS (*.txt)|*.txt|", "txt"},
        {PickMode::save, "Testo (*.txt)|*.txt|", "txt"},
        {PickMode::open, "File orografico matriciale (*.txt)|*.txt|", "txt"},
        {PickMode::save, "File orografico compatibile GIS (*.txt)|*.txt|", "txt"},
        {PickMode::open, "Dati di Tralva (*.tlva)|*.tlva|", "tlva"},
        {PickMode::open, "Dati di Tralva (*.tlva)|*.tlva|", "tlva"}};
    const auto& picks = p.seams.files.picks;
    QCOMPARE(picks.size(), std::size_t{6});
    for (std::size_t i = 0; i < picks.size(); ++i) {
      const auto& [mode, filter, extension] = expected[i];
      QCOMPARE(picks[i].mode, mode);
      QCOMPARE(picks[i].request.filter, std::string(filter));
      QCOMPARE(picks[i].request.default_extension, std::string(extension));
      QCOMPARE(picks[i].request.initial_name, "*." + std::string(extension));
      QCOMPARE(p.text(kPaths[i]), QString("/dati/file%1").arg(i));
    }
  }

  // result_precision, terrain_precision, steps_x, steps_y, fi, psi, then
  // the paths.
  void an_unreadable_field_stops_the_later_ones() {
    UtilitaPage p;
    test::clear_by_keys(p.edit("Passi lungo Y"));
    QCOMPARE(test::warning_text(p.last_message()), QString("Please enter an integer."));
    p.precision(kTerrainGroup)->setCurrentText("mm");
    p.type("Passi lungo X", "4");
    p.list("psi [°]")->setCurrentText("90");
    p.type(kChild, "figlio.tlva");
    QCOMPARE(QApplication::focusWidget(), p.edit("Passi lungo Y"));
    // Picking a file writes the form: the controls show the fields.
    p.seams.files.answers = {std::string("/dati/padre.tlva")};
    p.press(p.named_button("Apri il file \"Padre\""));
    QCOMPARE(p.precision(kTerrainGroup)->currentText(), QString("mm"));
    QCOMPARE(p.text("Passi lungo X"), QString("4"));
    QCOMPARE(p.text("Passi lungo Y"), QString("0"));
    QCOMPARE(p.list("psi [°]")->currentText(), QString("0"));
    QCOMPARE(p.text(kChild), QString());
  }

  void commands_use_the_values_last_exchanged() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("in.txt"), gis_result(0, 0));
    test::write_file(dir.file("m.txt"), terrain_matrix(1));
    test::write_file(dir.file("p.tlva"), project(100));
    test::clear_by_keys(p.edit("Passi lungo X"));
    p.type(kGisInput, dir.file("in.txt"));
    p.type(kConversionOutput, dir.file("out.txt"));
    p.type(kTerrainInput, dir.file("m.txt"));
    p.type(kTerrainOutput, dir.file("gis.txt"));
    p.type(kParent, dir.file("p.tlva"));
    p.type(kChild, dir.file("p.tlva"));
    p.convert_result();
    QCOMPARE(p.last_message(), warning_message(text::kGisInputWithoutPath));
    p.convert_terrain();
    QCOMPARE(p.last_message(), warning_message(text::kTerrainInputWithoutPath));
    p.merge();
    QCOMPARE(p.last_message(), warning_message(text::kParentWithoutPath));
    QCOMPARE(test::read_file(dir.file("p.tlva")), project(100));
  }

  void converted_result_is_the_batch_commands() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("in.txt"), gis_result(4, 3));
    p.type("Passi lungo X", "4");
    p.type("Passi lungo Y", "3");
    p.list("fi [°]")->setCurrentText("180");
    p.precision(kResultGroup)->setCurrentText("cm");
    p.type(kGisInput, dir.file("in.txt"));
    p.type(kConversionOutput, dir.file("pagina.txt"));
    p.convert_result();
    QCOMPARE(p.last_message(), information_message(text::kConversionDone));
    const cli::Outcome batch =
        cli::tralva_util({"risultato", "--passi", "4", "3", "--fi", "180", "--psi", "0",
                          "--precisione", "cm", dir.file("in.txt"), dir.file("batch.txt")});
    QCOMPARE(batch.status, int{cli::kSuccess});
    const std::string page_file = test::read_file(dir.file("pagina.txt"));
    QCOMPARE(page_file.substr(0, 4), std::string("0.0\t"));
    QCOMPARE(test::first_difference(page_file, test::read_file(dir.file("batch.txt"))),
             std::string());
  }

  void converted_terrain_is_the_batch_commands() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("m.txt"), terrain_matrix(5));
    p.precision(kTerrainGroup)->setCurrentText("dm");
    p.type(kTerrainInput, dir.file("m.txt"));
    p.type(kTerrainOutput, dir.file("pagina.txt"));
    p.convert_terrain();
    QCOMPARE(p.last_message(), information_message(text::kConversionDone));
    const cli::Outcome batch = cli::tralva_util(
        {"orografia", "--precisione", "dm", dir.file("m.txt"), dir.file("batch.txt")});
    QCOMPARE(batch.status, int{cli::kSuccess});
    const std::string page_file = test::read_file(dir.file("pagina.txt"));
    QCOMPARE(std::count(page_file.begin(), page_file.end(), '\n'), 1 + 5 * 3);
    QCOMPARE(test::first_difference(page_file, test::read_file(dir.file("batch.txt"))),
             std::string());
  }

  void merged_project_is_the_batch_commands() {
    UtilitaPage p;
    test::TempDir dir;
    for (const char* parent : {"pagina.tlva", "batch.tlva"}) {
      test::write_file(dir.file(parent), project(100));
    }
    test::write_file(dir.file("figlio.tlva"), project(200));
    p.type(kParent, dir.file("pagina.tlva"));
    p.type(kChild, dir.file("figlio.tlva"));
    p.merge();
    QCOMPARE(p.last_message(), information_message(text::kMergeDone));
    const cli::Outcome batch =
        cli::tralva_util({"unisci", dir.file("batch.tlva"), dir.file("figlio.tlva")});
    QCOMPARE(batch.status, int{cli::kSuccess});
    const std::string page_file = test::read_file(dir.file("pagina.tlva"));
    QVERIFY(page_file.find("100 1 2 30 200 1 2 30\r\n") != std::string::npos);
    QCOMPARE(page_file, test::read_file(dir.file("batch.tlva")));
    QCOMPARE(test::read_file(dir.file("figlio.tlva")), project(200));
  }

  // Four rows, four estimates; the clock moves 100 s per read.
  void terrain_progress_during_the_run_and_after_it() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("m.txt"), terrain_matrix(4));
    p.type(kTerrainInput, dir.file("m.txt"));
    p.type(kTerrainOutput, dir.file("gis.txt"));
    const test::RunWatch run(p.seams, p.page, kTerrainGroup, 100);
    p.convert_terrain();
    QCOMPARE(p.last_message(), information_message(text::kConversionDone));
    // Elapsed x rows left / rows done, seen at the read after the estimate.
    QCOMPARE(run.remaining,
             (std::vector<std::string>{"0:0:0", "0:0:0", "0:5:0", "0:3:20", "0:1:40"}));
    QVERIFY(run.waited);
    QCOMPARE(run.bar_at_message, 1000);
    QCOMPARE(run.remaining_at_message, std::string("0:0:0"));
    QCOMPARE(p.bar(kTerrainGroup)->value(), 0);
    QCOMPARE(test::remaining_shown(p.page, kResultGroup), std::string("0:0:0"));
  }

  void result_progress_during_the_run_and_after_it() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("in.txt"), gis_result(9, 9));
    p.type("Passi lungo X", "9");
    p.type("Passi lungo Y", "9");
    p.type(kGisInput, dir.file("in.txt"));
    p.type(kConversionOutput, dir.file("out.txt"));
    const test::RunWatch run(p.seams, p.page, kResultGroup, 60);
    p.convert_result();
    QCOMPARE(p.last_message(), information_message(text::kConversionDone));
    QVERIFY(run.waited);
    // Reading fills the first half of the bar, writing the second.
    const auto& bars = run.bars;
    QVERIFY(std::is_sorted(bars.begin(), bars.end()));
    QVERIFY(std::any_of(bars.begin(), bars.end(), [](int b) { return b > 0 && b < 500; }));
    QVERIFY(std::any_of(bars.begin(), bars.end(), [](int b) { return b > 500; }));
    // The first estimate of the reading: 60 s x (200 - 0) / 1 records.
    QVERIFY(std::find(run.remaining.begin(), run.remaining.end(), "3:20:0") != run.remaining.end());
    QCOMPARE(run.bar_at_message, 1000);
    QCOMPARE(run.remaining_at_message, std::string("0:0:0"));
    QCOMPARE(p.bar(kResultGroup)->value(), 0);
    QCOMPARE(test::remaining_shown(p.page, kTerrainGroup), std::string("0:0:0"));
  }

  void messages_of_the_result_group() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("in.txt"), gis_result(1, 1));
    test::write_file(dir.file("out.txt"), "precedente");
    p.convert_result();
    QCOMPARE(p.last_message(), warning_message(text::kGisInputWithoutPath));
    p.type(kGisInput, dir.file("in.txt"));
    p.convert_result();
    QCOMPARE(p.last_message(), warning_message(text::kConversionOutputWithoutPath));
    p.type(kConversionOutput, dir.file("manca/out.txt"));
    p.convert_result();
    QCOMPARE(p.last_message(), error_message(text::kCannotCreateConversion));
    p.type(kGisInput, dir.file("manca.txt"));
    p.type(kConversionOutput, dir.file("out.txt"));
    p.convert_result();
    QCOMPARE(p.last_message(), error_message(text::kCannotOpenGisInput));
    // Steps 0 x 0 want four values; the file has sixteen.  The previous
    // output is kept.
    p.type(kGisInput, dir.file("in.txt"));
    p.convert_result();
    QCOMPARE(p.last_message(), error_message(text::kValueCountMismatch));
    QCOMPARE(test::read_file(dir.file("out.txt")), std::string("precedente"));
    QCOMPARE(p.bar(kResultGroup)->value(), 0);
    p.type("Passi lungo X", "1");
    p.type("Passi lungo Y", "1");
    p.convert_result();
    QCOMPARE(p.last_message(), information_message(text::kConversionDone));
    // The rows keep their Y: read with fi 90, the matrix is written and the
    // warning takes the place of the success.
    p.list("fi [°]")->setCurrentText("90");
    p.convert_result();
    QCOMPARE(p.last_message().kind, MessageKind::warning);
    QVERIFY(QString::fromStdString(p.last_message().text).contains("corrisponde a fi = 0°"));
    QCOMPARE(test::read_file(dir.file("out.txt")).substr(0, 4), std::string("0.0\t"));
    QCOMPARE(p.bar(kResultGroup)->value(), 0);
    QCOMPARE(p.seams.messenger.shown.size(), std::size_t{7});
  }

  void messages_of_the_terrain_group() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("m.txt"), terrain_matrix(2));
    p.convert_terrain();
    QCOMPARE(p.last_message(), warning_message(text::kTerrainInputWithoutPath));
    p.type(kTerrainInput, dir.file("m.txt"));
    p.convert_terrain();
    QCOMPARE(p.last_message(), warning_message(text::kTerrainOutputWithoutPath));
    p.type(kTerrainOutput, dir.file("manca/gis.txt"));
    p.convert_terrain();
    QCOMPARE(p.last_message(), error_message(text::kCannotCreateTerrainOutput));
    p.type(kTerrainInput, dir.file("manca.txt"));
    p.type(kTerrainOutput, dir.file("gis.txt"));
    p.convert_terrain();
    QCOMPARE(p.last_message(), error_message(text::kCannotOpenTerrainInput));
    QVERIFY(!test::exists(dir.file("gis.txt")));
    p.type(kTerrainInput, dir.file("m.txt"));
    p.convert_terrain();
    QCOMPARE(p.last_message(), information_message(text::kConversionDone));
    QCOMPARE(p.seams.messenger.shown.size(), std::size_t{5});
  }

  void messages_of_the_merge_group() {
    UtilitaPage p;
    test::TempDir dir;
    const std::string parent = dir.file("padre.tlva");
    test::write_file(parent, project(100));
    test::write_file(dir.file("figlio.tlva"), project(200));
    test::write_file(dir.file("vuoto.tlva"), "");
    p.merge();
    QCOMPARE(p.last_message(), warning_message(text::kParentWithoutPath));
    p.type(kParent, dir.file("manca.tlva"));
    p.merge();
    QCOMPARE(p.last_message(), warning_message(text::kChildWithoutPath));
    p.type(kChild, dir.file("figlio.tlva"));
    p.merge();
    QCOMPARE(p.last_message(), error_message(text::kCannotOpenParent));
    p.type(kParent, parent);
    p.type(kChild, dir.file("manca.tlva"));
    p.merge();
    QCOMPARE(p.last_message(), error_message(text::kCannotOpenChild));
    // What is not a project is refused before the parent is rewritten.
    p.type(kChild, dir.file("vuoto.tlva"));
    p.merge();
    QCOMPARE(p.last_message(), error_message(text::kChildIncomplete));
    QCOMPARE(test::read_file(parent), project(100));
    p.type(kChild, dir.file("figlio.tlva"));
    p.merge();
    QCOMPARE(p.last_message(), information_message(text::kMergeDone));
    QCOMPARE(p.seams.messenger.shown.size(), std::size_t{6});
  }

  // Outputs are replaced only if ours to replace: a file the user made
  // read-only stays as it was, and nothing is left beside it.
  void read_only_conversion_is_refused() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("in.txt"), gis_result(1, 1));
    test::write_file(dir.file("out.txt"), "precedente");
    make_read_only(dir.file("out.txt"));
    p.type("Passi lungo X", "1");
    p.type("Passi lungo Y", "1");
    p.type(kGisInput, dir.file("in.txt"));
    p.type(kConversionOutput, dir.file("out.txt"));
    {
      const test::OrdinaryUser user(dir.path());
      QVERIFY(user.ready());
      p.convert_result();
    }
    QCOMPARE(p.last_message(), error_message(text::kCannotCreateConversion));
    QCOMPARE(test::read_file(dir.file("out.txt")), std::string("precedente"));
    QCOMPARE(test::names_in(dir.path()), (std::vector<std::string>{"in.txt", "out.txt"}));
  }

  void read_only_terrain_output_is_refused() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("m.txt"), terrain_matrix(2));
    test::write_file(dir.file("gis.txt"), "precedente");
    make_read_only(dir.file("gis.txt"));
    p.type(kTerrainInput, dir.file("m.txt"));
    p.type(kTerrainOutput, dir.file("gis.txt"));
    {
      const test::OrdinaryUser user(dir.path());
      QVERIFY(user.ready());
      p.convert_terrain();
    }
    QCOMPARE(p.last_message(), error_message(text::kCannotCreateTerrainOutput));
    QCOMPARE(test::read_file(dir.file("gis.txt")), std::string("precedente"));
    QCOMPARE(test::names_in(dir.path()), (std::vector<std::string>{"gis.txt", "m.txt"}));
  }

  void read_only_parent_is_refused() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("padre.tlva"), project(100));
    test::write_file(dir.file("figlio.tlva"), project(200));
    make_read_only(dir.file("padre.tlva"));
    p.type(kParent, dir.file("padre.tlva"));
    p.type(kChild, dir.file("figlio.tlva"));
    {
      const test::OrdinaryUser user(dir.path());
      QVERIFY(user.ready());
      p.merge();
    }
    QCOMPARE(p.last_message(), error_message(text::kCannotModifyParent));
    QCOMPARE(test::read_file(dir.file("padre.tlva")), project(100));
    QCOMPARE(test::names_in(dir.path()), (std::vector<std::string>{"figlio.tlva", "padre.tlva"}));
  }

  // A full disk, as the size limit of this process makes it: the command
  // fails and the existing file is as it was.
  void output_that_cannot_be_written_stays_as_it_was() {
    UtilitaPage p;
    test::TempDir dir;
    test::write_file(dir.file("in.txt"), gis_result(40, 40));
    test::write_file(dir.file("m.txt"), terrain_matrix(400));
    const std::string parent = dir.file("padre.tlva");
    test::write_file(parent, project(100));
    test::write_file(dir.file("figlio.tlva"), project(200));
    for (const char* output : {"out.txt", "gis.txt"}) {
      test::write_file(dir.file(output), "precedente");
    }
    p.type("Passi lungo X", "40");
    p.type("Passi lungo Y", "40");
    p.type(kGisInput, dir.file("in.txt"));
    p.type(kConversionOutput, dir.file("out.txt"));
    p.type(kTerrainInput, dir.file("m.txt"));
    p.type(kTerrainOutput, dir.file("gis.txt"));
    p.type(kParent, parent);
    p.type(kChild, dir.file("figlio.tlva"));
    {
      const test::FileSizeLimit full_disk(1000);
      p.convert_result();
      QCOMPARE(p.last_message(), error_message(text::kCannotCreateConversion));
      p.convert_terrain();
      QCOMPARE(p.last_message(), error_message(text::kCannotCreateTerrainOutput));
      p.merge();
      QCOMPARE(p.last_message(), error_message(text::kCannotModifyParent));
    }
    QCOMPARE(test::read_file(dir.file("out.txt")), std::string("precedente"));
    QCOMPARE(test::read_file(dir.file("gis.txt")), std::string("precedente"));
    QCOMPARE(test::read_file(parent), project(100));
    for (const char* group : {kResultGroup, kTerrainGroup}) {
      QCOMPARE(p.bar(group)->value(), 0);
      QCOMPARE(test::remaining_shown(p.page, group), std::string("0:0:0"));
    }
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::UtilitaTest)
#include "utilita_test.moc"
