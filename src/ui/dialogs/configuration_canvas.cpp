#include "dialogs/configuration_canvas.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "forms/form_layout.h"
#include "texts/viewer_texts.h"

namespace tralva {
namespace {

QPen pen_of(std::int32_t code) {
  const Pen pen = pen_for(code);
  return QPen(QColor(pen.red, pen.green, pen.blue), pen.width, Qt::SolidLine, Qt::RoundCap,
              Qt::RoundJoin);
}

}  // namespace

ConfigurationCanvas::ConfigurationCanvas(QWidget* parent)
    : QWidget(parent), vertical_(new QLabel(this)), horizontal_(new QLabel(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  name_control(this, QString::fromUtf8(paletta_text::kDrawing));
  // Named by role: their text is the letter.
  for (const auto& [label, name] : {std::pair{vertical_, paletta_text::kVerticalAxis},
                                    std::pair{horizontal_, paletta_text::kHorizontalAxis}}) {
    label->setObjectName(QString::fromUtf8(name));
    label->setAccessibleDescription(QString::fromUtf8(name));
    const QFontMetrics metrics(label->font());
    label->resize(metrics.horizontalAdvance(QStringLiteral("WW")), metrics.height());
  }
}

void ConfigurationCanvas::show_list(DisplayList list) {
  list_ = std::move(list);
  join_strokes();
  repaint();
}

void ConfigurationCanvas::erase() {
  list_.reset();
  strokes_.clear();
  repaint();
}

QImage ConfigurationCanvas::image() { return grab().toImage(); }

void ConfigurationCanvas::join_strokes() {
  strokes_.clear();
  for (const DrawnSegment& s : list_->segments) {
    const QPoint from(s.x1, s.y1);
    const QPoint to(s.x2, s.y2);
    if (strokes_.empty() || strokes_.back().code != s.code ||
        strokes_.back().points.back() != from) {
      strokes_.push_back({s.code, QPolygon{from}});
    }
    if (to != from) strokes_.back().points.append(to);
  }
}

void ConfigurationCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const PixelRect& plot = kPlotRect;
  offset_ =
      QPoint((width() - plot.width()) / 2 - plot.left, (height() - plot.height()) / 2 - plot.top);
  vertical_->move(to_widget(kVerticalLabelAt[0], kVerticalLabelAt[1]));
  horizontal_->move(to_widget(kHorizontalLabelAt[0], kHorizontalLabelAt[1]));
}

void ConfigurationCanvas::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(offset_);
  std::optional<std::int32_t> pen_code;
  for (const Stroke& stroke : strokes_) {
    // A segment of no length draws nothing, as a line to the current point.
    if (stroke.points.size() < 2) continue;
    if (pen_code != stroke.code) {
      painter.setPen(pen_of(stroke.code));
      pen_code = stroke.code;
    }
    painter.drawPolyline(stroke.points);
  }
}

}  // namespace tralva
