// "Calcolo orografico": start values, the check box rule and the three files.

#include "pages/orografico.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui_support.h"

namespace tralva {
namespace {

const char kBox[] = "Proietta il valore massimo";
const char kTerrainPath[] = "Apri l'orografia (percorso)";

struct OrograficoPage {
  OrograficoPage() : page(seams.context(), nullptr) {
    page.show();
    QApplication::setActiveWindow(&page);
  }
  QLineEdit* edit(const char* name) const { return test::control<QLineEdit>(page, name); }
  QString text(const char* name) const { return edit(name)->text(); }
  QCheckBox* box() const { return test::control<QCheckBox>(page, kBox); }
  QPushButton* button(const char* text) const { return test::button(page, text); }
  void pick_terrain(const char* path = "/dati/dtm.txt") {
    seams.files.answers = {std::string(path)};
    QTest::mouseClick(button("Apri l'orografia"), Qt::LeftButton);
  }

  test::Seams seams;
  orografico page;
};

class OrograficoTest : public QObject {
  Q_OBJECT

 private slots:
  void starts_with_its_defaults() {
    OrograficoPage page;
    QCOMPARE(page.text("Passo Z [m]"), QString("1"));
    QCOMPARE(page.text("Passi lungo Z"), QString("0"));
    QCOMPARE(page.text("Quota [m]"), QString("0"));
    QCOMPARE(page.text("Buffer [m]"), QString("1000"));
    QCOMPARE(page.text("Apri il file di dati (percorso)"), QString());
    QCOMPARE(page.text(kTerrainPath), QString());
    QCOMPARE(page.text("Salva il risultato (percorso)"), QString());
    QVERIFY(!page.box()->isChecked());
    auto* precision = test::control<QComboBox>(
        page.page, "Precisione per X e Y (Esecuzione del calcolo orografico)");
    QCOMPARE(precision->currentText(), QString("m"));
  }

  void check_box_twice_leaves_it_off() {
    OrograficoPage page;
    QTest::mouseClick(page.box(), Qt::LeftButton);
    page.pick_terrain();
    QVERIFY(page.box()->isChecked());
    QTest::mouseClick(page.box(), Qt::LeftButton);
    page.pick_terrain();
    QVERIFY(!page.box()->isChecked());
    QVERIFY(page.seams.messenger.shown.empty());
  }

  void box_follows_the_click_even_when_buffer_is_unreadable() {
    OrograficoPage page;
    test::clear_by_keys(page.edit("Buffer [m]"));
    page.seams.messenger.shown.clear();
    QTest::mouseClick(page.box(), Qt::LeftButton);
    QCOMPARE(page.seams.messenger.shown.size(), std::size_t{1});
    QCOMPARE(test::warning_text(page.seams.messenger.shown[0]), QString("Please enter a number."));
    QCOMPARE(QApplication::focusWidget(), page.edit("Buffer [m]"));
    page.pick_terrain();
    QVERIFY(page.box()->isChecked());
    QCOMPARE(page.text("Buffer [m]"), QString("1000"));
  }

  void picking_terrain_stores_the_path_and_reshows_the_numbers() {
    OrograficoPage page;
    test::type_over(page.edit("Passo Z [m]"), "0.25");
    test::type_over(page.edit("Quota [m]"), "x");  // unreadable, left in the edit
    page.pick_terrain("/dati/orografia.txt");
    QCOMPARE(page.text(kTerrainPath), QString("/dati/orografia.txt"));
    QCOMPARE(page.text("Quota [m]"), QString("0"));
    QCOMPARE(page.text("Passo Z [m]"), QString("0.25"));
  }

  void each_file_command_has_its_filter() {
    OrograficoPage page;
    for (const char* text : {"Apri il file di dati", "Apri l'orografia", "Salva il risultato"}) {
      QTest::mouseClick(page.button(text), Qt::LeftButton);
    }
    const auto& picks = page.seams.files.picks;
    QCOMPARE(picks.size(), std::size_t{3});
    QCOMPARE(picks[0].request.filter, std::string("Dati di Tralva (*.tlva)|*.tlva|"));
    QCOMPARE(picks[1].request.filter, std::string("File di testo (*.txt)|*.txt|"));
    QCOMPARE(picks[1].mode, PickMode::open);
    QCOMPARE(picks[2].request.filter, std::string("Testo per GIS (*.txt)|*.txt|"));
    QCOMPARE(picks[2].mode, PickMode::save);
    QCOMPARE(page.text(kTerrainPath), QString());  // all cancelled
  }

  void run_changes_nothing() {
    OrograficoPage page;
    QTest::mouseClick(page.box(), Qt::LeftButton);
    QTest::mouseClick(page.button("Esegui il calcolo"), Qt::LeftButton);
    QVERIFY(page.box()->isChecked());
    QCOMPARE(page.text("Buffer [m]"), QString("1000"));
    QVERIFY(page.seams.messenger.shown.empty());
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::OrograficoTest)
#include "orografico_test.moc"
