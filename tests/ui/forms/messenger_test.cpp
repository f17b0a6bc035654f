// The message box of the desktop program and the placement of its windows.

#include "forms/messenger.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include "forms/window_place.h"

namespace tralva {
namespace {

class MessengerTest : public QObject {
  Q_OBJECT

 private slots:
  void box_has_its_caption_its_text_and_a_crisp_icon() {
    for (const Message& message : {warning_message("Il passo deve essere positivo."),
                                   error_message("Impossibile aprire il file di dati."),
                                   information_message("Unione eseguita con successo.")}) {
      const auto box = make_message_box(message, nullptr);
      const std::string_view title = caption(message.kind);
      QCOMPARE(box->windowTitle(), QString::fromUtf8(title.data(), qsizetype(title.size())));
      QCOMPARE(box->text(), QString::fromStdString(message.text));
      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
      const QPixmap icon = box->iconPixmap();
      QVERIFY(!icon.isNull());
      // Drawn for the screen's density, not a bitmap scaled up.
      QCOMPARE(icon.devicePixelRatio(), box->devicePixelRatio());
    }
  }

  void box_is_wide_enough_for_its_caption() {
    const auto box = make_message_box(warning_message("Ok."), nullptr);
    box->show();
    QFont bold = box->font();
    bold.setBold(true);
    QVERIFY(box->width() > QFontMetrics(bold).horizontalAdvance(box->windowTitle()));
    box->hide();
  }

  void windows_keep_their_whole_frame_on_the_screen() {
    const QRect area(0, 28, 1366, 740);  // under a panel 28 pixels high
    QCOMPARE(centred_frame_position(area, {800, 700}), QPoint(283, 48));
    // Taller or wider than the area: the title bar stays on it.
    QCOMPARE(centred_frame_position(area, {1400, 900}), QPoint(0, 28));
    QCOMPARE(centred_frame_position(QRect(100, 0, 500, 500), {300, 300}), QPoint(200, 100));
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::MessengerTest)
#include "messenger_test.moc"
