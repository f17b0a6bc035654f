// One data-entry dialog: first values, the reading rule as the user types,
// the file commands with their messages, the angles and the keys.

#include "dialogs/data_entry_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui_support.h"
#include "project/project_file.h"
#include "test_support.h"

namespace tralva {
namespace {

const DataEntryChoice k3x2Overhead{LineKind::overhead, 3, 2};
const char kLoadPath[] = "Seleziona il file di dati (percorso)";
const char kSavePath[] = "Salva il file di dati (percorso)";
const char kNumberPrompt[] = "Please enter a number.";

struct Form {
  explicit Form(const DataEntryChoice& choice = k3x2Overhead)
      : entry(choice), dialog(entry, seams.context()) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
  }
  QLineEdit* edit(const QString& name) const { return test::control<QLineEdit>(dialog, name); }
  QString text(const QString& name) const { return edit(name)->text(); }
  void type(const QString& name, const QString& text) const { test::type_over(edit(name), text); }
  void click(const char* button) const {
    QTest::mouseClick(test::button(dialog, button), Qt::LeftButton);
  }
  void pick(const char* button, const std::string& path) {
    seams.files.answers = {path};
    click(button);
  }
  const std::vector<Message>& shown() const { return seams.messenger.shown; }

  test::Seams seams;
  DataEntry entry;
  DataEntryDialog dialog;
};

class DataEntryDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void first_opening_shows_the_defaults() {
    Form form;
    QCOMPARE(form.text("Corrente [A]"), QString("0"));
    QCOMPARE(form.text("Segmento [m]"), QString("30"));
    QCOMPARE(form.text(kLoadPath), QString());
    QStringList phases;
    for (int j = 1; j <= 3; ++j) {
      phases << test::control<QComboBox>(form.dialog, QString("Fase conduttore %1").arg(j))
                    ->currentText();
    }
    QCOMPARE(phases, (QStringList{"R", "S", "T"}));
    for (const char* name :
         {"X [m] traliccio 3", "Angolo [°] traliccio 1", "Offset [°] conduttore 3",
          "Sbraccio [m] conduttore 3 traliccio 3", "a [m] conduttore 2 campata 2"}) {
      QCOMPARE(form.text(name), QString("0"));
    }
    Form six({LineKind::underground, 6, 1});
    QCOMPARE(six.entry.line.phase, (std::vector<std::string>{"R", "S", "T", "R", "S", "T"}));
    QVERIFY(!six.edit("Segmento [m]"));
  }

  void the_first_field_opens_ready_to_be_typed_over() {
    Form form;
    QLineEdit* current = form.edit("Corrente [A]");
    QCOMPARE(form.dialog.focusWidget(), current);
    QCOMPARE(current->selectedText(), QString("0"));
    QTest::keyClicks(current, "870");
    QCOMPARE(current->text(), QString("870"));
    QCOMPARE(form.entry.line.current, 870.0f);
  }

  void symbols_explain_themselves() {
    Form form;
    for (const char* heading : {"a [m]", "Offset [°]", "Sbraccio [m]"}) {
      QLabel* label = nullptr;
      for (QLabel* candidate : form.dialog.findChildren<QLabel*>()) {
        if (candidate->text() == QString::fromUtf8(heading)) label = candidate;
      }
      QVERIFY2(label && !label->toolTip().isEmpty(), heading);
    }
    QVERIFY(form.edit("Segmento [m]")->toolTip().contains("catenaria"));
    QVERIFY(test::button(form.dialog, "Calcola gli angoli")->toolTip().contains("coordinate"));
  }

  void unreadable_text_prompts_at_once_and_keeps_the_value_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("minus") << "-";
    QTest::newRow("plus") << "+";
    QTest::newRow("point") << ".";
    QTest::newRow("cleared") << "";
  }

  void unreadable_text_prompts_at_once_and_keeps_the_value() {
    QFETCH(QString, text);
    Form form;
    const QString name = "Offset [°] conduttore 2";
    form.type(name, "7");
    form.type(name, text);
    QCOMPARE(form.shown().size(), std::size_t{1});
    QCOMPARE(test::warning_text(form.shown()[0]), QString(kNumberPrompt));
    QCOMPARE(QApplication::focusWidget(), form.edit(name));
    QCOMPARE(form.edit(name)->selectedText(), text);
    QCOMPARE(form.entry.line.phase_offset[1], 7.0f);
  }

  void trailing_text_is_ignored_and_gone_when_the_values_are_shown() {
    Form form;
    form.type("Quota [m] traliccio 2", "12abc");
    QVERIFY(form.shown().empty());
    QCOMPARE(form.entry.line.ground_level[1], 12.0f);
    form.pick("Seleziona il file di dati", "/dati/linea.tlva");
    QCOMPARE(form.text("Quota [m] traliccio 2"), QString("12"));
    QCOMPARE(form.text(kLoadPath), QString("/dati/linea.tlva"));
  }

  void file_buttons_ask_for_project_files_and_cancel_changes_nothing() {
    Form form;
    form.seams.files.answers = {std::nullopt, std::string("/dati/nuova.tlva")};
    form.click("Seleziona il file di dati");
    form.click("Salva il file di dati");
    const auto& picks = form.seams.files.picks;
    QCOMPARE(picks.size(), std::size_t{2});
    QCOMPARE(picks[0].mode, PickMode::open);
    QCOMPARE(picks[1].mode, PickMode::save);
    QCOMPARE(picks[1].request,
             (FileRequest{"Dati di Tralva (*.tlva)|*.tlva|", "*.tlva", "tlva", ""}));
    QCOMPARE(picks[0].request, picks[1].request);
    QCOMPARE(form.entry.load_path, std::string());
    QCOMPARE(form.text(kSavePath), QString("/dati/nuova.tlva"));
  }

  void picking_a_file_then_leaving_loads_nothing() {
    test::TempDir folder;
    const std::string path = folder.file("linea.tlva");
    PowerLine other = make_power_line(3, 3);
    other.current = 99;
    QCOMPARE(write_single_line(path, LineKind::overhead, other), std::nullopt);
    Form form;
    form.pick("Seleziona il file di dati", path);
    form.click("Esci");
    QVERIFY(!form.dialog.isVisible());
    QCOMPARE(form.entry.line.current, 0.0f);
    QCOMPARE(form.entry.load_path, path);
    QVERIFY(form.shown().empty());
  }

  void loading_without_a_path_warns_and_changes_nothing() {
    Form form;
    form.type("Corrente [A]", "5");
    form.edit("Corrente [A]")->setText("5x");  // shown as typed until the values are shown
    form.click("Carica il file");
    QCOMPARE(form.shown().size(), std::size_t{1});
    QCOMPARE(form.shown()[0],
             warning_message("Per caricare i dati è necessario specificare\npercorso e nome del "
                             "file che li contiene."));
    QCOMPARE(form.text("Corrente [A]"), QString("5x"));
    QCOMPARE(form.entry.line.current, 5.0f);
  }

  void writing_after_an_unreadable_field_writes_its_previous_value() {
    test::TempDir folder;
    const std::string path = folder.file("linea.tlva");
    Form form;
    form.pick("Salva il file di dati", path);
    form.type("Corrente [A]", "25");
    test::clear_by_keys(form.edit("Corrente [A]"));
    form.click("Scrivi il file");
    QCOMPARE(form.shown().size(), std::size_t{2});  // on clearing, and again on writing
    QCOMPARE(test::warning_text(form.shown()[1]), QString(kNumberPrompt));
    PowerLine expected = DataEntry(k3x2Overhead).line;
    expected.current = 25;
    QCOMPARE(test::read_file(path), single_line_text(LineKind::overhead, expected));
  }

  void a_file_of_another_kind_loads_after_its_warning_another_size_is_refused() {
    test::TempDir folder;
    const std::string path = folder.file("aerea.tlva");
    Form overhead;
    overhead.type("Corrente [A]", "40");
    overhead.pick("Salva il file di dati", path);
    overhead.click("Scrivi il file");
    QVERIFY(overhead.shown().empty());

    Form underground({LineKind::underground, 3, 2});
    underground.pick("Seleziona il file di dati", path);
    underground.click("Carica il file");
    QCOMPARE(underground.shown().size(), std::size_t{1});
    QCOMPARE(underground.shown()[0].kind, MessageKind::warning);
    QVERIFY(underground.shown()[0].text.ends_with("che rappresenti una linea aerea."));
    QCOMPARE(underground.text("Corrente [A]"), QString("40"));
    // The loaded values are still the ones the form edits.
    underground.type("Altezza [m] conduttore 3 vertice 3", "2.5");
    QCOMPARE(underground.entry.line.height[underground.entry.line.at_support(2, 2)], 2.5f);

    Form longer({LineKind::overhead, 3, 3});
    longer.type("Corrente [A]", "7");
    longer.pick("Seleziona il file di dati", path);
    longer.click("Carica il file");
    QCOMPARE(longer.shown(),
             std::vector<Message>{error_message(
                 "Il file di dati non è nel formato compatibile\ncon questa maschera di "
                 "inserimento dati.\nContiene dati relativi a 2 campate e 3 conduttori.")});
    QCOMPARE(longer.entry.line.current, 7.0f);
    QCOMPARE(longer.entry.line.segment_length, 30.0f);
  }

  void angles_follow_the_stored_coordinates_unless_two_pylons_coincide() {
    Form form;
    form.type("X [m] traliccio 2", "100");
    form.type("X [m] traliccio 3", "100");
    form.type("Y [m] traliccio 3", "100");
    form.click("Calcola gli angoli");
    QStringList angles;
    for (int s = 1; s <= 3; ++s) angles << form.text(QString("Angolo [°] traliccio %1").arg(s));
    QCOMPARE(angles, (QStringList{"90", "135", "0"}));
    QVERIFY(form.shown().empty());

    form.type("X [m] traliccio 3", "0");
    form.type("Y [m] traliccio 3", "0");
    form.click("Calcola gli angoli");
    QCOMPARE(form.shown(), std::vector<Message>{error_message(
                               "Due tralicci non possono avere le stesse coordinate.")});
    QCOMPARE(form.entry.line.arm_angle, (std::vector<float>{90, 135, 0}));
  }

  void tab_walks_each_support_box_before_the_next() {
    Form form;
    QWidget* at = form.edit("Offset [°] conduttore 3");
    at->setFocus();
    QStringList walked;
    for (int i = 0; i < 8; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked,
             (QStringList{
                 "Altezza [m] conduttore 1 traliccio 1", "Sbraccio [m] conduttore 1 traliccio 1",
                 "Altezza [m] conduttore 2 traliccio 1", "Sbraccio [m] conduttore 2 traliccio 1",
                 "Altezza [m] conduttore 3 traliccio 1", "Sbraccio [m] conduttore 3 traliccio 1",
                 "a [m] conduttore 1 campata 1", "a [m] conduttore 2 campata 1"}));
  }

  void escape_and_the_close_box_close_without_asking() {
    Form form;
    form.type("Corrente [A]", "3");
    QTest::keyClick(form.edit("Corrente [A]"), Qt::Key_Escape);
    QVERIFY(!form.dialog.isVisible());
    form.dialog.show();
    QVERIFY(form.dialog.close());
    QVERIFY(form.shown().empty());
    QCOMPARE(form.entry.line.current, 3.0f);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::DataEntryDialogTest)
#include "data_entry_dialog_test.moc"
