#pragma once
// The main window's tab strip as a page switcher: one tab per page, and
// exactly the current page shown in the body under the row of tabs.  The
// pages are child widgets of the strip, so they move with the window.

#include <QList>
#include <QStringList>
#include <QWidget>

class QTabBar;

namespace tralva {

class CibTabCtrl final : public QWidget {
  Q_OBJECT

 public:
  explicit CibTabCtrl(QWidget* parent = nullptr);

  // Appends a tab for the page; neither shows the page nor changes the
  // current one.
  void add_page(const QString& label, QWidget* page);
  // Makes the page current, selects its tab, places and shows it.  Hides no
  // other page.
  void select_page(int index);
  // After a click on a tab (or an arrow key on the strip): hides every page,
  // then places and shows the selected one.
  void show_clicked_page();
  // Puts the current page back on the body of the strip.
  void place_current_page();

  int current_page() const { return current_page_; }
  const QStringList& page_labels() const { return page_labels_; }
  const QList<QWidget*>& pages() const { return pages_; }
  QTabBar& strip() { return *tabs_; }
  // Where a page goes, in the strip's coordinates.
  QRect page_rect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void place_and_show(QWidget* page);
  int body_top() const;

  QTabBar* tabs_;
  QStringList page_labels_;
  QList<QWidget*> pages_;  // owned by the main window through Qt's parents
  int current_page_ = -1;
  bool selecting_ = false;
  bool clicked_ = false;
};

}  // namespace tralva
