// Dialog units and the controls the layout helper builds.

#include "forms/form_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "forms/dialog_units.h"
#include "forms/picture.h"

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
        layout.file_row(":/icons/open.svg", "Apri", 16, {42, 105, 77, 20}, 135, 200);
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

  void pictures_load_from_the_resources() {
    for (const char* resource :
         {":/pictures/pylon.svg", ":/pictures/span.svg", ":/pictures/band.svg",
          ":/pictures/wires.svg", ":/pictures/contours.svg", ":/icons/tralva.svg",
          ":/icons/open.svg", ":/icons/save.svg", ":/icons/run.svg", ":/icons/remaining.svg",
          ":/icons/exit.svg", ":/icons/tools.svg", ":/icons/band.svg", ":/icons/terrain.svg",
          ":/icons/load.svg", ":/icons/write.svg", ":/icons/angles.svg"}) {
      Picture picture(resource, "immagine", Picture::Style::sunken);
      QVERIFY2(picture.is_valid(), resource);
    }
    QVERIFY(!QIcon(":/icons/tralva.svg").pixmap(32, 32).isNull());
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::FormLayoutTest)
#include "form_layout_test.moc"
