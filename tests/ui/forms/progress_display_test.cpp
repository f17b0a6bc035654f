// A page's progress: the bar at once, the remaining time at the refresh.

#include "forms/progress_display.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "forms/form_exchange.h"
#include "gui_support.h"

namespace tralva {
namespace {

class ProgressDisplayTest : public QObject {
  Q_OBJECT

 private slots:
  void remaining_time_shows_at_the_refresh() {
    test::Seams seams;
    QWidget page;
    QProgressBar bar(&page);
    QLabel hours(&page), minutes(&page), seconds(&page);
    RemainingTime remaining;
    FormExchange form(seams.messenger);
    form.bind(remaining.hours, &hours, "ore")
        .bind(remaining.minutes, &minutes, "minuti")
        .bind(remaining.seconds, &seconds, "secondi");
    form.write_form();

    ProgressDisplay display(bar, remaining, form, page);
    display.set_range(0, 1000);
    display.set_position(250);
    QCOMPARE(bar.value(), 250);
    display.set_remaining(split_seconds(3725));
    QCOMPARE(hours.text(), QString("0"));
    display.refresh();
    QCOMPARE(hours.text(), QString("1"));
    QCOMPARE(minutes.text(), QString("2"));
    QCOMPARE(seconds.text(), QString("5"));
    QVERIFY(seams.messenger.shown.empty());
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::ProgressDisplayTest)
#include "progress_display_test.moc"
