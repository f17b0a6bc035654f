// The form exchange: display formats, the reading rule, the prompt with its
// focus and partial update, and what counts as a change.

#include "forms/form_exchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "forms/reading_note.h"
#include "gui_support.h"

namespace tralva {
namespace {

// A form with one control of each kind, bound in this order.
struct TestForm {
  explicit TestForm(Messenger& messenger) : exchange(messenger) {
    list->addItems({"m", "dm", "cm", "mm"});
    kinds->addItems({"Aerea", "Interrata"});
    exchange.bind(text, list, "Precisione")
        .bind(index, kinds, "Tipo")
        .bind(real, real_edit, "Reale")
        .bind(single, single_edit, "Singolo")
        .bind(whole, whole_edit, "Intero")
        .bind(path, path_edit, "Percorso")
        .bind(hours, hours_text, "Ore")
        .bind(letter, letter_text, "Lettera")
        .bind(box, check, "Casella");
    exchange.write_form();
    window.show();
    QApplication::setActiveWindow(&window);
  }

  QWidget window;
  QComboBox* list = new QComboBox(&window);
  QComboBox* kinds = new QComboBox(&window);
  QLineEdit* real_edit = new QLineEdit(&window);
  QLineEdit* single_edit = new QLineEdit(&window);
  QLineEdit* whole_edit = new QLineEdit(&window);
  QLineEdit* path_edit = new QLineEdit(&window);
  QLabel* hours_text = new QLabel(&window);
  QLabel* letter_text = new QLabel(&window);
  QCheckBox* check = new QCheckBox(&window);

  std::string text = "cm";
  int index = 1;
  double real = 0.1;
  float single = 0.1f;
  std::int32_t whole = -7;
  std::string path = "/tmp/a b.tlva";
  std::int32_t hours = 3;
  std::string letter = "Z";
  int box = 1;
  FormExchange exchange;
};

class FormExchangeTest : public QObject {
  Q_OBJECT

 private slots:
  void write_shows_each_field_in_its_format() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    QCOMPARE(form.list->currentText(), QString("cm"));
    QCOMPARE(form.kinds->currentIndex(), 1);
    QCOMPARE(form.real_edit->text(), QString("0.1"));
    // A float shows 6 digits, a double 15: the float's own 0.1 is not 0.1.
    form.real = static_cast<double>(0.1f);
    form.single = 123456789.0f;
    form.whole = 2147483647;
    form.exchange.write_form();
    QCOMPARE(form.real_edit->text(), QString("0.100000001490116"));
    QCOMPARE(form.single_edit->text(), QString("1.23457e+08"));
    QCOMPARE(form.whole_edit->text(), QString("2147483647"));
    QCOMPARE(form.path_edit->text(), QString("/tmp/a b.tlva"));
    QCOMPARE(form.hours_text->text(), QString("3"));
    QCOMPARE(form.letter_text->text(), QString("Z"));
    QVERIFY(form.check->isChecked());
    QVERIFY(messenger.shown.empty());
    // A static text is read back as it stands.
    form.letter = 'X';
    QVERIFY(form.exchange.read_form());
    QCOMPARE(form.letter, std::string("Z"));
  }

  void binding_names_the_control_for_tests_and_screen_readers() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    QCOMPARE(form.real_edit->objectName(), QString("Reale"));
    QCOMPARE(form.real_edit->accessibleName(), QString("Reale"));
    QCOMPARE(form.list->accessibleName(), QString("Precisione"));
    QCOMPARE(form.check->accessibleName(), QString("Casella"));
    // A static keeps its number as what is read out.
    QCOMPARE(form.hours_text->objectName(), QString("Ore"));
    QVERIFY(form.hours_text->accessibleName().isEmpty());
    QCOMPARE(form.letter_text->accessibleDescription(), QString("Lettera"));
    QVERIFY(form.letter_text->accessibleName().isEmpty());
  }

  void typing_reads_the_longest_number_and_ignores_the_rest() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    form.real_edit->setText("  2.5abc");
    QCOMPARE(form.real, 2.5);
    test::type_over(form.single_edit, "1,5");
    QCOMPARE(form.single, 1.0f);
    form.real_edit->setText("-3e2x");
    QCOMPARE(form.real, -300.0);
    test::type_over(form.whole_edit, "42.9");
    QCOMPARE(form.whole, 42);
    test::type_over(form.path_edit, " kept as typed ");
    QCOMPARE(form.path, std::string(" kept as typed "));
    QVERIFY(messenger.shown.empty());
    // The edits keep what was typed until the form is written again.
    QCOMPARE(form.real_edit->text(), QString("-3e2x"));
    form.exchange.write_form();
    QCOMPARE(form.real_edit->text(), QString("-300"));
  }

  void an_edit_shows_what_was_read_when_its_text_is_more_than_the_number() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    form.single_edit->setToolTip("Passo della griglia");
    test::type_over(form.single_edit, "12,5");
    QCOMPARE(form.single, 12.0f);  // the rule is unchanged
    QVERIFY(messenger.shown.empty());
    const QString note = "Letto come 12: il separatore decimale è il punto.";
    QCOMPARE(reading_note(*form.single_edit), note);
    QCOMPARE(form.single_edit->toolTip(), note);
    QCOMPARE(form.single_edit->accessibleDescription(), note);
    QCOMPARE(form.single_edit->text(), QString("12,5"));

    // A wholly read number clears it, and the edit's own tooltip returns.
    test::type_over(form.single_edit, "12.5");
    QCOMPARE(form.single, 12.5f);
    QVERIFY(reading_note(*form.single_edit).isEmpty());
    QCOMPARE(form.single_edit->toolTip(), QString("Passo della griglia"));

    // Showing the values writes the number itself: nothing left to say.
    test::type_over(form.real_edit, "30x");
    QCOMPARE(reading_note(*form.real_edit),
             QString("Letto come 30: il testo dopo il numero è ignorato."));
    form.exchange.write_form();
    QVERIFY(reading_note(*form.real_edit).isEmpty());
    // No number at all is the prompt's business, not the note's.
    form.real_edit->setText("abc");
    QCOMPARE(messenger.shown.size(), std::size_t{1});
    QVERIFY(reading_note(*form.real_edit).isEmpty());
  }

  void unreadable_field_prompts_focuses_and_stops_reading() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    // Put a later field out of step with its control, then break an earlier one.
    form.single_edit->setFocus();
    QTest::keyClick(form.single_edit, Qt::Key_End);
    QTest::keyClicks(form.single_edit, "5");  // "0.15"
    QCOMPARE(form.single, 0.15f);
    messenger.shown.clear();

    {
      const QSignalBlocker quiet(form.whole_edit);
      form.whole_edit->setText("17");  // a later field, not yet read
    }
    form.real_edit->setText("x");  // read: the prompt
    QCOMPARE(messenger.shown.size(), std::size_t{1});
    QCOMPARE(test::warning_text(messenger.shown[0]), QString("Please enter a number."));
    QCOMPARE(form.real, 0.1);                // kept its value
    QCOMPARE(form.whole, -7);                // later fields too
    QCOMPARE(form.text, std::string("cm"));  // earlier ones were read
    QCOMPARE(QApplication::focusWidget(), form.real_edit);
    QCOMPARE(form.real_edit->selectedText(), QString("x"));
  }

  void first_unreadable_field_wins_even_when_a_later_one_changes() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    test::clear_by_keys(form.real_edit);
    QCOMPARE(messenger.shown.size(), std::size_t{1});
    test::type_over(form.single_edit, "9");
    QCOMPARE(messenger.shown.size(), std::size_t{2});
    QCOMPARE(test::warning_text(messenger.shown[1]), QString("Please enter a number."));
    QCOMPARE(form.single, 0.1f);
    QCOMPARE(QApplication::focusWidget(), form.real_edit);
  }

  // Infinity is a number to no file: a value beyond the range of the
  // field's type is as unreadable as no number at all.
  void numbers_beyond_their_type_prompt() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    for (const char* text : {"1e400", "-1e309"}) {
      messenger.shown.clear();
      form.real_edit->setText(text);
      QCOMPARE(messenger.shown.size(), std::size_t{1});
      QCOMPARE(test::warning_text(messenger.shown[0]), QString("Please enter a number."));
      QCOMPARE(form.real, 0.1);
    }
    form.real_edit->setText("1e39");  // a double holds it, a float does not
    QCOMPARE(form.real, 1e39);
    messenger.shown.clear();
    form.single_edit->setText("1e39");
    QCOMPARE(messenger.shown.size(), std::size_t{1});
    QCOMPARE(form.single, 0.1f);
    form.single_edit->setText("3.4e38");
    QCOMPARE(form.single, 3.4e38f);
  }

  void integer_fields_have_their_own_prompt_and_range() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    for (const char* text : {"", "-", "+", "abc", "2147483648", "-2147483649"}) {
      messenger.shown.clear();
      form.whole_edit->setText(text);
      QCOMPARE(messenger.shown.size(), std::size_t{1});
      QCOMPARE(test::warning_text(messenger.shown[0]), QString("Please enter an integer."));
      QCOMPARE(form.whole, -7);
    }
    form.whole_edit->setText("-2147483648");
    QCOMPARE(form.whole, INT32_MIN);
  }

  void lone_sign_or_point_is_no_number() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    for (const char* text : {"-", "+", ".", " ", "e"}) {
      messenger.shown.clear();
      test::type_over(form.real_edit, text);
      QCOMPARE(messenger.shown.size(), std::size_t{1});
      QCOMPARE(form.real, 0.1);
    }
  }

  void typing_a_sign_first_prompts_and_the_next_key_replaces_it() {
    // Every keystroke reads the form, so a lone "-" is already unreadable:
    // the prompt selects it and the digit typed next replaces it.
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    test::type_over(form.real_edit, "-3");
    QCOMPARE(messenger.shown.size(), std::size_t{1});
    QCOMPARE(form.real_edit->text(), QString("3"));
    QCOMPARE(form.real, 3.0);
  }

  void writing_is_no_change_and_shows_no_prompt() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    test::type_over(form.real_edit, "x");  // the prompt, once
    messenger.shown.clear();
    // Writing replaces the unreadable text by the last value read, silently.
    form.exchange.write_form();
    QVERIFY(messenger.shown.empty());
    QCOMPARE(form.real_edit->text(), QString("0.1"));
  }

  void list_changes_read_the_form() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    form.list->setCurrentIndex(3);
    QCOMPARE(form.text, std::string("mm"));
    form.kinds->setCurrentIndex(0);
    QCOMPARE(form.index, 0);
  }

  void check_box_flips_then_follows_the_box() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    QTest::mouseClick(form.check, Qt::LeftButton);
    QCOMPARE(form.box, 0);
    QTest::mouseClick(form.check, Qt::LeftButton);
    QCOMPARE(form.box, 1);
    // With an earlier field unreadable the read stops before the box, yet the
    // flip has already made the field follow it.
    form.real_edit->setText("");
    messenger.shown.clear();
    QTest::mouseClick(form.check, Qt::LeftButton);
    QCOMPARE(messenger.shown.size(), std::size_t{1});
    QCOMPARE(form.box, 0);
    QVERIFY(!form.check->isChecked());
  }

  void static_numbers_are_read_back() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    form.hours_text->setText("12");
    QVERIFY(form.exchange.read_form());
    QCOMPARE(form.hours, 12);
  }

  void float_results_show_six_digits_and_come_back_as_shown() {
    test::RecordingMessenger messenger;
    FormExchange exchange(messenger);
    QLabel text;
    float result = 1.23456789f;
    exchange.bind(result, &text, "Fascia [m]");
    exchange.write_form();
    QCOMPARE(text.text(), QString("1.23457"));
    QCOMPARE(text.objectName(), QString("Fascia [m]"));
    QCOMPARE(text.accessibleDescription(), QString("Fascia [m]"));
    QVERIFY(exchange.read_form());
    QVERIFY(result == 1.23457f);  // exactly: QCOMPARE is fuzzy
    QVERIFY(messenger.shown.empty());
  }

  void radio_sets_its_flag_clears_the_other_then_reads_the_form() {
    test::RecordingMessenger messenger;
    TestForm form(messenger);
    auto* first = new QRadioButton("Simmetrica", &form.window);
    auto* second = new QRadioButton("Antisimmetrica", &form.window);
    second->move(0, 40);
    first->show();
    second->show();
    bool symmetric = false;
    bool antisymmetric = false;
    form.exchange.choice(first, symmetric, antisymmetric).choice(second, antisymmetric, symmetric);
    {
      const QSignalBlocker quiet(form.single_edit);
      form.single_edit->setText("2.5");  // typed, not yet read
    }
    QTest::mouseClick(first, Qt::LeftButton);
    QVERIFY(symmetric && !antisymmetric);
    QCOMPARE(form.single, 2.5f);
    QTest::mouseClick(second, Qt::LeftButton);
    QVERIFY(antisymmetric && !symmetric);
    // The flags are not exchanged: writing changes neither them nor the buttons.
    form.exchange.write_form();
    QVERIFY(antisymmetric && second->isChecked());
    // An unreadable field stops the reading, not the choice.
    form.real_edit->setText("");
    messenger.shown.clear();
    QTest::mouseClick(first, Qt::LeftButton);
    QCOMPARE(messenger.shown.size(), std::size_t{1});
    QVERIFY(symmetric && !antisymmetric);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::FormExchangeTest)
#include "form_exchange_test.moc"
