#include "dialogs/configuration_canvas.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include "forms/form_layout.h"
#include "geometry/raster.h"
#include "texts/viewer_texts.h"

namespace tralva {

ConfigurationCanvas::ConfigurationCanvas(QWidget* parent)
    : QWidget(parent),
      vertical_(new QLabel(this)),
      horizontal_(new QLabel(this)),
      menu_(new QMenu(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  name_control(this, QString::fromUtf8(viewer_text::kDrawing));
  // Named by role: their text is the letter.
  for (const auto& [label, name] : {std::pair{vertical_, viewer_text::kVerticalAxis},
                                    std::pair{horizontal_, viewer_text::kHorizontalAxis}}) {
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
  const QPoint origin = to_widget(0, 0);
  rasterize(*list_, {picture_.bits(), picture_.bytesPerLine(), picture_.width(), picture_.height()},
            origin.x(), origin.y());
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
