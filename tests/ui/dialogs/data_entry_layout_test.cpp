// The form of every configuration in the program's font: it fits a
// 1366 x 768 screen, nothing overlaps or is cut off, and every control
// stands in the box and row of the field it shows.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <set>

#include "app/application.h"
#include "dialogs/data_entry_dialog.h"
#include "gui_support.h"
#include "layout_checks.h"

namespace tralva {
namespace {

struct Built {
  explicit Built(const DataEntryChoice& choice) : entry(choice), dialog(entry, seams.context()) {
    dialog.show();
  }
  QRect at(const QString& name) const {
    const QWidget* control = dialog.findChild<QWidget*>(name);
    return control ? control->geometry() : QRect();
  }
  QRect box(const QString& title) const {
    for (const QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
      if (box->title() == title) return box->geometry();
    }
    return {};
  }
  std::vector<QRect> boxes(const QString& title) const {
    std::vector<QRect> found;
    for (const QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
      if (box->title() == title) found.push_back(box->geometry());
    }
    return found;
  }

  test::Seams seams;
  DataEntry entry;
  DataEntryDialog dialog;
};

class DataEntryLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setFont(dialog_font(QApplication::font())); }

  void every_form_fits_and_nothing_overlaps_or_is_cut_data() { test::family_rows(); }

  void every_form_fits_and_nothing_overlaps_or_is_cut() {
    const Built built(test::family_member());
    test::check_dialog_layout(built.dialog);
  }

  void every_control_stands_where_its_field_belongs_data() { test::family_rows(); }

  void every_control_stands_where_its_field_belongs() {
    const DataEntryChoice choice = test::family_member();
    const Built built(choice);
    const bool overhead = choice.kind == LineKind::overhead;
    const QString support = overhead ? "traliccio" : "vertice";
    const int p = choice.supports();

    std::set<int> coordinate_rows;
    int first_row = 0;
    for (int s = 1; s <= p; ++s) {
      const QString place = QString(" %1 %2").arg(support).arg(s);
      const QRect coordinates = built.box("Coordinate" + place);
      QVERIFY(coordinates.isValid());
      coordinate_rows.insert(coordinates.top());
      if (coordinates.top() == built.box("Coordinate " + support + " 1").top()) ++first_row;
      const QRect x = built.at("X [m]" + place);
      const QRect level = built.at("Quota [m]" + place);
      QVERIFY(coordinates.contains(x) && coordinates.contains(built.at("Y [m]" + place)));
      QVERIFY(coordinates.contains(level) && level.top() > x.bottom());
      QCOMPARE(coordinates.contains(built.at("Angolo [°]" + place)), overhead);

      const QRect parameters = built.box("Parametri" + place);
      for (int j = 1; j <= choice.conductors; ++j) {
        const QString where = QString(" conduttore %1%2").arg(j).arg(place);
        const QRect height = built.at("Altezza [m]" + where);
        const QRect arm = built.at("Sbraccio [m]" + where);
        const QRect phase = built.at(QString("Fase conduttore %1").arg(j));
        QVERIFY(parameters.contains(height) && parameters.contains(arm));
        QVERIFY(height.right() < arm.left());
        QVERIFY(std::abs(height.center().y() - phase.center().y()) <= 1);
        QCOMPARE(height.center().y(),
                 built.at(QString("Offset [°] conduttore %1").arg(j)).center().y());
        if (s == p || !overhead) continue;
        const QRect sag = built.boxes("Tesatura")[static_cast<std::size_t>(s - 1)];
        const QRect constant = built.at(QString("a [m] conduttore %1 campata %2").arg(j).arg(s));
        QVERIFY(sag.contains(constant));
        QCOMPARE(constant.center().y(), height.center().y());
        QVERIFY(sag.left() > parameters.right());
        QVERIFY(sag.right() < built.box(QString("Parametri %1 %2").arg(support).arg(s + 1)).left());
      }
    }
    QCOMPARE(coordinate_rows.size(), std::size_t{p <= 3 ? 1u : 2u});
    QCOMPARE(first_row, p <= 3 ? p : (p + 1) / 2);
    QCOMPARE(built.boxes("Tesatura").size(), std::size_t(overhead ? choice.spans : 0));

    // Every input has a name of its own.
    std::set<QString> names;
    int inputs = 0;
    for (const QWidget* input : built.dialog.findChildren<QWidget*>()) {
      if (!qobject_cast<const QLineEdit*>(input) && !qobject_cast<const QComboBox*>(input))
        continue;
      ++inputs;
      names.insert(input->accessibleName());
    }
    const int n = choice.conductors;
    const int expected =
        overhead ? 4 + 4 * p + 2 * n + 2 * n * p + n * choice.spans : 3 + 3 * p + 2 * n + 2 * n * p;
    QCOMPARE(inputs, expected);
    QCOMPARE(static_cast<int>(names.size()), expected);
    QVERIFY(!names.count(QString()));
    QCOMPARE(test::button(built.dialog, "Calcola gli angoli") != nullptr, overhead);
    QCOMPARE(built.at("Segmento [m]").isValid(), overhead);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::DataEntryLayoutTest)
#include "data_entry_layout_test.moc"
