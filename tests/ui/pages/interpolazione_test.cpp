// "Interpolazione": start values, the exchange order, the arrows beside
// "Punti", the file commands, and "Crea il file di base" with its progress,
// its messages and its file, which is tralva-util griglia's to the byte.

#include "pages/interpolazione.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "convert/convert_texts.h"
#include "forms/up_down_arrows.h"
#include "gui_support.h"
#include "long_command_probe.h"
#include "ordinary_user.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = convert_text;

const char kBaseGroup[] = "Creazione del file di base";
const char kCalculationGroup[] = "Esecuzione del calcolo";
const char kBasePath[] = "Salva il file di base (percorso)";
const char* const kEdits[] = {"Origine X",
                              "Origine Y",
                              "Passi lungo X",
                              "Passi lungo Y",
                              "Passo [m]",
                              kBasePath,
                              "Alfa",
                              "Punti",
                              "Apri il file di base (percorso)",
                              "Carica i punti quotati (percorso)",
                              "Salva l'orografia (percorso)"};

QString in_group(const char* name, const char* group) {
  return QString::fromUtf8(name) + " (" + QString::fromUtf8(group) + ")";
}

struct InterpolazionePage {
  InterpolazionePage() : page(seams.context(), nullptr) {
    page.show();
    QApplication::setActiveWindow(&page);
  }
  QLineEdit* edit(const char* name) const { return test::control<QLineEdit>(page, name); }
  QString text(const char* name) const { return edit(name)->text(); }
  void type(const char* name, const QString& value) const { test::type_over(edit(name), value); }
  QComboBox* precision(const char* group) const {
    return test::control<QComboBox>(page, in_group("Precisione X e Y", group));
  }
  QProgressBar* bar(const char* group) const {
    return test::control<QProgressBar>(page, in_group("Avanzamento", group));
  }
  QStringList edit_texts() const {
    QStringList texts;
    for (const char* name : kEdits) texts << text(name);
    return texts;
  }
  // Picking a file writes the form: the edits then show the stored fields.
  void show_fields() {
    seams.files.answers = {std::string("/dati/base.txt")};
    QTest::mouseClick(test::button(page, "Apri il file di base"), Qt::LeftButton);
  }
  void create() { QTest::mouseClick(test::button(page, "Crea il file di base"), Qt::LeftButton); }
  void arrow(bool up) {
    auto* arrows = test::control<UpDownArrows>(page, "Punti (frecce)");
    QTest::mouseClick(up ? arrows->up() : arrows->down(), Qt::LeftButton);
  }
  // The grid of the batch command's options, typed into the page.
  void type_grid(const test::TempDir& dir) {
    type("Origine X", "1512340.25");
    type("Origine Y", "5034120.5");
    type("Passi lungo X", "7");
    type("Passi lungo Y", "3");
    type("Passo [m]", "2.5");
    precision(kBaseGroup)->setCurrentText("cm");
    type(kBasePath, QString::fromStdString(dir.file("pagina.txt")));
  }

  test::WatchedSeams seams;
  interpolazione page;
};

class InterpolazioneTest : public QObject {
  Q_OBJECT

 private slots:
  void starts_with_its_defaults() {
    InterpolazionePage p;
    QCOMPARE(p.edit_texts(), (QStringList{"0", "0", "0", "0", "1", "", "1", "5", "", "", ""}));
    for (const char* group : {kBaseGroup, kCalculationGroup}) {
      test::expect_group_at_rest(p.page, group, *p.precision(group), *p.bar(group));
      if (QTest::currentTestFailed()) return;
    }
  }

  void file_commands_use_their_filters() {
    InterpolazionePage p;
    p.seams.files.answers = {std::string("/a/griglia.txt"), std::string("/a/base.txt"),
                             std::string("/a/quote.txt"), std::nullopt};
    for (const char* button : {"Salva il file di base", "Apri il file di base",
                               "Carica i punti quotati", "Salva l'orografia"}) {
      QTest::mouseClick(test::button(p.page, button), Qt::LeftButton);
    }
    const auto& picks = p.seams.files.picks;
    QCOMPARE(picks.size(), std::size_t{4});
    const std::pair<PickMode, const char*> expected[] = {
        {PickMode::save, "File di testo (*.txt)|*.txt|"},
        {PickMode::open, "Dati di base (*.txt)|*.txt|"},
        {PickMode::open, "Dati di quota (*.txt)|*.txt|"},
        {PickMode::save, "Dati orografici (*.txt)|*.txt|"}};
    for (std::size_t i = 0; i < picks.size(); ++i) {
      QCOMPARE(picks[i].mode, expected[i].first);
      QCOMPARE(picks[i].request.filter, std::string(expected[i].second));
      QCOMPARE(picks[i].request.initial_name, std::string("*.txt"));
      QCOMPARE(picks[i].request.default_extension, std::string("txt"));
    }
    // The last pick was cancelled.
    QCOMPARE(p.edit_texts().mid(5),
             (QStringList{"/a/griglia.txt", "1", "5", "/a/base.txt", "/a/quote.txt", ""}));
  }

  // base_precision, calc_precision, points, origin_y, origin_x, steps_y,
  // steps_x, step, base_file_path, alpha, then the calculation paths.
  void an_unreadable_field_stops_the_later_ones() {
    InterpolazionePage p;
    test::clear_by_keys(p.edit("Origine X"));
    QCOMPARE(test::warning_text(p.seams.messenger.shown.back()), QString("Please enter a number."));
    p.precision(kCalculationGroup)->setCurrentText("dm");
    p.type("Punti", "9");
    p.type("Origine Y", "7");
    p.type("Passi lungo Y", "4");
    p.type("Alfa", "2");
    p.type("Carica i punti quotati (percorso)", "quote.txt");
    QCOMPARE(QApplication::focusWidget(), p.edit("Origine X"));
    p.show_fields();
    QCOMPARE(p.precision(kCalculationGroup)->currentText(), QString("dm"));
    QCOMPARE(p.text("Punti"), QString("9"));
    QCOMPARE(p.text("Origine Y"), QString("7"));
    QCOMPARE(p.text("Origine X"), QString("0"));
    QCOMPARE(p.text("Passi lungo Y"), QString("0"));
    QCOMPARE(p.text("Alfa"), QString("1"));
    QCOMPARE(p.text("Carica i punti quotati (percorso)"), QString());
  }

  void arrows_move_points_by_one_never_below_one_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    QTest::newRow("5 up") << "5" << true << "6";
    QTest::newRow("5 down") << "5" << false << "4";
    QTest::newRow("1 down") << "1" << false << "1";
    QTest::newRow("1 up") << "1" << true << "2";
    QTest::newRow("0 up") << "0" << true << "1";
    QTest::newRow("0 down") << "0" << false << "1";
    QTest::newRow("largest up") << "2147483647" << true << "2147483647";
  }
  void arrows_move_points_by_one_never_below_one() {
    QFETCH(QString, typed);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    InterpolazionePage p;
    p.type("Punti", typed);
    // Typed below 1, it stays as typed until an arrow moves it.
    p.show_fields();
    QCOMPARE(p.text("Punti"), typed);
    p.arrow(up);
    QCOMPARE(p.text("Punti"), shown);
    QVERIFY(p.seams.messenger.shown.empty());
  }

  void created_file_is_the_batch_commands() {
    InterpolazionePage p;
    test::TempDir dir;
    p.type_grid(dir);
    p.create();
    QCOMPARE(p.seams.messenger.shown.size(), std::size_t{1});
    QCOMPARE(p.seams.messenger.shown[0], information_message(text::kBaseCreated));
    const cli::Outcome batch =
        cli::tralva_util({"griglia", "--origine", "1512340.25", "5034120.5", "--passi", "7", "3",
                          "--passo", "2.5", "--precisione", "cm", dir.file("batch.txt")});
    QCOMPARE(batch.status, int{cli::kSuccess});
    const std::string page_file = test::read_file(dir.file("pagina.txt"));
    QCOMPARE(std::count(page_file.begin(), page_file.end(), '\n'), 1 + 8 * 4);
    QCOMPARE(test::first_difference(page_file, test::read_file(dir.file("batch.txt"))),
             std::string());
  }

  // Ten columns, ten estimates; the clock moves 1000 s per read.
  void progress_during_the_run_and_after_it() {
    InterpolazionePage p;
    test::TempDir dir;
    p.type("Passi lungo X", "9");
    p.type(kBasePath, QString::fromStdString(dir.file("g.txt")));
    const test::RunWatch run(p.seams, p.page, kBaseGroup, 1000);
    p.create();
    QCOMPARE(p.seams.messenger.shown.back(), information_message(text::kBaseCreated));
    // Each read sees the estimate of the column before: elapsed x columns
    // left / columns done, 9000 s after the first column.
    QCOMPARE(run.remaining,
             (std::vector<std::string>{"0:0:0", "0:0:0", "2:30:0", "2:13:20", "1:56:40", "1:40:0",
                                       "1:23:20", "1:6:40", "0:50:0", "0:33:20", "0:16:40"}));
    QVERIFY(run.waited);
    QCOMPARE(run.bar_at_message, 1000);
    QCOMPARE(run.remaining_at_message, std::string("0:0:0"));
    QVERIFY(!run.wait_cursor_at_message);
    QCOMPARE(p.bar(kBaseGroup)->value(), 0);
    QCOMPARE(test::remaining_shown(p.page, kCalculationGroup), std::string("0:0:0"));
  }

  void messages_of_the_group() {
    InterpolazionePage p;
    test::TempDir dir;
    const std::string file = dir.file("g.txt");
    p.type("Passi lungo X", "3");
    p.type("Passo [m]", "0");
    p.type(kBasePath, QString::fromStdString(file));
    p.create();
    QCOMPARE(p.seams.messenger.shown.back(), warning_message(text::kStepNotPositive));
    QVERIFY(!test::exists(file));
    // With no step to take, the step is not looked at.
    p.type("Passi lungo X", "0");
    p.edit("Passo [m]")->setText("-1");
    p.create();
    QCOMPARE(p.seams.messenger.shown.back(), information_message(text::kBaseCreated));
    QCOMPARE(test::read_file(file), std::string("X\tY\tZ\r\n0\t0\t0\r\n"));
    p.type(kBasePath, "");
    p.create();
    QCOMPARE(p.seams.messenger.shown.back(), warning_message(text::kBaseWithoutPath));
    p.type(kBasePath, QString::fromStdString(dir.file("manca/g.txt")));
    p.create();
    QCOMPARE(p.seams.messenger.shown.back(), error_message(text::kCannotCreateBase));
    QCOMPARE(p.bar(kBaseGroup)->value(), 0);
    QCOMPARE(p.seams.messenger.shown.size(), std::size_t{4});
  }

  void create_reads_the_form_first_and_goes_on_with_the_values_held() {
    InterpolazionePage p;
    test::TempDir dir;
    p.type(kBasePath, QString::fromStdString(dir.file("g.txt")));
    p.type("Passi lungo Y", "1");
    p.type("Passo [m]", "5");
    p.edit("Passo [m]")->setText("x");
    p.seams.messenger.shown.clear();
    p.create();
    QCOMPARE(p.seams.messenger.shown,
             (std::vector<Message>{warning_message("Please enter a number."),
                                   information_message(text::kBaseCreated)}));
    QCOMPARE(test::read_file(dir.file("g.txt")), std::string("X\tY\tZ\r\n0\t0\t0\r\n0\t5\t0\r\n"));
  }

  void file_that_cannot_be_written_stays_as_it_was() {
    InterpolazionePage p;
    test::TempDir dir;
    const std::string file = dir.file("g.txt");
    test::write_file(file, "precedente\r\n");
    p.type("Passi lungo X", "99");
    p.type("Passi lungo Y", "99");
    p.type(kBasePath, QString::fromStdString(file));
    {
      const test::FileSizeLimit full_disk(4096);
      p.create();
    }
    QCOMPARE(p.seams.messenger.shown.back(), error_message(text::kCannotCreateBase));
    QCOMPARE(test::read_file(file), std::string("precedente\r\n"));
    QCOMPARE(p.bar(kBaseGroup)->value(), 0);
    QCOMPARE(test::remaining_shown(p.page, kBaseGroup), std::string("0:0:0"));
  }

  // The event loop runs during the command: a press that arrives then (from
  // the accessibility bus, say) starts nothing.
  void press_during_a_run_starts_nothing() {
    InterpolazionePage p;
    test::TempDir dir;
    p.type("Passi lungo X", "3");
    p.type(kBasePath, QString::fromStdString(dir.file("g.txt")));
    p.seams.clock.step = 1;
    p.seams.clock.on_read = [&] { test::button(p.page, "Crea il file di base")->click(); };
    p.create();
    QCOMPARE(p.seams.messenger.shown.size(), std::size_t{1});
    p.seams.clock.on_read = nullptr;
    p.create();
    QCOMPARE(p.seams.messenger.shown.size(), std::size_t{2});
  }

  // Replaced only if ours to replace: a file the user made read-only stays.
  void read_only_file_is_refused() {
    InterpolazionePage p;
    test::TempDir dir;
    const std::string file = dir.file("g.txt");
    test::write_file(file, "precedente\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::others_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::owner_read);
    p.type("Passi lungo X", "9");
    p.type(kBasePath, QString::fromStdString(file));
    {
      const test::OrdinaryUser user(dir.path());
      QVERIFY(user.ready());
      p.create();
    }
    QCOMPARE(p.seams.messenger.shown.back(), error_message(text::kCannotCreateBase));
    QCOMPARE(test::read_file(file), std::string("precedente\r\n"));
    QCOMPARE(test::names_in(dir.path()), std::vector<std::string>{"g.txt"});
    QCOMPARE(p.bar(kBaseGroup)->value(), 0);
  }

  void run_changes_nothing() {
    InterpolazionePage p;
    p.type("Alfa", "0.5");
    const QStringList before = p.edit_texts();
    QTest::mouseClick(test::button(p.page, "Esegui il calcolo"), Qt::LeftButton);
    QCOMPARE(p.edit_texts(), before);
    QVERIFY(p.seams.messenger.shown.empty());
    QCOMPARE(p.bar(kCalculationGroup)->value(), 0);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::InterpolazioneTest)
#include "interpolazione_test.moc"
