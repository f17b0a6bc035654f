#include "forms/picture.h"

#include <QPainter>

namespace tralva {

Picture::Picture(const QString& resource, const QString& description, Style style, QWidget* parent)
    : QFrame(parent), renderer_(resource), style_(style) {
  if (style_ == Style::sunken) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
  }
  renderer_.setAspectRatioMode(Qt::KeepAspectRatio);
  setAccessibleName(description);
}

void Picture::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int margin = style_ == Style::sunken ? 2 : 0;
  const QRect area = contentsRect().adjusted(margin, margin, -margin, -margin);
  // Strokes may run past the drawing's edges; the frame keeps them in.
  painter.setClipRect(area);
  renderer_.render(&painter, QRectF(area));
}

}  // namespace tralva
