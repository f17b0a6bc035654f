#include "dialogs/configuration_canvas.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <cstdlib>

#include "common/vector_state.h"
#include "forms/form_layout.h"
#include "texts/viewer_texts.h"

namespace tralva {
namespace {

// The pixels of a picture of 32-bit pixels.
struct Raster {
  explicit Raster(QImage& image)
      : bits(image.bits()),
        stride(image.bytesPerLine()),
        width(image.width()),
        height(image.height()) {}
  uchar* bits;
  qsizetype stride;
  int width, height;
};

// Covers the pixels of a pen of `width` centred on (x, y): a square nib,
// its corners cut from a width of 4 on, as a round pen covers them.
class Nib {
 public:
  Nib(const Raster& raster, QRgb colour, int width)
      : raster_(raster),
        colour_(colour),
        low_(-width / 2),
        high_(low_ + width - 1),
        round_(width >= 4) {}

  void cover(int x, int y) const {
    // The list keeps to the plot, so the nib is almost always wholly inside.
    const bool inside =
        x + low_ >= 0 && x + high_ < raster_.width && y + low_ >= 0 && y + high_ < raster_.height;
    for (int dy = low_; dy <= high_; ++dy) {
      const int row = y + dy;
      if (!inside && (row < 0 || row >= raster_.height)) continue;
      auto* line = reinterpret_cast<QRgb*>(raster_.bits + row * raster_.stride) + x;
      const bool edge_row = dy == low_ || dy == high_;
      for (int dx = low_; dx <= high_; ++dx) {
        if (round_ && edge_row && (dx == low_ || dx == high_)) continue;
        if (inside || (x + dx >= 0 && x + dx < raster_.width)) line[dx] = colour_;
      }
    }
  }

 private:
  const Raster& raster_;
  QRgb colour_;
  int low_, high_;
  bool round_;
};

// The pixels of the line from `from` up to, not including, `to`.
void draw_line(const Nib& nib, QPoint from, QPoint to) {
  const int dx = std::abs(to.x() - from.x());
  const int dy = -std::abs(to.y() - from.y());
  const int step_x = from.x() < to.x() ? 1 : -1;
  const int step_y = from.y() < to.y() ? 1 : -1;
  int error = dx + dy;
  QPoint at = from;
  while (at != to) {
    nib.cover(at.x(), at.y());
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      at.rx() += step_x;
    }
    if (twice <= dx) {
      error += dx;
      at.ry() += step_y;
    }
  }
}

}  // namespace

ConfigurationCanvas::ConfigurationCanvas(QWidget* parent)
    : QWidget(parent),
      vertical_(new QLabel(this)),
      horizontal_(new QLabel(this)),
      menu_(new QMenu(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
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
  draw_picture();
  repaint();
}

void ConfigurationCanvas::erase() {
  list_.reset();
  draw_picture();
  repaint();
}

QImage ConfigurationCanvas::image() {
  const QScopedValueRollback<bool> grabbing(grabbing_, true);
  return grab().toImage();
}

void ConfigurationCanvas::draw_picture() {
  picture_ = QImage(size(), QImage::Format_RGB32);
  picture_.fill(Qt::white);
  {
    QPainter painter(&picture_);
    painter.setPen(Qt::black);
    painter.drawRect(picture_.rect().adjusted(0, 0, -1, -1));
  }
  if (!list_) return;
  release_vector_registers();
  const Raster raster(picture_);
  std::optional<std::int32_t> code;
  std::optional<Nib> nib;
  for (const DrawnSegment& s : list_->segments) {
    if (code != s.code) {
      const Pen pen = pen_for(s.code);
      nib.emplace(raster, qRgb(pen.red, pen.green, pen.blue), pen.width);
      code = s.code;
    }
    draw_line(*nib, to_widget(s.x1, s.y1), to_widget(s.x2, s.y2));
  }
}

QPoint ConfigurationCanvas::to_widget(int x, int y) const {
  const PixelRect& plot = kPlotRect;
  return {x + (width() - plot.width()) / 2 - plot.left,
          y + (height() - plot.height()) / 2 - plot.top};
}

void ConfigurationCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  vertical_->move(to_widget(kVerticalLabelAt[0], kVerticalLabelAt[1]));
  horizontal_->move(to_widget(kHorizontalLabelAt[0], kHorizontalLabelAt[1]));
  draw_picture();
}

void ConfigurationCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), picture_, event->rect());
  if (hasFocus() && !grabbing_) {
    // A dotted line just inside the black frame: the style's focus frame
    // would tint the whole drawing.
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
  }
}

void ConfigurationCanvas::contextMenuEvent(QContextMenuEvent* event) {
  // From the keyboard the platform names the pointer's place, which may be
  // anywhere: the menu opens over the drawing instead.
  open_menu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                        : mapToGlobal(rect().center()));
}

void ConfigurationCanvas::keyPressEvent(QKeyEvent* event) {
  const bool menu_key = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
  const bool shift_f10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (!menu_key && !shift_f10) return QWidget::keyPressEvent(event);
  open_menu(mapToGlobal(rect().center()));
}

void ConfigurationCanvas::open_menu(const QPoint& global) {
  // The Menu key also brings the platform's own request after the key.
  if (menu_->isVisible()) return;
  menu_->clear();
  menu_->addActions(actions());
  menu_->popup(global);
}

}  // namespace tralva
