// The right-of-way band dialog: first values, the order in which the form is
// read, the radio choices, the commands and keys that change nothing, what
// survives a closing, and its layout in the program's font.

#include "dialogs/fascia.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/application.h"
#include "app/start_page_dialogs.h"
#include "gui_support.h"
#include "layout_checks.h"
#include "pages/start.h"

namespace tralva {
namespace {

struct Input {
  const char* name;
  float RightOfWayBand::*field;
};

// The edits in the exchange order.
const Input kInputs[] = {
    {"S [m] distanza tra i conduttori (conduttori in piano o verticali)",
     &RightOfWayBand::flat_vertical_s},
    {"I [A] corrente della linea (conduttori in piano o verticali)",
     &RightOfWayBand::flat_vertical_i},
    {"S [m] distanza tra i conduttori (conduttori a triangolo)", &RightOfWayBand::triangle_s},
    {"I [A] corrente della linea (conduttori a triangolo)", &RightOfWayBand::triangle_i},
    {"I [A] corrente della linea (cavi posati in piano)", &RightOfWayBand::cables_flat_i},
    {"d [m] profondità di posa (cavi posati in piano)", &RightOfWayBand::cables_flat_d},
    {"S [m] distanza tra i cavi adiacenti (cavi posati in piano)", &RightOfWayBand::cables_flat_s},
    {"I [A] corrente della linea (cavi posati a trifoglio)", &RightOfWayBand::trefoil_i},
    {"d [m] profondità di posa (cavi posati a trifoglio)", &RightOfWayBand::trefoil_d},
    {"S [m] distanza tra i centri dei cavi (cavi posati a trifoglio)", &RightOfWayBand::trefoil_s},
    {"I1 [A] corrente della prima terna (doppia terna)", &RightOfWayBand::double_i1},
    {"I2 [A] corrente della seconda terna (doppia terna)", &RightOfWayBand::double_i2},
    {"S [m] distanza verticale tra i livelli delle mensole (doppia terna)",
     &RightOfWayBand::double_s},
    {"D [m] distanza orizzontale tra i conduttori esterni della mensola più bassa (doppia terna)",
     &RightOfWayBand::double_d},
};
const char* const kBands[] = {"Fascia [m] (conduttori a triangolo)",
                              "Fascia [m] (conduttori in piano o verticali)",
                              "Fascia [m] (doppia terna)", "Fascia [m] (cavi posati in piano)",
                              "Fascia [m] (cavi posati a trifoglio)"};
const char kMaxFlat[] = "Estensione massima della fascia (cavi posati in piano)";
const char kGroundTrefoil[] =
    "Estensione della fascia al livello del suolo (cavi posati a trifoglio)";

struct Band {
  explicit Band(RightOfWayBand start = {}) : values(start), dialog(values, seams.context()) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
  }
  QLineEdit* edit(const QString& name) const { return test::control<QLineEdit>(dialog, name); }
  QRadioButton* radio(const QString& name) const {
    return test::control<QRadioButton>(dialog, name);
  }
  QStringList texts() const {
    QStringList all;
    for (const char* name : kBands) all << test::control<QLabel>(dialog, name)->text();
    for (const Input& input : kInputs) all << edit(input.name)->text();
    return all;
  }
  bool any_radio_checked() const {
    for (const QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
      if (radio->isChecked()) return true;
    }
    return false;
  }

  test::Seams seams;
  RightOfWayBand values;
  fascia dialog;
};

class FasciaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setFont(dialog_font(QApplication::font())); }

  void first_opening_shows_zeros_and_no_choice() {
    Band band;
    QCOMPARE(band.dialog.windowTitle(),
             QString("Calcolo della fascia di rispetto secondo la Norma CEI 106-11"));
    QCOMPARE(band.texts(), QStringList(19, "0"));
    QCOMPARE(band.dialog.findChildren<QRadioButton*>().size(), 6);
    QVERIFY(!band.any_radio_checked());
    QVERIFY(band.seams.messenger.shown.empty());
  }

  void each_edit_says_what_its_symbol_stands_for() {
    Band band;
    // Several edits share a symbol ("S [m]"): the tooltip tells them apart.
    for (const Input& input : kInputs)
      QCOMPARE(band.edit(input.name)->toolTip(), QString(input.name));
    QVERIFY(test::button(band.dialog, "Calcola la fascia")->toolTip().contains("non si esegue"));
  }

  void negative_current_is_taken_as_typed() {
    Band band;
    QLineEdit* i1 = band.edit(kInputs[10].name);
    test::type_over(i1, "250");
    QTest::keyClick(i1, Qt::Key_Home);
    QTest::keyClicks(i1, "-");
    QCOMPARE(i1->text(), QString("-250"));
    QCOMPARE(band.values.double_i1, -250.0f);
    QVERIFY(band.seams.messenger.shown.empty());
  }

  void emptying_an_edit_prompts_and_keeps_its_value() {
    Band band;
    QLineEdit* depth = band.edit(kInputs[8].name);
    test::type_over(depth, "1.6");
    test::clear_by_keys(depth);
    QCOMPARE(band.seams.messenger.shown.size(), std::size_t{1});
    QCOMPARE(test::warning_text(band.seams.messenger.shown[0]), QString("Please enter a number."));
    QCOMPARE(QApplication::focusWidget(), depth);
    QCOMPARE(band.values.trefoil_d, 1.6f);
  }

  void an_unreadable_edit_holds_back_only_the_later_ones_data() {
    QTest::addColumn<int>("unreadable");
    for (int k = 0; k < 14; ++k) QTest::newRow(kInputs[k].name) << k;
  }

  void an_unreadable_edit_holds_back_only_the_later_ones() {
    QFETCH(int, unreadable);
    // The widths come first: the last of them is read back as shown, to 6
    // digits, even when the first edit cannot be read.
    RightOfWayBand start;
    start.band_cables_trefoil = 1.23456789f;
    Band band(start);
    test::clear_by_keys(band.edit(kInputs[unreadable].name));
    QVERIFY(band.values.band_cables_trefoil == 1.23457f);  // exactly: QCOMPARE is fuzzy
    for (int j = 0; j < 14; ++j) {
      if (j == unreadable) continue;
      test::type_over(band.edit(kInputs[j].name), "7");
      QCOMPARE(band.values.*kInputs[j].field, j < unreadable ? 7.0f : 0.0f);
    }
    QCOMPARE(QApplication::focusWidget(), band.edit(kInputs[unreadable].name));
  }

  void each_radio_pair_keeps_its_own_choice() {
    Band band;
    const auto click = [&](const QString& name) {
      QTest::mouseClick(band.radio(name), Qt::LeftButton);
    };
    click("Simmetrica");
    click(kMaxFlat);
    click(kGroundTrefoil);
    click("Antisimmetrica");
    const RightOfWayBand& v = band.values;
    QVERIFY(v.antisymmetric && !v.symmetric);
    QVERIFY(v.cables_flat_max_extension && !v.cables_flat_ground_level);
    QVERIFY(v.trefoil_ground_level && !v.trefoil_max_extension);
    QVERIFY(band.radio(kMaxFlat)->isChecked() && band.radio(kGroundTrefoil)->isChecked());
    QVERIFY(!band.radio("Simmetrica")->isChecked());
    // A click reads the form.
    QLineEdit* s = band.edit(kInputs[0].name);
    {
      const QSignalBlocker quiet(s);
      s->setText("8.5");
    }
    click("Simmetrica");
    QCOMPARE(v.flat_vertical_s, 8.5f);
    QVERIFY(v.symmetric && !v.antisymmetric);
  }

  void choices_survive_a_closing_but_show_unselected() {
    test::Seams seams;
    RightOfWayBand kept;
    {
      fascia first(kept, seams.context());
      first.show();
      QTest::mouseClick(test::control<QRadioButton>(first, "Simmetrica"), Qt::LeftButton);
      QTest::mouseClick(test::control<QRadioButton>(first, kGroundTrefoil), Qt::LeftButton);
    }
    fascia again(kept, seams.context());
    again.show();
    QVERIFY(kept.symmetric && kept.trefoil_ground_level);
    for (const QRadioButton* radio : again.findChildren<QRadioButton*>()) {
      QVERIFY2(!radio->isChecked(), qPrintable(radio->text()));
    }
  }

  void compute_buttons_enter_and_escape_change_nothing() {
    RightOfWayBand start;
    start.band_double_circuit = 12.5f;
    start.double_i2 = -1500;
    Band band(start);
    const QStringList before = band.texts();
    QList<QPushButton*> computes;
    for (QPushButton* button : band.dialog.findChildren<QPushButton*>()) {
      if (button->text() == "Calcola la fascia") computes << button;
    }
    QCOMPARE(computes.size(), 5);
    for (QPushButton* compute : computes) {
      QVERIFY(compute->isEnabled());
      QTest::mouseClick(compute, Qt::LeftButton);
    }
    computes[2]->setFocus();
    QTest::keyClick(computes[2], Qt::Key_Return);
    band.edit(kInputs[3].name)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QVERIFY(band.dialog.isVisible());
    QCOMPARE(band.texts(), before);
    QCOMPARE(band.values.band_double_circuit, 12.5f);
    QVERIFY(band.seams.messenger.shown.empty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!band.dialog.isVisible());
    QCOMPARE(band.dialog.result(), int(QDialog::Rejected));
  }

  void start_opens_the_same_values_again() {
    test::Seams seams;
    start page(seams.context(), std::make_unique<StartPageDialogs>(seams.context()), nullptr);
    page.show();
    const auto open = [&](std::function<void(QDialog&)> act) {
      test::WhenModal inside(std::move(act));
      QTest::mouseClick(test::button(page, "Calcola la fascia"), Qt::LeftButton);
      return inside.ran();
    };
    QVERIFY(open([](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(),
               QString("Calcolo della fascia di rispetto secondo la Norma CEI 106-11"));
      test::type_over(test::control<QLineEdit>(dialog, kInputs[4].name), "1000");
      test::type_over(test::control<QLineEdit>(dialog, kInputs[12].name), "7.8");
      QTest::mouseClick(test::control<QRadioButton>(dialog, kMaxFlat), Qt::LeftButton);
      QTest::mouseClick(test::button(dialog, "Esci"), Qt::LeftButton);
    }));
    QVERIFY(open([](QDialog& dialog) {
      QCOMPARE(test::control<QLineEdit>(dialog, kInputs[4].name)->text(), QString("1000"));
      QCOMPARE(test::control<QLineEdit>(dialog, kInputs[12].name)->text(), QString("7.8"));
      QVERIFY(!test::control<QRadioButton>(dialog, kMaxFlat)->isChecked());
    }));
    QVERIFY(seams.messenger.shown.empty());
  }

  void fits_the_screen_with_every_edit_on_its_diagram() {
    Band band;
    test::check_dialog_layout(band.dialog);
    if (QTest::currentTestFailed()) return;
    for (const Input& input : kInputs) {
      const QRect edit = band.edit(input.name)->geometry();
      bool on_a_diagram = false;
      for (const Picture* picture : band.dialog.findChildren<Picture*>()) {
        on_a_diagram = on_a_diagram || picture->geometry().contains(edit);
      }
      QVERIFY2(on_a_diagram, input.name);
    }
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::FasciaTest)
#include "fascia_test.moc"
