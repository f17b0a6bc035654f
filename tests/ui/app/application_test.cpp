// The application's own set-up: the toolkit speaks Italian.

#include "app/application.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>
#include <QTranslator>

namespace tralva {
namespace {

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void toolkit_texts_are_italian() {
    QTranslator translator;
    QVERIFY(install_italian_texts(*QCoreApplication::instance(), translator));
    // The buttons of the file dialogs and message boxes.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Cerca in:"));
    QCOMPARE(QLocale().language(), QLocale::Italian);
    QCoreApplication::removeTranslator(&translator);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::ApplicationTest)
#include "application_test.moc"
