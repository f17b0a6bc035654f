// The form host: the Enter rule every page and dialog shares, and the file
// command it wires.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cerrno>

#include "forms/form_dialog.h"
#include "gui_support.h"
#include "pages/page.h"
#include "texts/file_types.h"

namespace tralva {
namespace {

// A dialog with an edit, two buttons and a counter of what Enter did.
class TwoButtons final : public FormDialog {
 public:
  explicit TwoButtons(FormContext context) : FormDialog("Prova", context, nullptr) {
    edit = form().layout().labelled_edit("Valore", 5, {40, 5, 40, 12});
    first = form().layout().button("Primo", {5, 25, 40, 14});
    second = form().layout().button("Secondo", {50, 25, 40, 14});
    connect(first, &QPushButton::clicked, this, [this] { ++first_presses; });
    connect(second, &QPushButton::clicked, this, [this] { ++second_presses; });
  }
  Form& host() { return form(); }

  QLineEdit* edit;
  QPushButton* first;
  QPushButton* second;
  int first_presses = 0;
  int second_presses = 0;
};

class FormTest : public QObject {
  Q_OBJECT

 private slots:
  void enter_presses_the_focused_button_else_nothing() {
    test::Seams seams;
    TwoButtons dialog(seams.context());
    dialog.show();
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.second->setFocus();
    QTest::keyClick(dialog.second, Qt::Key_Return);
    QCOMPARE(dialog.second_presses, 1);
    dialog.edit->setFocus();
    QTest::keyClick(dialog.edit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(dialog.first_presses + dialog.second_presses, 1);
    QCOMPARE(finished.count(), 0);
    QVERIFY(dialog.isVisible());
    // Escape is the dialog's own: it closes.
    QTest::keyClick(dialog.edit, Qt::Key_Escape);
    QCOMPARE(finished.count(), 1);
  }

  void enter_runs_the_default_button_or_the_ok_command() {
    test::Seams seams;
    TwoButtons dialog(seams.context());
    dialog.show();
    dialog.host().set_default_button(dialog.first);
    QVERIFY(dialog.first->isDefault());
    dialog.edit->setFocus();
    QTest::keyClick(dialog.edit, Qt::Key_Return);
    QCOMPARE(dialog.first_presses, 1);
    // A focused button still wins over the default one.
    dialog.second->setFocus();
    QTest::keyClick(dialog.second, Qt::Key_Return);
    QCOMPARE(dialog.first_presses, 1);
    QCOMPARE(dialog.second_presses, 1);
    // A disabled default button is not pressed.
    dialog.first->setEnabled(false);
    dialog.edit->setFocus();
    QTest::keyClick(dialog.edit, Qt::Key_Return);
    QCOMPARE(dialog.first_presses, 1);

    int ok = 0;
    dialog.host().set_ok_command([&ok] { ++ok; });
    QTest::keyClick(dialog.edit, Qt::Key_Return);
    QCOMPARE(ok, 1);
  }

  void a_page_keeps_enter_and_escape_to_itself() {
    test::Seams seams;
    QWidget window;
    Page page(seams.context(), &window);
    page.show();
    window.show();
    int keys_reaching_the_window = 0;
    struct Counter final : QObject {
      int& count;
      explicit Counter(int& c) : count(c) {}
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) ++count;
        return false;
      }
    } counter(keys_reaching_the_window);
    window.installEventFilter(&counter);
    QTest::keyClick(&page, Qt::Key_Return);
    QTest::keyClick(&page, Qt::Key_Escape);
    QVERIFY(page.isVisible());
    QCOMPARE(keys_reaching_the_window, 0);
  }

  void labelled_edit_is_named_after_its_label_and_level_with_it() {
    test::Seams seams;
    TwoButtons dialog(seams.context());
    QCOMPARE(dialog.edit->objectName(), QString("Valore"));
    QCOMPARE(dialog.edit->accessibleName(), QString("Valore"));
    QLabel* label = nullptr;
    for (QLabel* candidate : dialog.findChildren<QLabel*>()) {
      if (candidate->text() == "Valore") label = candidate;
    }
    QVERIFY(label);
    QCOMPARE(label->buddy(), dialog.edit);
    QVERIFY(qAbs(label->geometry().center().y() - dialog.edit->geometry().center().y()) <= 1);
    QVERIFY(label->geometry().right() < dialog.edit->geometry().left());
    QLineEdit* digits = dialog.host().layout().labelled_edit("Passi", 5, {40, 50, 40, 12},
                                                             EditKind::digits, "Passi lungo X");
    QCOMPARE(digits->objectName(), QString("Passi lungo X"));
    QVERIFY(digits->validator() != nullptr);
  }

  void file_row_picks_into_its_path_and_writes_the_form() {
    test::Seams seams;
    TwoButtons dialog(seams.context());
    std::string path = "vecchio.txt";
    float value = 1.5f;
    const FileRow row =
        dialog.host().file_row(":/icons/open.svg", "Apri il file", {5, {5, 60, 60, 14}, 70, 60},
                               PickMode::open, FileType{"Testo (*.txt)|*.txt|", "txt"}, path);
    QCOMPARE(row.path->objectName(), QString("Apri il file (percorso)"));
    dialog.host().exchange().bind(path, row.path).bind(value, dialog.edit);
    dialog.host().exchange().write_form();

    seams.files.answers = {std::nullopt, std::string("/dati/nuovo.txt")};
    QTest::mouseClick(row.button, Qt::LeftButton);
    QCOMPARE(path, std::string("vecchio.txt"));  // cancelled: nothing changes
    dialog.edit->setText("2.5abc");
    QTest::mouseClick(row.button, Qt::LeftButton);
    QCOMPARE(path, std::string("/dati/nuovo.txt"));
    QCOMPARE(row.path->text(), QString("/dati/nuovo.txt"));
    QCOMPARE(dialog.edit->text(), QString("2.5"));  // the form is written again
    QCOMPARE(seams.files.picks.size(), std::size_t{2});
    QCOMPARE(seams.files.picks[0].mode, PickMode::open);
    QCOMPARE(seams.files.picks[0].request.initial_name, std::string("*.txt"));
  }

  // The desktop program shows its own texts: the system's cause that an
  // error carries for the command-line tool stays out of the box.
  void messages_are_shown_without_their_system_cause() {
    test::Seams seams;
    TwoButtons dialog(seams.context());
    dialog.host().messenger().show(error_message("Impossibile creare il file.", ENOSPC));
    dialog.host().messenger().show(information_message("Fatto."));
    QCOMPARE(seams.messenger.shown,
             (std::vector<Message>{error_message("Impossibile creare il file."),
                                   information_message("Fatto.")}));
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::FormTest)
#include "form_test.moc"
