// What the Start page opens in the program: a project file made ready to
// open shows where every dialog asks for a file to read, and nothing is read
// until the user asks.

#include "app/start_page_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "gui_support.h"
#include "project/project_file.h"
#include "test_support.h"
#include "texts/file_types.h"

namespace tralva {
namespace {

const DataEntryChoice k3x2Overhead{LineKind::overhead, 3, 2};

class StartPageDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void a_project_to_open_is_every_load_path_and_the_viewers_path() {
    test::Seams seams;
    StartPageDialogs dialogs(seams.context());
    dialogs.data_entry(k3x2Overhead)->save_path = "/dati/copia.tlva";
    dialogs.set_project_to_open("/dati/linea.tlva");
    for (const DataEntryChoice& choice : data_entry_choices()) {
      const DataEntry& entry = *dialogs.data_entry(choice);
      QCOMPARE(entry.load_path, std::string("/dati/linea.tlva"));
      if (choice != k3x2Overhead) QCOMPARE(entry.save_path, std::string());
    }
    QCOMPARE(dialogs.data_entry(k3x2Overhead)->save_path, std::string("/dati/copia.tlva"));
    QCOMPARE(dialogs.configuration_view().data_path, std::string("/dati/linea.tlva"));
  }

  void the_windows_show_it_and_read_it_only_when_asked() {
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/start_page_dialogs_test-XXXXXX"));
    const std::string path = dir.filePath(QStringLiteral("linea.tlva")).toStdString();
    PowerLine line = make_power_line(3, 3);
    line.current = 870.5F;
    line.segment_length = 30;
    test::write_file(path, single_line_text(LineKind::overhead, line));
    test::Seams seams;
    StartPageDialogs dialogs(seams.context());
    dialogs.set_project_to_open(path);
    DataEntry& entry = *dialogs.data_entry(k3x2Overhead);

    DataEntryDialog form(entry, seams.context());
    const auto edit = [&](const QWidget& window, const char* name) {
      return test::control<QLineEdit>(window, name)->text().toStdString();
    };
    QCOMPARE(edit(form, "Seleziona il file di dati (percorso)"), path);
    QCOMPARE(edit(form, "Salva il file di dati (percorso)"), std::string());
    QCOMPARE(edit(form, "Corrente [A]"), std::string("0"));
    QTest::mouseClick(test::button(form, "Carica il file"), Qt::LeftButton);
    QCOMPARE(edit(form, "Corrente [A]"), std::string("870.5"));

    paletta viewer(dialogs.configuration_view(), seams.context());
    QCOMPARE(edit(viewer, "Apri il file di dati (percorso)"), path);
    QVERIFY(seams.messenger.shown.empty());
  }

  // Pickers start where the project is, whether their edit shows it (the
  // open pickers) or is empty ("Salva il file di dati"), until the user
  // chooses a file elsewhere; a picker's own path still comes first.
  void pickers_start_in_the_folder_of_the_project_to_open() {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "progetti");
    std::filesystem::create_directories(dir.path() / "altrove");
    test::write_file(dir.file("altrove/altro.tlva"), "");
    const QString projects = QString::fromStdString(dir.file("progetti"));
    const QString elsewhere = QString::fromStdString(dir.file("altrove"));
    DesktopSeams seams;
    StartPageDialogs dialogs(seams.context());
    dialogs.set_project_to_open(dir.file("progetti/linea.tlva"));
    DataEntryDialog form(*dialogs.data_entry(k3x2Overhead), seams.context());
    const auto start_of_picker = [&form](const char* button) {
      QString folder;
      const test::WhenModal look([&folder](QDialog& picker) {
        folder = qobject_cast<QFileDialog*>(&picker)->directory().absolutePath();
      });
      QTest::mouseClick(test::button(form, button), Qt::LeftButton);
      return folder;
    };
    QCOMPARE(start_of_picker("Salva il file di dati"), projects);
    QCOMPARE(start_of_picker("Seleziona il file di dati"), projects);

    const test::WhenModal choose([&](QDialog& picker) {
      auto& files = *qobject_cast<QFileDialog*>(&picker);
      files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
          ->setText(QString::fromStdString(dir.file("altrove/altro.tlva")));
      QMetaObject::invokeMethod(&files, "accept");
    });
    QCOMPARE(seams.files.open_file(file_request(file_type::kProject)),
             std::optional<std::string>(dir.file("altrove/altro.tlva")));
    QCOMPARE(start_of_picker("Salva il file di dati"), elsewhere);
    QCOMPARE(start_of_picker("Seleziona il file di dati"), projects);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::StartPageDialogsTest)
#include "start_page_dialogs_test.moc"
