#include "pages/page.h"

#include <QKeyEvent>
#include <QProgressBar>
#include <QScopedValueRollback>

#include "forms/dialog_keys.h"
#include "forms/progress_display.h"
#include "forms/wait_cursor.h"

namespace tralva {

Page::Page(FormContext context, QWidget* parent) : QFrame(parent), form_(*this, context) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  hide();
}

void Page::keyPressEvent(QKeyEvent* event) {
  if (form_.handle_enter(*event) || is_escape(*event)) {
    event->accept();
    return;
  }
  QFrame::keyPressEvent(event);
}

void Page::run_command(const std::function<Message()>& command) { run(command, nullptr); }

void Page::run_with_progress(const LongCommand& command, const ProgressPanel& panel,
                             RemainingTime& remaining) {
  ProgressDisplay display(*panel.bar, remaining, form_.exchange(), *this);
  run([&] { return command(display, form_.context().clock); }, &panel);
}

void Page::run(const std::function<Message()>& command, const ProgressPanel* panel) {
  if (running_) return;
  const QScopedValueRollback<bool> running(running_, true);
  Message message;
  {
    // Not over the message box: the work is done when it shows.
    const WaitCursor wait;
    message = command();
  }
  form_.messenger().show(message);
  if (panel != nullptr) panel->bar->setValue(0);
}

}  // namespace tralva
