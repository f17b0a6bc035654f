#pragma once
// Seams that watch a page's long command from inside: a clock that moves on
// by a fixed step at every read and calls a hook first (the command reads it
// once per estimate, so the hook sees what the page showed after the last
// refresh), and a messenger that calls a hook at the message (what the page
// shows while the box is up).

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/form_context.h"
#include "gui_support.h"

namespace tralva::test {

class HookedClock final : public Clock {
 public:
  std::int64_t now_seconds() override {
    if (on_read) on_read();
    const std::int64_t t = now;
    now += step;
    return t;
  }
  std::int64_t now = 0;
  std::int64_t step = 0;
  std::function<void()> on_read;
};

class HookedMessenger final : public Messenger {
 public:
  void show(const Message& message) override {
    shown.push_back(message);
    if (on_show) on_show(message);
  }
  std::vector<Message> shown;
  std::function<void(const Message&)> on_show;
};

struct WatchedSeams {
  HookedMessenger messenger;
  ScriptedFilePicker files;
  HookedClock clock;
  FormContext context() { return {messenger, files, clock}; }
};

// "h:m:s" as the three statics of a progress panel show it.
inline std::string remaining_shown(const QWidget& page, const QString& group) {
  const auto text = [&](const char* name) {
    const auto* label =
        control<QLabel>(page, QString::fromUtf8(name) + QStringLiteral(" (") + group + u')');
    return label != nullptr ? label->text().toStdString() : std::string("?");
  };
  return text("Tempo rimanente ore") + ":" + text("Tempo rimanente minuti") + ":" +
         text("Tempo rimanente secondi");
}

// A calculation group before its first command: precision "m" of the four,
// the bar at 0 of 1000, no time left.
inline void expect_group_at_rest(const QWidget& page, const QString& group,
                                 const QComboBox& precision, const QProgressBar& bar) {
  QCOMPARE(precision.currentText(), QStringLiteral("m"));
  QCOMPARE(precision.count(), 4);
  QCOMPARE(bar.maximum(), 1000);
  QCOMPARE(bar.value(), 0);
  QCOMPARE(remaining_shown(page, group), std::string("0:0:0"));
}

inline bool wait_cursor_shown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

// What a page showed during a long command of its group: the remaining
// time and the bar at every clock read, whether the wait cursor was on
// throughout, and the bar, the remaining time and the cursor while the
// message was up.  The clock moves `step` seconds per read.
class RunWatch {
 public:
  RunWatch(WatchedSeams& seams, const QWidget& page, const QString& group, std::int64_t step) {
    const auto* bar = control<QProgressBar>(page, QStringLiteral("Avanzamento (%1)").arg(group));
    seams.clock.step = step;
    seams.clock.on_read = [this, &page, group, bar] {
      remaining.push_back(remaining_shown(page, group));
      bars.push_back(bar->value());
      waited = waited && wait_cursor_shown();
    };
    seams.messenger.on_show = [this, &page, group, bar](const Message&) {
      bar_at_message = bar->value();
      remaining_at_message = remaining_shown(page, group);
      wait_cursor_at_message = wait_cursor_shown();
    };
  }

  std::vector<std::string> remaining;
  std::vector<int> bars;
  bool waited = true;
  int bar_at_message = -1;
  std::string remaining_at_message;
  bool wait_cursor_at_message = true;
};

}  // namespace tralva::test
