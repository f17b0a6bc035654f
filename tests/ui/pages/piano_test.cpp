// "Calcolo piano": start values, the reading rule on real typing, the file
// commands and the idle calculation.

#include "pages/piano.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui_support.h"

namespace tralva {
namespace {

const char* const kNumbers[] = {"Origine X",     "Origine Y",     "Passo X [m]", "Passo Y [m]",
                                "Passi lungo X", "Passi lungo Y", "fi [°]",      "psi [°]",
                                "Quota [m]",     "Buffer [m]"};
const char kDataPath[] = "Apri il file di dati (percorso)";
const char kResultPath[] = "Salva il risultato (percorso)";

struct PianoPage {
  PianoPage() : page(seams.context(), nullptr) {
    page.show();
    QApplication::setActiveWindow(&page);
  }
  QLineEdit* edit(const char* name) const { return test::control<QLineEdit>(page, name); }
  QString text(const char* name) const { return edit(name)->text(); }
  QPushButton* button(const char* text) const { return test::button(page, text); }
  // Picking a file writes the form: the edits then show the stored fields.
  void pick_data_file(const char* path = "/progetti/linea.tlva") {
    seams.files.answers = {std::string(path)};
    QTest::mouseClick(button("Apri il file di dati"), Qt::LeftButton);
  }
  QStringList all_texts() const {
    QStringList texts;
    for (const char* name : kNumbers) texts << text(name);
    texts << text(kDataPath) << text(kResultPath);
    for (const char* name :
         {"Tempo rimanente ore", "Tempo rimanente minuti", "Tempo rimanente secondi"}) {
      texts << test::control<QLabel>(page, name)->text();
    }
    return texts;
  }

  test::Seams seams;
  piano page;
};

class PianoTest : public QObject {
  Q_OBJECT

 private slots:
  void starts_with_its_defaults() {
    PianoPage piano;
    QCOMPARE(piano.all_texts(), (QStringList{"0", "0", "1", "1", "0", "0", "0", "0", "0", "1000",
                                             "", "", "0", "0", "0"}));
    auto* precision = test::control<QComboBox>(
        piano.page, "Precisione per X e Y (Esecuzione del calcolo non orografico)");
    QVERIFY(precision);
    QCOMPARE(precision->currentText(), QString("m"));
    QCOMPARE(precision->count(), 4);
    QCOMPARE(precision->itemText(3), QString("mm"));
  }

  void trailing_text_is_ignored_and_gone_once_a_file_is_picked() {
    PianoPage piano;
    test::type_over(piano.edit("Passo X [m]"), "2.5abc");
    QVERIFY(piano.seams.messenger.shown.empty());
    QCOMPARE(piano.text("Passo X [m]"), QString("2.5abc"));
    piano.pick_data_file();
    QCOMPARE(piano.text("Passo X [m]"), QString("2.5"));
    QCOMPARE(piano.text(kDataPath), QString("/progetti/linea.tlva"));
  }

  void comma_ends_the_number() {
    PianoPage piano;
    test::type_over(piano.edit("Origine X"), "1,5");
    piano.pick_data_file();
    QCOMPARE(piano.text("Origine X"), QString("1"));
  }

  void clearing_buffer_prompts_and_keeps_its_value() {
    PianoPage piano;
    QLineEdit* buffer = piano.edit("Buffer [m]");
    test::type_over(buffer, "250");
    test::clear_by_keys(buffer);
    QCOMPARE(piano.seams.messenger.shown.size(), std::size_t{1});
    QCOMPARE(test::warning_text(piano.seams.messenger.shown[0]), QString("Please enter a number."));
    QCOMPARE(QApplication::focusWidget(), buffer);
    piano.pick_data_file();
    QCOMPARE(piano.text("Buffer [m]"), QString("250"));
  }

  void first_unreadable_field_prompts_when_a_later_one_changes() {
    PianoPage piano;
    test::clear_by_keys(piano.edit("Origine X"));
    piano.seams.messenger.shown.clear();
    test::type_over(piano.edit("psi [°]"), "45");
    QVERIFY(!piano.seams.messenger.shown.empty());
    QCOMPARE(QApplication::focusWidget(), piano.edit("Origine X"));
    piano.pick_data_file();
    QCOMPARE(piano.text("psi [°]"), QString("0"));
    QCOMPARE(piano.text("Origine X"), QString("0"));
  }

  void step_counts_take_digits_only_and_integers() {
    PianoPage piano;
    test::type_over(piano.edit("Passi lungo X"), "12.5-3");
    QCOMPARE(piano.text("Passi lungo X"), QString("1253"));
    test::clear_by_keys(piano.edit("Passi lungo Y"));
    QCOMPARE(test::warning_text(piano.seams.messenger.shown.back()),
             QString("Please enter an integer."));
  }

  void file_commands_use_their_filters_and_cancel_changes_nothing() {
    PianoPage piano;
    piano.seams.files.answers = {std::string("/out/campo.txt"), std::nullopt};
    QTest::mouseClick(piano.button("Salva il risultato"), Qt::LeftButton);
    QTest::mouseClick(piano.button("Apri il file di dati"), Qt::LeftButton);
    const auto& picks = piano.seams.files.picks;
    QCOMPARE(picks.size(), std::size_t{2});
    QCOMPARE(picks[0].mode, PickMode::save);
    QCOMPARE(picks[0].request.filter, std::string("Testo per GIS (*.txt)|*.txt|"));
    QCOMPARE(picks[0].request.initial_name, std::string("*.txt"));
    QCOMPARE(picks[1].mode, PickMode::open);
    QCOMPARE(picks[1].request.filter, std::string("Dati di Tralva (*.tlva)|*.tlva|"));
    QCOMPARE(picks[1].request.default_extension, std::string("tlva"));
    QCOMPARE(piano.text(kResultPath), QString("/out/campo.txt"));
    QCOMPARE(piano.text(kDataPath), QString());
  }

  void typed_paths_are_kept() {
    PianoPage piano;
    test::type_over(piano.edit(kResultPath), "risultato.txt");
    piano.pick_data_file();
    QCOMPARE(piano.text(kResultPath), QString("risultato.txt"));
  }

  void run_changes_nothing() {
    PianoPage piano;
    piano.pick_data_file();
    const QStringList before = piano.all_texts();
    QTest::mouseClick(piano.button("Esegui il calcolo"), Qt::LeftButton);
    QCOMPARE(piano.all_texts(), before);
    QVERIFY(piano.seams.messenger.shown.empty());
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::PianoTest)
#include "piano_test.moc"
