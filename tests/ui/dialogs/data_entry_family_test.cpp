// The 30 data-entry dialogs as the user reaches them: chosen on Start,
// opened modally, a whole line typed, written, and loaded back by a fresh
// dialog of the same configuration; and what each keeps between openings.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/start_page_dialogs.h"
#include "common/field.h"
#include "gui_support.h"
#include "pages/start.h"
#include "project/project_file.h"
#include "test_support.h"

namespace tralva {
namespace {

// Start with the program's dialogs, its lists set as the user sets them.
struct StartWithDialogs {
  StartWithDialogs() {
    auto owned = std::make_unique<StartPageDialogs>(seams.context());
    dialogs = owned.get();
    page = std::make_unique<start>(seams.context(), std::move(owned), nullptr);
    page->show();
    QApplication::setActiveWindow(page.get());
  }
  void choose(const DataEntryChoice& choice) const {
    const int conductors = choice.conductors == 1 ? 0 : choice.conductors == 3 ? 1 : 2;
    test::control<QComboBox>(*page, "Numero di campate")->setCurrentIndex(choice.spans - 1);
    test::control<QComboBox>(*page, "Numero di conduttori")->setCurrentIndex(conductors);
    test::control<QComboBox>(*page, "Tipologia della linea")
        ->setCurrentIndex(choice.kind == LineKind::overhead ? 0 : 1);
  }
  // Opens the chosen dialog modally and runs `act` inside it.
  bool open(const DataEntryChoice& choice, std::function<void(QDialog&)> act) const {
    choose(choice);
    test::WhenModal inside(std::move(act));
    QTest::mouseClick(test::button(*page, "Inserisci / Modifica"), Qt::LeftButton);
    return inside.ran();
  }

  test::Seams seams;
  StartPageDialogs* dialogs = nullptr;
  std::unique_ptr<start> page;
};

// One edit as the test fills it: its name, the text typed and the text it
// shows once the file has been loaded back.
struct Typed {
  QString name;
  QString typed;
  QString shown;
};

// A whole line for one configuration: every field gets its own short value,
// so a control bound to the wrong place changes the file.  Coordinates are
// typed with four decimals and come back with three; the current has seven
// digits and comes back with six.
struct Line {
  explicit Line(const DataEntryChoice& choice) : written(DataEntry(choice).line), loaded(written) {
    const bool overhead = choice.kind == LineKind::overhead;
    const QString support = overhead ? "traliccio" : "vertice";
    int next = 1;
    const auto real = [&](const QString& name, float& in_file, float& in_dialog) {
      const QString text = QString::number(next++);
      in_file = in_dialog = static_cast<float>(text.toInt());
      edits.push_back({name, text, text});
    };
    edits.push_back({"Corrente [A]", "123.4567", "123.457"});
    written.current = 123.4567f;
    loaded.current = 123.457f;
    if (overhead) real("Segmento [m]", written.segment_length, loaded.segment_length);
    for (int s = 0; s < choice.supports(); ++s) {
      const QString place = QString(" %1 %2").arg(support).arg(s + 1);
      const auto at = static_cast<std::size_t>(s);
      for (auto [label, in_file, in_dialog] :
           {std::tuple{"X [m]", &written.x[at], &loaded.x[at]},
            std::tuple{"Y [m]", &written.y[at], &loaded.y[at]}}) {
        const QString whole = QString::number(next++);
        edits.push_back({label + place, whole + ".1237", whole + ".124"});
        *in_file = *parse_field_double((whole + ".1237").toStdString());
        *in_dialog = *parse_field_double((whole + ".124").toStdString());
      }
      real("Quota [m]" + place, written.ground_level[at], loaded.ground_level[at]);
      if (overhead) real("Angolo [°]" + place, written.arm_angle[at], loaded.arm_angle[at]);
    }
    static const char* const kPhases[] = {"R", "S", "T"};
    for (int j = 0; j < choice.conductors; ++j) {
      const auto at = static_cast<std::size_t>(j);
      const QString place = QString(" conduttore %1").arg(j + 1);
      // Not the default R, S, T: each one moves.
      written.phase[at] = loaded.phase[at] = kPhases[(j + 1) % 3];
      phases.push_back({"Fase" + place, QString::fromStdString(written.phase[at])});
      real("Offset [°]" + place, written.phase_offset[at], loaded.phase_offset[at]);
    }
    for (int s = 0; s < choice.supports(); ++s) {
      for (int j = 0; j < choice.conductors; ++j) {
        const QString place = QString(" conduttore %1 %2 %3").arg(j + 1).arg(support).arg(s + 1);
        const std::size_t at = written.at_support(j, s);
        real("Altezza [m]" + place, written.height[at], loaded.height[at]);
        real("Sbraccio [m]" + place, written.arm_length[at], loaded.arm_length[at]);
      }
      if (!overhead || s == choice.spans) continue;
      for (int j = 0; j < choice.conductors; ++j) {
        const std::size_t at = written.at_span(j, s);
        real(QString("a [m] conduttore %1 campata %2").arg(j + 1).arg(s + 1),
             written.sag_constant[at], loaded.sag_constant[at]);
      }
    }
  }

  std::vector<Typed> edits;
  std::vector<std::pair<QString, QString>> phases;  // list name, phase
  PowerLine written;
  PowerLine loaded;
};

QString frame_title(const QDialog& dialog) {
  const QList<QGroupBox*> boxes = dialog.findChildren<QGroupBox*>();
  return boxes.isEmpty() ? QString() : boxes.front()->title();
}

class DataEntryFamilyTest : public QObject {
  Q_OBJECT

 private slots:
  void typed_line_is_written_and_loads_back_data() { test::family_rows(); }

  void typed_line_is_written_and_loads_back() {
    const DataEntryChoice choice = test::family_member();
    const Line line(choice);
    test::TempDir folder;
    const std::string path = folder.file("linea.tlva");

    StartWithDialogs start;
    start.seams.files.answers = {path};
    const bool opened = start.open(choice, [&](QDialog& dialog) {
      QCOMPARE(dialog.objectName(), QString::fromStdString(data_entry_name(choice)));
      QCOMPARE(dialog.windowTitle(), QString("Tralva - Inserimento e modifica dati"));
      QCOMPARE(frame_title(dialog), QString::fromStdString(data_entry_title(choice)));
      for (const Typed& edit : line.edits) {
        QLineEdit* control = test::control<QLineEdit>(dialog, edit.name);
        QVERIFY2(control, qPrintable(edit.name));
        test::type_over(control, edit.typed);
      }
      for (const auto& [name, phase] : line.phases) {
        QComboBox* list = test::control<QComboBox>(dialog, name);
        QVERIFY2(list, qPrintable(name));
        list->setFocus();
        QTest::keyClicks(list, phase);  // the list jumps to the item of that letter
      }
      QTest::mouseClick(test::button(dialog, "Salva il file di dati"), Qt::LeftButton);
      QTest::mouseClick(test::button(dialog, "Scrivi il file"), Qt::LeftButton);
    });
    QVERIFY(opened);
    QCOMPARE(start.seams.messenger.shown.size(), std::size_t{0});
    QCOMPARE(test::read_file(path), single_line_text(choice.kind, line.written));

    DataEntry fresh(choice);
    DataEntryDialog dialog(fresh, start.seams.context());
    dialog.show();
    start.seams.files.answers = {path};
    QTest::mouseClick(test::button(dialog, "Seleziona il file di dati"), Qt::LeftButton);
    QTest::mouseClick(test::button(dialog, "Carica il file"), Qt::LeftButton);
    QCOMPARE(start.seams.messenger.shown.size(), std::size_t{0});
    QVERIFY(fresh.line == line.loaded);
    for (const Typed& edit : line.edits) {
      QCOMPARE(test::control<QLineEdit>(dialog, edit.name)->text(), edit.shown);
    }
    for (const auto& [name, phase] : line.phases) {
      QCOMPARE(test::control<QComboBox>(dialog, name)->currentText(), phase);
    }
  }

  void each_configuration_keeps_its_own_values_and_paths_between_openings() {
    StartWithDialogs start;
    const DataEntryChoice overhead{LineKind::overhead, 3, 2};
    const DataEntryChoice underground{LineKind::underground, 3, 2};
    start.seams.files.answers = {std::string("/dati/in.tlva"), std::string("/dati/out.tlva")};
    QVERIFY(start.open(overhead, [](QDialog& dialog) {
      test::type_over(test::control<QLineEdit>(dialog, "Corrente [A]"), "25");
      test::type_over(test::control<QLineEdit>(dialog, "Quota [m] traliccio 3"), "4.5x");
      QTest::mouseClick(test::button(dialog, "Seleziona il file di dati"), Qt::LeftButton);
      QTest::mouseClick(test::button(dialog, "Salva il file di dati"), Qt::LeftButton);
      QTest::mouseClick(test::button(dialog, "Esci"), Qt::LeftButton);
      QVERIFY(!dialog.isVisible());
    }));
    QVERIFY(start.open(overhead, [](QDialog& dialog) {
      QCOMPARE(test::control<QLineEdit>(dialog, "Corrente [A]")->text(), QString("25"));
      QCOMPARE(test::control<QLineEdit>(dialog, "Quota [m] traliccio 3")->text(), QString("4.5"));
      QCOMPARE(test::control<QLineEdit>(dialog, "Seleziona il file di dati (percorso)")->text(),
               QString("/dati/in.tlva"));
      QCOMPARE(test::control<QLineEdit>(dialog, "Salva il file di dati (percorso)")->text(),
               QString("/dati/out.tlva"));
      QTest::keyClick(&dialog, Qt::Key_Escape);
    }));
    QVERIFY(start.open(underground, [](QDialog& dialog) {
      QCOMPARE(test::control<QLineEdit>(dialog, "Corrente [A]")->text(), QString("0"));
      QCOMPARE(test::control<QLineEdit>(dialog, "Seleziona il file di dati (percorso)")->text(),
               QString());
    }));
    QCOMPARE(start.dialogs->data_entry(overhead)->line.current, 25.0f);
    QVERIFY(start.seams.messenger.shown.empty());
  }

  void enter_presses_a_focused_button_and_closes_nothing() {
    StartWithDialogs start;
    QVERIFY(start.open({LineKind::overhead, 6, 2}, [](QDialog& dialog) {
      QLineEdit* edit = test::control<QLineEdit>(dialog, "a [m] conduttore 6 campata 2");
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_Return);
      QComboBox* phase = test::control<QComboBox>(dialog, "Fase conduttore 6");
      phase->setFocus();
      QTest::keyClick(phase, Qt::Key_Enter, Qt::KeypadModifier);
      test::type_over(test::control<QLineEdit>(dialog, "X [m] traliccio 2"), "100");
      test::type_over(test::control<QLineEdit>(dialog, "X [m] traliccio 3"), "200");
      QPushButton* angles = test::button(dialog, "Calcola gli angoli");
      angles->setFocus();
      QTest::keyClick(angles, Qt::Key_Return);
      QCOMPARE(test::control<QLineEdit>(dialog, "Angolo [°] traliccio 1")->text(), QString("90"));
      QVERIFY(dialog.isVisible());
    }));
    QVERIFY(start.seams.messenger.shown.empty());
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::DataEntryFamilyTest)
#include "data_entry_family_test.moc"
