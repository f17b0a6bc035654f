#pragma once
// A tab page: a frameless panel with a sunken edge holding a form.  Enter
// follows the form's rule and never reaches the main window; Escape does
// nothing on a page, so a key typed inside a page never ends the program.

#include <QFrame>
#include <functional>

#include "common/message.h"
#include "common/progress.h"
#include "forms/form.h"

namespace tralva {

class Page : public QFrame {
  Q_OBJECT

 public:
  Page(FormContext context, QWidget* parent);

 protected:
  Form& form() { return form_; }

  void keyPressEvent(QKeyEvent* event) override;

  // A command that ends in a message: it runs under the wait cursor, then
  // its message is shown.  The event loop runs during the long commands, so
  // a command started meanwhile (from the accessibility bus, say) is ignored.
  void run_command(const std::function<Message()>& command);
  // A long command that drives a progress panel and its remaining time
  // through the page's refreshes.  The bar stays full while the message of
  // success shows and goes back to 0 once it is dismissed.
  using LongCommand = std::function<Message(ProgressSink&, Clock&)>;
  void run_with_progress(const LongCommand& command, const ProgressPanel& panel,
                         RemainingTime& remaining);

 private:
  void run(const std::function<Message()>& command, const ProgressPanel* panel);

  Form form_;
  bool running_ = false;
};

}  // namespace tralva
