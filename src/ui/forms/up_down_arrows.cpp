#include "forms/up_down_arrows.h"

#include <QResizeEvent>
#include <QToolButton>

namespace tralva {
namespace {

QToolButton* arrow(Qt::ArrowType type, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(type);
  button->setAutoRepeat(true);
  // Arrows never take the focus from the form's edits.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent), up_(arrow(Qt::UpArrow, this)), down_(arrow(Qt::DownArrow, this)) {
  connect(up_, &QToolButton::clicked, this, [this] { emit changed(-1); });
  connect(down_, &QToolButton::clicked, this, [this] { emit changed(+1); });
}

void UpDownArrows::resizeEvent(QResizeEvent* event) {
  const QSize size = event->size();
  const int half = size.height() / 2;
  up_->setGeometry(0, 0, size.width(), half);
  down_->setGeometry(0, half, size.width(), size.height() - half);
}

}  // namespace tralva
