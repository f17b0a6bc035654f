// Dialog units and the controls the layout helper builds.

#include "forms/form_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetricsF>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "forms/dialog_units.h"
#include "forms/picture.h"
#include "test_support.h"

namespace tralva {
namespace {

class FormLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void dialog_units_follow_the_font() {
    QFont font = QApplication::font();
    font.setPointSize(9);
    const DialogUnits nine(font);
    font.setPointSize(18);
    const DialogUnits eighteen(font);
    const double average = QFontMetricsF(font).horizontalAdvance(
                               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") /
                           52.0;
    QCOMPARE(eighteen.x(400), qRound(100 * average));
    QCOMPARE(eighteen.y(80), 10 * eighteen.char_height());
    QVERIFY(eighteen.x(100) > nine.x(100) * 3 / 2);
  }

  void adjacent_rectangles_share_their_edge() {
    const DialogUnits units(QApplication::font());
    // Rounding each edge, not each size: two neighbours never overlap or gap.
    for (int x = 0; x < 40; ++x) {
      const QRect left = units.rect({x, 3, 7, 5});
      const QRect right = units.rect({x + 7, 3, 9, 5});
      QCOMPARE(left.right() + 1, right.left());
    }
  }

  void controls_follow_the_dialog_rules() {
    QWidget form;
    FormLayout layout(form);
    QPushButton* button = layout.button("Esegui", {10, 10, 77, 20});
    QVERIFY(!button->autoDefault());
    QVERIFY(!button->isDefault());
    QCOMPARE(button->geometry(), layout.units().rect({10, 10, 77, 20}));

    QLineEdit* number = layout.number_edit({10, 40, 59, 12});
    QCOMPARE(number->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QVERIFY(number->validator() == nullptr);
    QLineEdit* path = layout.text_edit({10, 60, 130, 12});
    QCOMPARE(path->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    QLineEdit* digits = layout.digits_edit({10, 80, 59, 12});
    QCOMPARE(digits->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QTest::keyClicks(digits, "1-2.3a4");
    QCOMPARE(digits->text(), QString("1234"));

    QComboBox* list = layout.list({"m", "dm"}, 10, 100, 44);
    QVERIFY(!list->isEditable());
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->width(), layout.units().x(44));
  }

  void paragraphs_grow_instead_of_clipping() {
    QWidget form;
    FormLayout layout(form);
    QLabel* text = layout.text(QString(200, u'x').replace(u'x', "parola "), {10, 10, 60, 8});
    QVERIFY(text->height() > layout.units().y(8));
    QCOMPARE(text->height(), text->heightForWidth(text->width()));
  }

  void file_row_path_is_level_with_its_button_and_never_cut() {
    QWidget form;
    FormLayout layout(form);
    const FileRow row =
        layout.file_row(":/icons/open.svg", "Apri", {16, {42, 105, 77, 20}, 135, 200});
    QVERIFY(row.path->height() >= row.path->minimumSizeHint().height());
    QVERIFY(std::abs(row.path->geometry().center().y() - row.button->geometry().center().y()) <= 1);
    QCOMPARE(row.path->x(), layout.units().x(135));
    QCOMPARE(row.path->geometry().right() + 1, layout.units().x(335));
  }

  void progress_panel_starts_idle_with_its_scale() {
    QWidget form;
    FormLayout layout(form);
    const ProgressPanel panel = layout.progress(16, 175);
    QCOMPARE(panel.bar->minimum(), 0);
    QCOMPARE(panel.bar->maximum(), 1000);
    QCOMPARE(panel.bar->value(), 0);
    QStringList texts;
    for (const QLabel* label : form.findChildren<QLabel*>()) texts << label->text();
    for (const char* expected :
         {"0%", "25%", "50%", "75%", "100%", "Tempo rimanente", "h", "m", "s"}) {
      QVERIFY2(texts.contains(expected), expected);
    }
    QCOMPARE(panel.hours->text(), QString("0"));
  }

  void radio_pairs_exclude_only_each_other_and_are_reached_by_clicking() {
    QWidget form;
    FormLayout layout(form);
    const RadioPair phases = layout.radio_pair("Simmetrica", 10, 10, "Antisimmetrica", 80, 10);
    const RadioPair extension =
        layout.radio_pair("Massima", 10, 30, "Al suolo", 10, 42, "cavi posati in piano");
    form.show();
    QVERIFY(!phases.first->isChecked() && !phases.second->isChecked());
    QTest::mouseClick(phases.first, Qt::LeftButton);
    QTest::mouseClick(extension.second, Qt::LeftButton);
    QTest::mouseClick(phases.second, Qt::LeftButton);
    QVERIFY(!phases.first->isChecked() && phases.second->isChecked());
    QVERIFY(extension.second->isChecked());
    QVERIFY(!(phases.first->focusPolicy() & Qt::TabFocus));
    QCOMPARE(phases.first->accessibleName(), QString("Simmetrica"));
    QCOMPARE(extension.first->objectName(), QString("Massima (cavi posati in piano)"));
  }

  void diagrams_fill_their_place_where_pictures_keep_their_shape() {
    // A square drawing in a wide place: a picture keeps it square and
    // centred, a diagram stretches it, so its left edge meets the place's.
    test::TempDir folder;
    const std::string square = folder.file("square.svg");
    test::write_file(square,
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">"
                     "<rect width=\"10\" height=\"10\" fill=\"#ff0000\"/></svg>");
    QWidget form;
    FormLayout layout(form);
    const DuRect place{0, 0, 160, 30};
    Picture* picture = layout.picture(QString::fromStdString(square), "quadrato", place);
    Picture* diagram = layout.diagram(QString::fromStdString(square), "quadrato", place);
    QVERIFY(picture->is_valid() && diagram->is_valid());
    const QPoint near_left(6, layout.units().y(15));
    QCOMPARE(picture->grab().toImage().pixelColor(near_left), QColor(Qt::white));
    QCOMPARE(diagram->grab().toImage().pixelColor(near_left), QColor(Qt::red));
  }

  void pictures_load_from_the_resources() {
    int count = 0;
    for (const QString folder : {":/pictures/", ":/icons/"}) {
      for (const QString& name : QDir(folder).entryList()) {
        Picture picture(folder + name, "immagine", Picture::Style::sunken);
        QVERIFY2(picture.is_valid(), qPrintable(name));
        ++count;
      }
    }
    QVERIFY(count > 0);
    QVERIFY(!QIcon(":/icons/tralva.svg").pixmap(32, 32).isNull());
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::FormLayoutTest)
#include "form_layout_test.moc"
