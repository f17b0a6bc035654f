#pragma once
// Up-down arrows standing alone, without a companion edit: each click, and
// each repeat while an arrow is held, reports a change as the platform's
// arrow control does in its default range, -1 for the up arrow and +1 for
// the down arrow.  What the change does to a field is the form's business.

#include <QWidget>

class QToolButton;

namespace tralva {

class UpDownArrows final : public QWidget {
  Q_OBJECT

 public:
  explicit UpDownArrows(QWidget* parent);

  QToolButton* up() const { return up_; }
  QToolButton* down() const { return down_; }

 signals:
  void changed(int delta);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace tralva
