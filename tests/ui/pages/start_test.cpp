// The Start page: its lists, the choice of data-entry dialog and the keys.

#include "pages/start.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "forms/dialog_units.h"
#include "forms/picture.h"
#include "gui_support.h"

namespace tralva {
namespace {

using Opened = std::vector<std::string>;

struct StartPage {
  StartPage() {
    auto recording = std::make_unique<test::RecordingStartDialogs>();
    dialogs = recording.get();
    page = std::make_unique<start>(seams.context(), std::move(recording), nullptr);
    page->show();
    QApplication::setActiveWindow(page.get());
  }
  QComboBox* list(const char* name) const { return test::control<QComboBox>(*page, name); }
  QPushButton* button(const char* text) const { return test::button(*page, text); }

  test::Seams seams;
  test::RecordingStartDialogs* dialogs = nullptr;
  std::unique_ptr<start> page;
};

class StartTest : public QObject {
  Q_OBJECT

 private slots:
  void lists_start_at_one_span_three_conductors_overhead() {
    StartPage start;
    QComboBox* spans = start.list("Numero di campate");
    QComboBox* conductors = start.list("Numero di conduttori");
    QComboBox* kind = start.list("Tipologia della linea");
    QVERIFY(spans && conductors && kind);
    QCOMPARE(spans->currentText(), QString("1"));
    QCOMPARE(conductors->currentText(), QString("3"));
    QCOMPARE(kind->currentText(), QString("Aerea"));
    QCOMPARE(conductors->count(), 3);
    QCOMPARE(conductors->itemText(2), QString("6"));
    QCOMPARE(kind->itemText(1), QString("Interrata"));
    QVERIFY(!kind->isEditable());

    QTest::mouseClick(start.button("Inserisci / Modifica"), Qt::LeftButton);
    QCOMPARE(start.dialogs->opened, Opened{"ins_3_1_a"});
  }

  void choice_picked_with_the_keyboard_opens_its_dialog() {
    StartPage start;
    for (const char* name : {"Numero di campate", "Numero di conduttori"}) {
      QComboBox* list = start.list(name);
      list->setFocus();
      for (int i = 0; i < 4; ++i) QTest::keyClick(list, Qt::Key_Down);  // to the last item
    }
    start.list("Tipologia della linea")->setFocus();
    QTest::keyClick(start.list("Tipologia della linea"), Qt::Key_Down);
    QTest::mouseClick(start.button("Inserisci / Modifica"), Qt::LeftButton);
    QCOMPARE(start.dialogs->opened, Opened{"ins_6_5_int"});
  }

  void every_press_opens_exactly_one_dialog_of_the_same_choice() {
    StartPage start;
    start.list("Numero di campate")->setCurrentIndex(2);
    start.list("Numero di conduttori")->setCurrentIndex(0);
    start.page->insert_edit();
    start.page->insert_edit();
    QCOMPARE(start.dialogs->opened, (Opened{"ins_1_3_a", "ins_1_3_a"}));
  }

  void enter_presses_insert_edit_unless_another_button_has_the_focus() {
    StartPage start;
    QComboBox* kind = start.list("Tipologia della linea");
    kind->setFocus();
    QTest::keyClick(kind, Qt::Key_Return);
    QCOMPARE(start.dialogs->opened, Opened{"ins_3_1_a"});
    QVERIFY(start.button("Inserisci / Modifica")->isDefault());

    QPushButton* view = start.button("Visualizza");
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(start.dialogs->opened, (Opened{"ins_3_1_a", "paletta"}));
  }

  void launch_buttons_open_their_dialogs() {
    StartPage start;
    QTest::mouseClick(start.button("Visualizza"), Qt::LeftButton);
    QTest::mouseClick(start.button("Lancia le utilità"), Qt::LeftButton);
    QTest::mouseClick(start.button("Calcola la fascia"), Qt::LeftButton);
    QCOMPARE(start.dialogs->opened, (Opened{"paletta", "geometria", "fascia"}));
    QVERIFY(start.seams.messenger.shown.empty());
  }

  void lists_and_paragraph_stand_where_the_page_places_them() {
    StartPage start;
    const DialogUnits units(start.page->font());
    // Each list at its column, level with the middle of its row; the
    // paragraph from its corner, ending above the first list.
    const int rows[] = {42, 61, 80};
    const char* names[] = {"Numero di campate", "Numero di conduttori", "Tipologia della linea"};
    for (int i = 0; i < 3; ++i) {
      const QRect place = start.list(names[i])->geometry();
      QCOMPARE(place.left(), units.x(102));
      QCOMPARE(place.width(), units.x(44));
      QVERIFY(qAbs(place.center().y() - units.rect({102, rows[i], 44, 12}).center().y()) <= 1);
    }
    QLabel* paragraph = nullptr;
    for (QLabel* label : start.page->findChildren<QLabel*>()) {
      if (label->text().startsWith("Schermata")) paragraph = label;
    }
    QVERIFY(paragraph);
    QCOMPARE(paragraph->geometry().topLeft(), units.rect({17, 21, 168, 18}).topLeft());
    QVERIFY(paragraph->geometry().bottom() < start.list(names[0])->geometry().top());
  }

  void shows_its_groups_and_pictures() {
    StartPage start;
    QStringList titles;
    for (const QGroupBox* group : start.page->findChildren<QGroupBox*>()) titles << group->title();
    QCOMPARE(titles, (QStringList{"Inserimento dati", "Parametri geometrici",
                                  "Calcolo delle fasce di rispetto", "Tralva 3.3"}));
    for (const Picture* picture : start.page->findChildren<Picture*>()) {
      QVERIFY(picture->is_valid());
    }
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::StartTest)
#include "start_test.moc"
