#include "app/cib_tab_ctrl.h"

#include <QProxyStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <algorithm>

#include "forms/form.h"

namespace tralva {
namespace {

// Six labels share the width of a fixed window: the tabs pad their text by
// about one character instead of the style's wider default.
class CompactTabs final : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace && widget != nullptr) {
      return 2 * widget->fontMetrics().averageCharWidth();
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

CibTabCtrl::CibTabCtrl(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this)) {
  auto* compact = new CompactTabs;
  compact->setParent(tabs_);
  tabs_->setStyle(compact);
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  tabs_->setUsesScrollButtons(false);
  // Reached with Tab, not by clicking: a click leaves the keys to the page.
  tabs_->setFocusPolicy(Qt::TabFocus);
  // A click switches the page after this signal; only then does the focus
  // follow into the page.
  connect(tabs_, &QTabBar::tabBarClicked, this,
          [this](int index) { clicked_ = index != tabs_->currentIndex(); });
  connect(tabs_, &QTabBar::currentChanged, this, [this] {
    if (!selecting_) show_clicked_page();
  });
}

void CibTabCtrl::add_page(const QString& label, QWidget* page) {
  page_labels_.append(label);
  pages_.append(page);
  selecting_ = true;  // inserting the first tab selects it; that shows nothing
  tabs_->insertTab(static_cast<int>(page_labels_.size()) - 1, label);
  selecting_ = false;
  tabs_->resize(tabs_->sizeHint());
}

void CibTabCtrl::select_page(int index) {
  current_page_ = index;
  if (index < 0 || index >= pages_.size()) return;
  selecting_ = true;
  tabs_->setCurrentIndex(index);
  selecting_ = false;
  place_and_show(pages_[index]);
}

void CibTabCtrl::show_clicked_page() {
  current_page_ = tabs_->currentIndex();
  for (QWidget* page : pages_) page->hide();
  if (current_page_ < 0 || current_page_ >= pages_.size()) return;
  QWidget* page = pages_[current_page_];
  place_and_show(page);
  // After a click the focus would stay in the page just hidden, or on the
  // strip, where Enter closes the window; it goes to the page.  Arrow keys
  // on the strip keep it there.
  if (clicked_ || !tabs_->hasFocus()) focus_first_control(*page);
  clicked_ = false;
  update();
}

void CibTabCtrl::place_current_page() {
  if (current_page_ > -1 && current_page_ < pages_.size()) place_and_show(pages_[current_page_]);
}

int CibTabCtrl::body_top() const {
  return tabs_->sizeHint().height() - style()->pixelMetric(QStyle::PM_TabBarBaseOverlap);
}

QRect CibTabCtrl::page_rect() const {
  // Inside the body's frame: 3 px on the left, 4 on the right, 5 at the bottom.
  const int top = std::max(25, tabs_->sizeHint().height() + 2);
  return {3, top, width() - 7, height() - top - 5};
}

void CibTabCtrl::place_and_show(QWidget* page) {
  page->setGeometry(page_rect());
  page->show();
}

void CibTabCtrl::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = QRect(0, body_top(), width(), height() - body_top());
  frame.shape = tabs_->shape();
  frame.tabBarSize = tabs_->sizeHint();
  frame.tabBarRect = tabs_->geometry();
  if (tabs_->currentIndex() >= 0) {
    frame.selectedTabRect = tabs_->tabRect(tabs_->currentIndex()).translated(tabs_->pos());
  }
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void CibTabCtrl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place_current_page();
}

}  // namespace tralva
