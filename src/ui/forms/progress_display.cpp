#include "forms/progress_display.h"

#include <QCoreApplication>
#include <QProgressBar>

#include "forms/form_exchange.h"

namespace tralva {
namespace {

constexpr qint64 kKeepAliveMs = 250;

}  // namespace

ProgressDisplay::ProgressDisplay(QProgressBar& bar, RemainingTime& remaining, FormExchange& form,
                                 QWidget& page)
    : bar_(bar), remaining_(remaining), form_(form), page_(page) {
  since_events_.start();
}

void ProgressDisplay::set_range(int low, int high) { bar_.setRange(low, high); }

void ProgressDisplay::set_position(int position) {
  bar_.setValue(position);  // may repaint at once
  if (since_events_.elapsed() >= kKeepAliveMs) let_events_run();
}

void ProgressDisplay::set_remaining(RemainingTime remaining) { remaining_ = remaining; }

void ProgressDisplay::refresh() {
  form_.write_form();
  page_.repaint();
  let_events_run();
}

void ProgressDisplay::let_events_run() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  since_events_.restart();
}

}  // namespace tralva
