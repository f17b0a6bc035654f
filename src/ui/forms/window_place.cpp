#include "forms/window_place.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace tralva {
namespace {

// The frame around the client area: the real one once the window manager
// has drawn it, else a title bar and thin borders.
QMargins frame_margins(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  if (window.isVisible() && frame != client) {
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
  }
  const int title =
      std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
               2 * window.fontMetrics().height());
  return {4, title, 4, 4};
}

QRect available_area(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QPoint centred_frame_position(const QRect& area, const QSize& frame) {
  const int x = area.left() + std::max(0, (area.width() - frame.width()) / 2);
  const int y = area.top() + std::max(0, (area.height() - frame.height()) / 2);
  return {x, y};
}

void place_centred(QWidget& window) {
  const QSize frame = window.size().grownBy(frame_margins(window));
  // move() places the frame, not the client area.
  window.move(centred_frame_position(available_area(window), frame));
}

void place_top_left(QWidget& window) { window.move(available_area(window).topLeft()); }

}  // namespace tralva
