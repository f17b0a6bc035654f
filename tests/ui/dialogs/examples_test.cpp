// The example projects of examples/ are what the data-entry dialogs write
// when a user types the example lines into them: each is typed here into its
// dialog, written with "Scrivi il file" and compared byte for byte.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <utility>
#include <vector>

#include "dialogs/data_entry_dialog.h"
#include "gui_support.h"
#include "test_support.h"

namespace tralva {
namespace {

using Typed = std::vector<std::pair<const char*, const char*>>;

// The overhead example: three conductors in a triangle over two spans of
// about 350 m, the middle pylon off the straight line and on a rise; levels
// from the local ground, so that a plane at quota 1 is 1 m above it.
const Typed kOverheadLine = {
    {"Corrente [A]", "650"},
    {"Segmento [m]", "10"},
    {"X [m] traliccio 1", "0"},
    {"Y [m] traliccio 1", "0"},
    {"Quota [m] traliccio 1", "0"},
    {"X [m] traliccio 2", "350"},
    {"Y [m] traliccio 2", "40"},
    {"Quota [m] traliccio 2", "2.5"},
    {"X [m] traliccio 3", "700"},
    {"Y [m] traliccio 3", "0"},
    {"Quota [m] traliccio 3", "0"},
    {"Altezza [m] conduttore 1 traliccio 1", "24"},
    {"Sbraccio [m] conduttore 1 traliccio 1", "-5"},
    {"Altezza [m] conduttore 2 traliccio 1", "24"},
    {"Sbraccio [m] conduttore 2 traliccio 1", "5"},
    {"Altezza [m] conduttore 3 traliccio 1", "30"},
    {"Sbraccio [m] conduttore 3 traliccio 1", "3.5"},
    {"Altezza [m] conduttore 1 traliccio 2", "24"},
    {"Sbraccio [m] conduttore 1 traliccio 2", "-5"},
    {"Altezza [m] conduttore 2 traliccio 2", "24"},
    {"Sbraccio [m] conduttore 2 traliccio 2", "5"},
    {"Altezza [m] conduttore 3 traliccio 2", "30"},
    {"Sbraccio [m] conduttore 3 traliccio 2", "3.5"},
    {"Altezza [m] conduttore 1 traliccio 3", "24"},
    {"Sbraccio [m] conduttore 1 traliccio 3", "-5"},
    {"Altezza [m] conduttore 2 traliccio 3", "24"},
    {"Sbraccio [m] conduttore 2 traliccio 3", "5"},
    {"Altezza [m] conduttore 3 traliccio 3", "30"},
    {"Sbraccio [m] conduttore 3 traliccio 3", "3.5"},
    {"a [m] conduttore 1 campata 1", "1400"},
    {"a [m] conduttore 2 campata 1", "1400"},
    {"a [m] conduttore 3 campata 1", "1400"},
    {"a [m] conduttore 1 campata 2", "1400"},
    {"a [m] conduttore 2 campata 2", "1400"},
    {"a [m] conduttore 3 campata 2", "1400"},
};

// The cable example: the same circuit continued underground from the last
// pylon, three cables side by side 1.5 m deep, turning at the second vertex.
const Typed kCableRun = {
    {"Corrente [A]", "650"},
    {"X [m] vertice 1", "720"},
    {"Y [m] vertice 1", "0"},
    {"Quota [m] vertice 1", "0"},
    {"X [m] vertice 2", "900"},
    {"Y [m] vertice 2", "0"},
    {"Quota [m] vertice 2", "0"},
    {"X [m] vertice 3", "980"},
    {"Y [m] vertice 3", "110"},
    {"Quota [m] vertice 3", "-0.5"},
    {"Altezza [m] conduttore 1 vertice 1", "-1.5"},
    {"Sbraccio [m] conduttore 1 vertice 1", "-0.25"},
    {"Altezza [m] conduttore 2 vertice 1", "-1.5"},
    {"Sbraccio [m] conduttore 2 vertice 1", "0"},
    {"Altezza [m] conduttore 3 vertice 1", "-1.5"},
    {"Sbraccio [m] conduttore 3 vertice 1", "0.25"},
    {"Altezza [m] conduttore 1 vertice 2", "-1.5"},
    {"Sbraccio [m] conduttore 1 vertice 2", "-0.25"},
    {"Altezza [m] conduttore 2 vertice 2", "-1.5"},
    {"Sbraccio [m] conduttore 2 vertice 2", "0"},
    {"Altezza [m] conduttore 3 vertice 2", "-1.5"},
    {"Sbraccio [m] conduttore 3 vertice 2", "0.25"},
    {"Altezza [m] conduttore 1 vertice 3", "-1.5"},
    {"Sbraccio [m] conduttore 1 vertice 3", "-0.25"},
    {"Altezza [m] conduttore 2 vertice 3", "-1.5"},
    {"Sbraccio [m] conduttore 2 vertice 3", "0"},
    {"Altezza [m] conduttore 3 vertice 3", "-1.5"},
    {"Sbraccio [m] conduttore 3 vertice 3", "0.25"},
};

// Types `typed` into a fresh dialog of `choice`, computes the angles of an
// overhead line as its user would, and writes the file; returns its bytes.
std::string written_by_the_dialog(const DataEntryChoice& choice, const Typed& typed,
                                  const std::string& path) {
  test::Seams seams;
  DataEntry entry(choice);
  DataEntryDialog dialog(entry, seams.context());
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  for (const auto& [name, text] : typed) {
    QLineEdit* edit = test::control<QLineEdit>(dialog, QString::fromUtf8(name));
    if (edit == nullptr) {
      QTest::qFail(name, __FILE__, __LINE__);
      return {};
    }
    // A lone minus sign is no number and would bring the prompt: the
    // digits first, then the sign in front of them.
    const QString value = QString::fromUtf8(text);
    const bool negative = value.startsWith(u'-');
    test::type_over(edit, negative ? value.mid(1) : value);
    if (negative) {
      QTest::keyClick(edit, Qt::Key_Home);
      QTest::keyClicks(edit, QStringLiteral("-"));
    }
  }
  if (choice.kind == LineKind::overhead) {
    QTest::mouseClick(test::button(dialog, "Calcola gli angoli"), Qt::LeftButton);
  }
  seams.files.answers = {path};
  QTest::mouseClick(test::button(dialog, "Salva il file di dati"), Qt::LeftButton);
  QTest::mouseClick(test::button(dialog, "Scrivi il file"), Qt::LeftButton);
  if (!seams.messenger.shown.empty()) {
    QTest::qFail(seams.messenger.shown[0].text.c_str(), __FILE__, __LINE__);
  }
  return test::read_file(path);
}

// The dialog's file, kept under the build folder when it differs from the
// example, so that a changed writer shows what it writes now.
void compare_with_example(const DataEntryChoice& choice, const Typed& typed,
                          const std::string& example) {
  const std::filesystem::path made = std::filesystem::current_path() / "examples-made";
  std::filesystem::create_directories(made);
  const std::string path = (made / example).string();
  const std::string written = written_by_the_dialog(choice, typed, path);
  const std::string expected = test::read_file(std::string(TRALVA_EXAMPLES_DIR) + "/" + example);
  QVERIFY2(!expected.empty(), example.c_str());
  QVERIFY2(written == expected, ("the dialog wrote " + path + ", not examples/" + example).c_str());
  std::filesystem::remove(path);
}

class ExamplesTest : public QObject {
  Q_OBJECT

 private slots:
  void the_overhead_example_is_what_ins_3_2_a_writes() {
    compare_with_example({LineKind::overhead, 3, 2}, kOverheadLine, "linea-aerea.tlva");
  }

  void the_cable_example_is_what_ins_3_2_int_writes() {
    compare_with_example({LineKind::underground, 3, 2}, kCableRun, "cavo-interrato.tlva");
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::ExamplesTest)
#include "examples_test.moc"
