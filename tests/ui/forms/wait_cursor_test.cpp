// The wait cursor lasts exactly as long as its guard, nested ones included.

#include "forms/wait_cursor.h"

#include <QTest>

namespace tralva {
namespace {

Qt::CursorShape shown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
}

class WaitCursorTest : public QObject {
  Q_OBJECT

 private slots:
  void guard_restores_the_cursor() {
    QVERIFY(QApplication::overrideCursor() == nullptr);
    {
      WaitCursor outer;
      QCOMPARE(shown(), Qt::WaitCursor);
      {
        WaitCursor inner;
        QCOMPARE(shown(), Qt::WaitCursor);
      }
      QCOMPARE(shown(), Qt::WaitCursor);
    }
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::WaitCursorTest)
#include "wait_cursor_test.moc"
