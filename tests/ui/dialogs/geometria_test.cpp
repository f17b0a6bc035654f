// The geometric parameters dialog: first values, the digits each field keeps
// from one opening to the next, the order in which the form is read, the
// commands and keys that change nothing, and its layout in the program's
// font.

#include "dialogs/geometria.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/application.h"
#include "app/start_page_dialogs.h"
#include "gui_support.h"
#include "layout_checks.h"

namespace tralva {
namespace {

const char kX1[] = "x1 [m] ascissa del traliccio precedente";
const char kX0[] = "x0 [m] ascissa del traliccio di interesse";
const char kY2[] = "y2 [m] ordinata del traliccio successivo";
const char kInnerZ1[] =
    "z1 [m] quota del primo estremo di sospensione (franco minimo fra i tralicci)";
const char kOuterL[] = "L [m] lunghezza della campata (franco minimo esterno ai tralicci)";
const char* const kResults[] = {"Angolo della bisettrice [°]",
                                "Costante di tesatura [m] (franco minimo fra i tralicci)",
                                "Costante di tesatura [m] (franco minimo esterno ai tralicci)"};

struct Geometry {
  explicit Geometry(GeometricParameters start = {})
      : values(start), dialog(values, seams.context()) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
  }
  QLineEdit* edit(const char* name) const { return test::control<QLineEdit>(dialog, name); }
  QStringList texts() const {
    QStringList all;
    for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) all << edit->text();
    for (const char* name : kResults) all << test::control<QLabel>(dialog, name)->text();
    return all;
  }

  test::Seams seams;
  GeometricParameters values;
  geometria dialog;
};

class GeometriaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setFont(dialog_font(QApplication::font())); }

  void first_opening_shows_zeros() {
    Geometry geometry;
    QCOMPARE(geometry.dialog.windowTitle(), QString("Tralva - Calcolo dei parametri geometrici"));
    QCOMPARE(geometry.dialog.findChildren<QLineEdit*>().size(), 14);
    QCOMPARE(geometry.texts(), QStringList(17, "0"));
  }

  void coordinates_keep_fifteen_digits_heights_six_between_openings() {
    test::Seams seams;
    StartPageDialogs dialogs(seams.context());
    const auto open = [&](std::function<void(QDialog&)> act) {
      test::WhenModal inside(std::move(act));
      dialogs.open_geometry();
      return inside.ran();
    };
    QVERIFY(open([](QDialog& dialog) {
      test::type_over(test::control<QLineEdit>(dialog, kX0), "1512340.125");
      test::type_over(test::control<QLineEdit>(dialog, kY2), "5034287.123456789");
      test::type_over(test::control<QLineEdit>(dialog, kInnerZ1), "123.4567");
      test::type_over(test::control<QLineEdit>(dialog, kOuterL), "352.5");
      QTest::mouseClick(test::button(dialog, "Esci"), Qt::LeftButton);
    }));
    QVERIFY(open([](QDialog& dialog) {
      QCOMPARE(test::control<QLineEdit>(dialog, kX0)->text(), QString("1512340.125"));
      QCOMPARE(test::control<QLineEdit>(dialog, kY2)->text(), QString("5034287.12345679"));
      QCOMPARE(test::control<QLineEdit>(dialog, kInnerZ1)->text(), QString("123.457"));
      QCOMPARE(test::control<QLineEdit>(dialog, kOuterL)->text(), QString("352.5"));
    }));
    QVERIFY(seams.messenger.shown.empty());
  }

  void an_empty_coordinate_holds_back_the_heights_and_results() {
    GeometricParameters start;
    start.bisector_angle = 1.23456789f;
    Geometry geometry(start);
    test::clear_by_keys(geometry.edit(kX0));
    QCOMPARE(geometry.seams.messenger.shown.size(), std::size_t{1});
    QCOMPARE(test::warning_text(geometry.seams.messenger.shown[0]),
             QString("Please enter a number."));
    test::type_over(geometry.edit(kInnerZ1), "7");
    test::type_over(geometry.edit(kX1), "9");
    QCOMPARE(geometry.seams.messenger.shown.size(), std::size_t{3});
    QCOMPARE(QApplication::focusWidget(), geometry.edit(kX0));
    QCOMPARE(geometry.values.inner_z1, 0.0f);
    QCOMPARE(geometry.values.x1, 9.0);
    // The results come last: read back, as shown, only once the form reads through.
    QVERIFY(geometry.values.bisector_angle == 1.23456789f);  // exactly: QCOMPARE is fuzzy
    test::type_over(geometry.edit(kX0), "5");
    QVERIFY(geometry.values.bisector_angle == 1.23457f);
  }

  void compute_buttons_enter_and_escape_change_nothing() {
    GeometricParameters start;
    start.x0 = 1512340.25;
    start.inner_sag_constant = 1650;
    Geometry geometry(start);
    const QStringList before = geometry.texts();
    for (const char* text : {"Calcola la tesatura", "Calcola l'angolo"}) {
      for (QPushButton* button : geometry.dialog.findChildren<QPushButton*>()) {
        if (button->text() != text) continue;
        QTest::mouseClick(button, Qt::LeftButton);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
      }
    }
    geometry.edit(kX0)->setFocus();
    QTest::keyClick(geometry.edit(kX0), Qt::Key_Enter);
    QVERIFY(geometry.dialog.isVisible());
    QCOMPARE(geometry.texts(), before);
    QCOMPARE(geometry.values.inner_sag_constant, 1650.0f);
    QVERIFY(geometry.seams.messenger.shown.empty());
    QTest::keyClick(geometry.edit(kX0), Qt::Key_Escape);
    QVERIFY(!geometry.dialog.isVisible());
  }

  void fits_the_screen_with_every_edit_on_its_diagram() {
    Geometry geometry;
    test::check_dialog_layout(geometry.dialog);
    if (QTest::currentTestFailed()) return;
    for (const QLineEdit* edit : geometry.dialog.findChildren<QLineEdit*>()) {
      bool on_a_diagram = false;
      for (const Picture* picture : geometry.dialog.findChildren<Picture*>()) {
        on_a_diagram = on_a_diagram || picture->geometry().contains(edit->geometry());
      }
      QVERIFY2(on_a_diagram, qPrintable(edit->objectName()));
    }
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::GeometriaTest)
#include "geometria_test.moc"
