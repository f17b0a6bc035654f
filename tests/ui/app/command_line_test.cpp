// `tralva [FILE.tlva]`: which argument makes a project ready to open, and
// what the user is told about the others.

#include "app/command_line.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace tralva {
namespace {

const char kUsage[] = "\nUso: tralva [FILE.tlva]";

// A scratch folder beside the test, made the working folder for its life.
struct Folder {
  Folder() : dir(QDir::currentPath() + QStringLiteral("/command_line_test-XXXXXX")) {
    QDir::setCurrent(dir.path());
  }
  ~Folder() { QDir::setCurrent(previous); }
  QString file(const QString& name) const {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    return dir.filePath(name);
  }

  QString previous = QDir::currentPath();
  QTemporaryDir dir;
};

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void no_argument_opens_nothing_and_says_nothing() {
    const CommandLine line = read_command_line({});
    QVERIFY(!line.project_path);
    QCOMPARE(line.notice, std::string());
  }

  void a_file_is_ready_by_its_absolute_path() {
    Folder folder;
    QDir().mkdir(QStringLiteral("sub"));
    const QString project = folder.file(QStringLiteral("linea.tlva"));
    for (const QString& argument :
         {QStringLiteral("linea.tlva"), QStringLiteral("./sub/../linea.tlva"), project}) {
      const CommandLine line = read_command_line({argument});
      QCOMPARE(line.project_path.value_or("none"), project.toStdString());
      QCOMPARE(line.notice, std::string());
    }
  }

  // Whether it holds a project is for "Carica il file" to say.
  void any_file_is_ready_whatever_its_name() {
    Folder folder;
    const QString other = folder.file(QStringLiteral("appunti.txt"));
    QCOMPARE(read_command_line({other}).project_path.value_or("none"), other.toStdString());
  }

  void a_missing_file_is_reported_and_nothing_is_ready() {
    Folder folder;
    const CommandLine line = read_command_line({QStringLiteral("manca.tlva")});
    QVERIFY(!line.project_path);
    QCOMPARE(
        QString::fromStdString(line.notice),
        QString("tralva: il file «manca.tlva» non esiste; Tralva si avvia senza file.") + kUsage);
  }

  void a_folder_is_not_a_file() {
    Folder folder;
    const CommandLine line = read_command_line({folder.dir.path()});
    QVERIFY(!line.project_path);
    QCOMPARE(
        QString::fromStdString(line.notice),
        QString("tralva: «%1» non è un file; Tralva si avvia senza file.").arg(folder.dir.path()) +
            kUsage);
  }

  void several_files_make_none_ready() {
    Folder folder;
    const CommandLine line = read_command_line(
        {folder.file(QStringLiteral("a.tlva")), folder.file(QStringLiteral("b.tlva"))});
    QVERIFY(!line.project_path);
    QCOMPARE(QString::fromStdString(line.notice),
             QString("tralva: si apre un solo file alla volta (ne sono stati indicati 2); "
                     "Tralva si avvia senza file.") +
                 kUsage);
  }

  void an_option_is_unknown() {
    const CommandLine line = read_command_line({QStringLiteral("--help")});
    QVERIFY(!line.project_path);
    QCOMPARE(QString::fromStdString(line.notice),
             QString("tralva: opzione sconosciuta «--help»; Tralva si avvia senza file.") + kUsage);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::CommandLineTest)
#include "command_line_test.moc"
