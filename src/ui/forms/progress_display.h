#pragma once
// A long command's progress on a page: the bar takes the position at once;
// the remaining time goes into the page's own fields, which the next refresh
// shows with the rest of the form and repaints the page.  A refresh lets the
// window repaint but keeps the user's input waiting, since the command runs
// on the user-interface thread to its end.
//
// Refreshes come at most once a second and only where the command allows
// (after a column of the base grid, say): a long column would leave the
// desktop without answer meanwhile.  So a move of the bar also lets the
// event loop run, input still excluded, when it has not run for a quarter
// of a second; that repaints what has changed (the bar) and nothing else.

#include <QElapsedTimer>

#include "common/progress.h"

class QProgressBar;
class QWidget;

namespace tralva {

class FormExchange;

class ProgressDisplay final : public ProgressSink {
 public:
  ProgressDisplay(QProgressBar& bar, RemainingTime& remaining, FormExchange& form, QWidget& page);

  void set_range(int low, int high) override;
  void set_position(int position) override;
  void set_remaining(RemainingTime remaining) override;
  void refresh() override;

 private:
  void let_events_run();

  QProgressBar& bar_;
  RemainingTime& remaining_;
  FormExchange& form_;
  QWidget& page_;
  QElapsedTimer since_events_;
};

}  // namespace tralva
