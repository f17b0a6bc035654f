#pragma once
// A long command's progress on a page: the bar takes the position at once;
// the remaining time goes into the page's own fields, which the next refresh
// shows with the rest of the form and repaints the page.  A refresh lets the
// window repaint but keeps the user's input waiting, since the command runs
// on the user-interface thread to its end.

#include "common/progress.h"

class QProgressBar;
class QWidget;

namespace tralva {

class FormExchange;

class ProgressDisplay final : public ProgressSink {
 public:
  ProgressDisplay(QProgressBar& bar, RemainingTime& remaining, FormExchange& form, QWidget& page)
      : bar_(bar), remaining_(remaining), form_(form), page_(page) {}

  void set_range(int low, int high) override;
  void set_position(int position) override;
  void set_remaining(RemainingTime remaining) override;
  void refresh() override;

 private:
  QProgressBar& bar_;
  RemainingTime& remaining_;
  FormExchange& form_;
  QWidget& page_;
};

}  // namespace tralva
