// The tab strip as page switcher.

#include "app/cib_tab_ctrl.h"

#include <QTabBar>
#include <QTest>

namespace tralva {
namespace {

struct Strip {
  Strip() {
    window.resize(500, 600);
    tab.setGeometry(10, 10, 480, 560);
    for (const char* label : {"Uno", "Due", "Tre"}) {
      auto* page = new QWidget(&tab);
      page->hide();
      tab.add_page(label, page);
    }
    window.show();
  }
  QWidget* page(int i) const { return tab.pages()[i]; }
  int visible_pages() const {
    int n = 0;
    for (QWidget* page : tab.pages()) n += page->isVisible() ? 1 : 0;
    return n;
  }

  QWidget window;
  CibTabCtrl tab{&window};
};

class CibTabCtrlTest : public QObject {
  Q_OBJECT

 private slots:
  void adding_pages_shows_none() {
    Strip strip;
    QCOMPARE(strip.tab.page_labels(), (QStringList{"Uno", "Due", "Tre"}));
    QCOMPARE(strip.tab.strip().count(), 3);
    QCOMPARE(strip.tab.strip().tabText(2), QString("Tre"));
    QCOMPARE(strip.tab.current_page(), -1);
    QCOMPARE(strip.visible_pages(), 0);
  }

  void selected_page_covers_the_body_under_the_tabs() {
    Strip strip;
    strip.tab.select_page(0);
    QCOMPARE(strip.tab.current_page(), 0);
    QVERIFY(strip.page(0)->isVisible());
    const QRect page = strip.page(0)->geometry();
    QCOMPARE(page.left(), 3);
    QCOMPARE(strip.tab.width() - page.right() - 1, 4);
    QCOMPARE(strip.tab.height() - page.bottom() - 1, 5);
    QVERIFY(page.top() >= strip.tab.strip().geometry().bottom());
  }

  void select_page_hides_no_other_page() {
    Strip strip;
    strip.tab.select_page(0);
    strip.tab.select_page(2);
    QCOMPARE(strip.visible_pages(), 2);
    QCOMPARE(strip.tab.strip().currentIndex(), 2);
  }

  void click_shows_only_the_clicked_page() {
    Strip strip;
    strip.tab.select_page(0);
    strip.tab.select_page(1);
    QTest::mouseClick(&strip.tab.strip(), Qt::LeftButton, {},
                      strip.tab.strip().tabRect(2).center());
    QCOMPARE(strip.tab.current_page(), 2);
    QCOMPARE(strip.visible_pages(), 1);
    QVERIFY(strip.page(2)->isVisible());
    // Clicking the selected tab again changes nothing visible.
    const QRect before = strip.page(2)->geometry();
    QTest::mouseClick(&strip.tab.strip(), Qt::LeftButton, {},
                      strip.tab.strip().tabRect(2).center());
    QCOMPARE(strip.visible_pages(), 1);
    QCOMPARE(strip.page(2)->geometry(), before);
  }

  void arrow_keys_on_the_strip_switch_the_page() {
    Strip strip;
    strip.tab.select_page(0);
    strip.tab.strip().setFocus();
    QTest::keyClick(&strip.tab.strip(), Qt::Key_Right);
    QCOMPARE(strip.tab.current_page(), 1);
    QVERIFY(strip.page(1)->isVisible());
    QVERIFY(!strip.page(0)->isVisible());
    QTest::keyClick(&strip.tab.strip(), Qt::Key_Left);
    QCOMPARE(strip.tab.current_page(), 0);
    QCOMPARE(strip.visible_pages(), 1);
  }

  void page_follows_a_resized_strip() {
    Strip strip;
    strip.tab.select_page(1);
    strip.tab.resize(400, 300);
    QCOMPARE(strip.page(1)->geometry(), strip.tab.page_rect());
    QCOMPARE(strip.page(1)->width(), 393);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::CibTabCtrlTest)
#include "cib_tab_ctrl_test.moc"
