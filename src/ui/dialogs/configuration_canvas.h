#pragma once
// The drawing area of the configuration viewer: a black frame on white with
// the two axis letters, and the last display list drawn inside it.  The
// list is drawn once into a picture that every repaint shows again, so a
// picture covered by another window comes back when it is uncovered; it goes
// only when the next drawing command erases it.
//
// Lines are drawn as the classic drawing context draws them with a solid
// pen, without smoothing: the whole pixels from the first end up to, not
// including, the second, each covered by the pen's nib.  A catenary of
// thousands of short pieces then costs no more than its pixels.
//
// The list is in the viewer's client pixels, the plot rectangle at
// 250..990 x 40..690.  The frame is placed in dialog units like the other
// controls, and the plot is centred in it: with the classic dialog font
// (characters of 6 x 13 pixels) that is exactly the plot rectangle's place;
// with another font the frame moves, or grows to hold the plot, and the
// picture moves with it, so it never leaves its frame nor covers a control.
//
// Its actions make its menu: the right button opens it where it is
// pressed; Tab reaches the drawing, and the Menu key or Shift+F10 opens it
// over the drawing.

#include <QImage>
#include <QWidget>
#include <optional>

#include "geometry/display_list.h"

class QLabel;
class QMenu;

namespace tralva {

class ConfigurationCanvas final : public QWidget {
  Q_OBJECT

 public:
  explicit ConfigurationCanvas(QWidget* parent = nullptr);

  // Shows `list` until the next call or erase().
  void show_list(DisplayList list);
  // Leaves the area empty and repaints it at once.
  void erase();
  // The list shown, if any.
  const std::optional<DisplayList>& list() const { return list_; }

  // The static texts of the axis letters, at the top left and bottom right
  // of the plot.
  QLabel* vertical_label() const { return vertical_; }
  QLabel* horizontal_label() const { return horizontal_; }

  // The widget position of a client pixel of the list: the plot centred.
  QPoint to_widget(int x, int y) const;

  // The picture as it is shown: frame, axis letters and drawing, without
  // the mark of the keyboard focus.
  QImage image();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Draws the frame and the list into picture_.
  void draw_picture();
  // The menu of the actions at `global`, unless it is open already.
  void open_menu(const QPoint& global);

  std::optional<DisplayList> list_;
  QImage picture_;
  QLabel* vertical_;
  QLabel* horizontal_;
  QMenu* menu_;
  bool grabbing_ = false;
};

}  // namespace tralva
