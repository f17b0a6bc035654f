#include "forms/picture.h"

#include <QPainter>

namespace tralva {

Picture::Picture(const QString& resource, const QString& description, Style style, QWidget* parent)
    : QFrame(parent), renderer_(resource), style_(style) {
  if (style_ != Style::plain) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
  }
  renderer_.setAspectRatioMode(style_ == Style::diagram ? Qt::IgnoreAspectRatio
                                                        : Qt::KeepAspectRatio);
  setAccessibleName(description);
  setAccessibleDescription(description);
}

void Picture::paintEvent(QPaintEvent* event) {
  if (style_ == Style::diagram) {
    // The whole frame, edges included, so that a mark drawn some dialog
    // units from the corner is where an edit at those units is; the frame
    // is drawn over the drawing's border.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_.render(&painter, QRectF(rect()));
    drawFrame(&painter);
    return;
  }
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
