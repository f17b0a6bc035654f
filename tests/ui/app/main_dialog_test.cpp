// The main window: its tabs and pages, the keys of the window and of the
// pages, the exit button and what screen readers find.

#include "app/main_dialog.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <map>
#include <set>

#include "app/application.h"
#include "gui_support.h"
#include "layout_checks.h"
#include "pages/orografico.h"
#include "pages/piano.h"
#include "pages/start.h"

namespace tralva {
namespace {

struct Window {
  Window() {
    auto recording = std::make_unique<test::RecordingStartDialogs>();
    dialogs = recording.get();
    window = std::make_unique<MainDialog>(seams.context(), std::move(recording));
    window->show();
    QApplication::setActiveWindow(window.get());
  }
  QTabBar& strip() const { return window->tab().strip(); }
  void click_tab(int index) const {
    QTest::mouseClick(&strip(), Qt::LeftButton, {}, strip().tabRect(index).center());
  }
  QWidget* visible_page() const {
    QWidget* shown = nullptr;
    for (QWidget* page : window->tab().pages()) {
      if (page->isVisible()) {
        if (shown != nullptr) return nullptr;  // more than one
        shown = page;
      }
    }
    return shown;
  }
  QLineEdit* piano_edit(const char* name) const {
    return test::control<QLineEdit>(window->piano_page(), name);
  }

  test::Seams seams;
  test::RecordingStartDialogs* dialogs = nullptr;
  std::unique_ptr<MainDialog> window;
};

class MainDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setFont(dialog_font(QApplication::font())); }

  void window_is_fixed_with_six_tabs_and_start_first() {
    Window w;
    QCOMPARE(w.window->windowTitle(), QString("Tralva 3.3"));
    QVERIFY(!(w.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
    QStringList labels;
    for (int i = 0; i < w.strip().count(); ++i) labels << w.strip().tabText(i);
    QCOMPARE(labels, (QStringList{"Start", "Calcolo piano", "Calcolo orografico", "Interpolazione",
                                  "Utilità", "Licenza"}));
    QCOMPARE(w.window->tab().current_page(), 0);
    QCOMPARE(w.strip().currentIndex(), 0);
    QCOMPARE(w.visible_page(), &w.window->start_page());
    QVERIFY(!w.window->exit_button().autoDefault());
  }

  void tabs_switch_by_click_and_keyboard() {
    Window w;
    w.click_tab(5);
    QCOMPARE(w.window->tab().current_page(), 5);
    QVERIFY(w.visible_page() != nullptr);
    QVERIFY(w.visible_page()->findChild<QTextBrowser*>() != nullptr);
    w.strip().setFocus();
    QTest::keyClick(&w.strip(), Qt::Key_Left);
    QTest::keyClick(&w.strip(), Qt::Key_Left);
    QTest::keyClick(&w.strip(), Qt::Key_Left);
    QCOMPARE(w.visible_page(), &w.window->orografico_page());
  }

  void values_survive_tab_switches() {
    Window w;
    w.click_tab(1);
    test::type_over(w.piano_edit("Origine X"), "12.75");
    w.click_tab(0);
    w.click_tab(1);
    QCOMPARE(w.piano_edit("Origine X")->text(), QString("12.75"));
    // Also stored, not just left in the edit: picking a file re-shows it.
    w.seams.files.answers = {std::string("/a.tlva")};
    QTest::mouseClick(test::button(w.window->piano_page(), "Apri il file di dati"), Qt::LeftButton);
    QCOMPARE(w.piano_edit("Origine X")->text(), QString("12.75"));
  }

  void enter_and_escape_inside_a_page_close_nothing() {
    Window w;
    QSignalSpy finished(w.window.get(), &QDialog::finished);
    w.click_tab(1);
    QLineEdit* edit = w.piano_edit("Buffer [m]");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(w.window->isVisible());
    QVERIFY(w.visible_page() == &w.window->piano_page());
    QCOMPARE(finished.count(), 0);
    QVERIFY(w.seams.messenger.shown.empty());
    QVERIFY(w.dialogs->opened.empty());
  }

  void after_a_click_on_a_tab_the_keys_belong_to_the_page() {
    Window w;
    w.click_tab(1);
    QVERIFY(w.window->piano_page().isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(w.window->isVisible());
    w.click_tab(0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.dialogs->opened, std::vector<std::string>{"ins_3_1_a"});
  }

  void tab_key_goes_from_the_strip_through_the_page_to_the_exit() {
    Window w;
    w.strip().setFocus();
    QTest::keyClick(&w.strip(), Qt::Key_Tab);
    QVERIFY(w.window->start_page().isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), &w.strip());
    QTest::keyClick(&w.strip(), Qt::Key_Backtab);  // round to the end of the chain
    QCOMPARE(QApplication::focusWidget(), &w.window->exit_button());
  }

  void enter_on_start_presses_insert_edit() {
    Window w;
    auto* spans = test::control<QComboBox>(w.window->start_page(), "Numero di campate");
    spans->setFocus();
    QTest::keyClick(spans, Qt::Key_Return);
    QCOMPARE(w.dialogs->opened, std::vector<std::string>{"ins_3_1_a"});
    QVERIFY(w.window->isVisible());
  }

  void escape_on_the_tab_strip_closes_the_window() {
    Window w;
    w.strip().setFocus();
    QTest::keyClick(&w.strip(), Qt::Key_Escape);
    QVERIFY(!w.window->isVisible());
    QCOMPARE(w.window->result(), int(QDialog::Rejected));
  }

  void enter_on_the_tab_strip_closes_the_window() {
    Window w;
    w.strip().setFocus();
    QTest::keyClick(&w.strip(), Qt::Key_Return);
    QVERIFY(!w.window->isVisible());
  }

  void close_box_closes_without_asking() {
    Window w;
    w.click_tab(1);
    test::type_over(w.piano_edit("Origine X"), "5");
    QVERIFY(w.window->close());
    QVERIFY(w.seams.messenger.shown.empty());
  }

  void exit_button_ends_the_process_with_status_zero() {
    Window w;
    w.click_tab(1);
    test::type_over(w.piano_edit("Origine X"), "5");
    std::fflush(nullptr);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      w.window->exit_button().click();
      _exit(3);  // not reached when the button ends the process
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
  }

  void every_input_carries_a_name_unique_on_its_page() {
    Window w;
    QAccessible::setActive(true);
    int inputs = 0;
    for (QWidget* page : w.window->tab().pages()) {
      std::set<QString> names;
      QList<QWidget*> controls;
      for (auto* c : page->findChildren<QLineEdit*>()) controls << c;
      for (auto* c : page->findChildren<QComboBox*>()) controls << c;
      for (auto* c : page->findChildren<QCheckBox*>()) controls << c;
      for (QWidget* control : controls) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        QVERIFY(face != nullptr);
        const QString name = control->objectName();
        QVERIFY2(!name.isEmpty(), qPrintable(control->metaObject()->className()));
        QVERIFY2(names.insert(name).second, qPrintable(name));
        // Screen readers get the name itself or, for lists on Linux (whose
        // name is the selected item), the label that labels them.
        bool named = face->text(QAccessible::Name) == name;
        for (const auto& [label, relation] : face->relations(QAccessible::Label)) {
          named = named || name.startsWith(label->text(QAccessible::Name));
        }
        QVERIFY2(named, qPrintable(name));
        ++inputs;
      }
    }
    // 3 lists on Start; 12 edits and a list on the plane page; 7 edits, a
    // list and a box on the terrain page; 11 edits and 2 lists on
    // "Interpolazione"; 8 edits and 4 lists on "Utilità".
    QCOMPARE(inputs, 3 + 13 + 9 + 13 + 12);
    QVERIFY(w.strip().focusPolicy() & Qt::TabFocus);
    for (QPushButton* button : w.window->findChildren<QPushButton*>()) {
      QVERIFY(button->focusPolicy() & Qt::TabFocus);
      QVERIFY(!QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty());
    }
    QAccessible::setActive(false);
  }

  void each_idle_calculation_button_names_the_command_that_runs_it() {
    Window w;
    std::map<QString, QString> commands;
    for (QPushButton* button : w.window->findChildren<QPushButton*>()) {
      if (button->text() != "Esegui il calcolo") continue;
      commands[button->parentWidget()->metaObject()->className()] = button->toolTip();
    }
    QCOMPARE(commands.size(), std::size_t{3});
    QVERIFY(commands["tralva::piano"].contains("«tralva-util campo PROGETTO --piano"));
    QVERIFY(commands["tralva::orografico"].contains("--passo-z DZ --passi-z NZ --massimo"));
    QVERIFY(commands["tralva::interpolazione"].contains("«tralva-util interpola BASE"));
    QVERIFY(commands["tralva::interpolazione"].contains("«Uno studio sul terreno»"));
  }

  // "Interpolazione" and "Utilità" hold their many controls whole and apart.
  void utility_pages_keep_their_controls_whole_and_apart() {
    Window w;
    for (const int tab : {3, 4}) {
      w.click_tab(tab);
      test::check_form_layout(*w.visible_page());
      if (QTest::currentTestFailed()) return;
    }
  }

  void licence_page_shows_the_agreement() {
    Window w;
    w.click_tab(5);
    QWidget* page = w.visible_page();
    QCOMPARE(page->findChild<QGroupBox*>()->title(), QString("Contratto di licenza"));
    const QString text = page->findChild<QTextBrowser*>()->toPlainText();
    QVERIFY(text.contains("Termini del contratto di licenza"));
    QVERIFY(text.contains("Esonero di responsabilità"));
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::MainDialogTest)
#include "main_dialog_test.moc"
