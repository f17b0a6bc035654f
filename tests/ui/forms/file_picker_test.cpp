// The file pickers: the classic filter for Qt, the dialog set-up and the
// form's file command.

#include "forms/file_picker.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

#include "forms/form_exchange.h"
#include "gui_support.h"
#include "test_support.h"
#include "texts/file_types.h"

namespace tralva {
namespace {

class FilePickerTest : public QObject {
  Q_OBJECT

 private slots:
  void classic_filters_become_name_filters() {
    QCOMPARE(name_filters("Dati di Tralva (*.tlva)|*.tlva|"),
             QStringList{"Dati di Tralva (*.tlva)"});
    QCOMPARE(name_filters("Testo (*.txt)|*.txt|Tutti (*.*)|*.*||"),
             (QStringList{"Testo (*.txt)", "Tutti (*.*)"}));
    // A description without its pattern gets it, so Qt can filter.
    QCOMPARE(name_filters("Dati di quota|*.txt|"), QStringList{"Dati di quota (*.txt)"});
    QVERIFY(name_filters("").isEmpty());
  }

  void usual_request_starts_with_the_pattern() {
    const FileRequest request = file_request("Testo per GIS (*.txt)|*.txt|", "txt");
    QCOMPARE(request.initial_name, std::string("*.txt"));
    QCOMPARE(request.default_extension, std::string("txt"));
  }

  void dialogs_are_set_up_for_open_and_save() {
    const FileRequest request = file_request("Dati di Tralva (*.tlva)|*.tlva|", "tlva");
    QFileDialog open;
    configure_file_dialog(open, request, PickMode::open, QDir::tempPath());
    QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(open.nameFilters(), QStringList{"Dati di Tralva (*.tlva)"});
    QCOMPARE(open.defaultSuffix(), QString("tlva"));

    QFileDialog save;
    configure_file_dialog(save, request, PickMode::save, QDir::tempPath());
    QCOMPARE(save.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!save.testOption(QFileDialog::DontConfirmOverwrite));
  }

  // A bare name gets the extension of the kind chosen in the dialog's list,
  // as the user types it there.
  void a_bare_name_gets_the_extension_of_the_kind_chosen() {
    test::TempDir dir;
    QFileDialog dialog;
    configure_file_dialog(dialog, file_request(file_type::kImage), PickMode::save,
                          QString::fromStdString(dir.path().string()));
    dialog.show();
    auto* kinds = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(kinds && name);
    test::type_over(name, "vista");
    QCOMPARE(dialog.selectedFiles(), QStringList{QString::fromStdString(dir.file("vista.png"))});

    kinds->setFocus();
    QTest::keyClick(kinds, Qt::Key_Down);
    QCOMPARE(kinds->currentText(), QString("Disegno SVG (*.svg)"));
    test::type_over(name, "vista");
    QCOMPARE(dialog.selectedFiles(), QStringList{QString::fromStdString(dir.file("vista.svg"))});
    // A name with its own extension keeps it.
    test::type_over(name, "vista.png");
    QCOMPARE(dialog.selectedFiles(), QStringList{QString::fromStdString(dir.file("vista.png"))});

    QTest::keyClick(kinds, Qt::Key_Up);
    test::type_over(name, "vista");
    QCOMPARE(dialog.selectedFiles(), QStringList{QString::fromStdString(dir.file("vista.png"))});
  }

  void picked_path_is_stored_and_the_form_written() {
    test::Seams seams;
    QLineEdit path_edit;
    QLineEdit number_edit;
    std::string path;
    float number = 4;
    FormExchange form(seams.messenger);
    form.bind(path, &path_edit, "Percorso").bind(number, &number_edit, "Numero");
    form.write_form();
    number_edit.setText("2.5abc");
    QCOMPARE(number, 2.5f);

    seams.files.answers = {std::string("/dati/linea.tlva")};
    const FileRequest request = file_request("Dati di Tralva (*.tlva)|*.tlva|", "tlva");
    QVERIFY(pick_file(seams.files, PickMode::save, request, path, form));
    QCOMPARE(path, std::string("/dati/linea.tlva"));
    QCOMPARE(path_edit.text(), QString("/dati/linea.tlva"));
    QCOMPARE(number_edit.text(), QString("2.5"));  // written from the field
    QCOMPARE(seams.files.picks.size(), std::size_t{1});
    QCOMPARE(seams.files.picks[0].mode, PickMode::save);
    QVERIFY(seams.files.picks[0].request.filter == request.filter);
    QCOMPARE(seams.files.picks[0].request.current_path, std::string());

    // Cancel: nothing changes, not even an edit left unwritten.  The next
    // pick is told the path already chosen, to start in its folder.
    number_edit.setText("7x");
    QVERIFY(!pick_file(seams.files, PickMode::open, request, path, form));
    QCOMPARE(path, std::string("/dati/linea.tlva"));
    QCOMPARE(number_edit.text(), QString("7x"));
    QCOMPARE(seams.files.picks[1].request.current_path, std::string("/dati/linea.tlva"));
  }

  void dialogs_start_in_the_folder_of_the_path_in_the_edit() {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "progetti");
    const std::string in_edit = dir.file("progetti/linea.tlva");  // need not exist yet
    const QString last = QString::fromStdString(dir.path().string());
    QCOMPARE(start_folder(in_edit, last), QString::fromStdString(dir.file("progetti")));
    // A folder that is gone, or no path: the last folder of this run.
    QCOMPARE(start_folder(dir.file("sparita/linea.tlva"), last), last);
    QCOMPARE(start_folder("", last), last);
    // Nothing yet: the documents folder, or home where there is none.
    const QString first = start_folder("", QString());
    QVERIFY(first == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) ||
            first == QDir::homePath());

    QFileDialog dialog;
    configure_file_dialog(dialog, file_request("Testo (*.txt)|*.txt|", "txt"), PickMode::open,
                          start_folder(in_edit, last));
    QCOMPARE(dialog.directory().absolutePath(), QString::fromStdString(dir.file("progetti")));
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::FilePickerTest)
#include "file_picker_test.moc"
