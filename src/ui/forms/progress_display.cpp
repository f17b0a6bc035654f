#include "forms/progress_display.h"

#include <QCoreApplication>
#include <QProgressBar>

#include "forms/form_exchange.h"

namespace tralva {

void ProgressDisplay::set_range(int low, int high) { bar_.setRange(low, high); }

void ProgressDisplay::set_position(int position) { bar_.setValue(position); }

void ProgressDisplay::set_remaining(RemainingTime remaining) { remaining_ = remaining; }

void ProgressDisplay::refresh() {
  form_.write_form();
  page_.repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tralva
