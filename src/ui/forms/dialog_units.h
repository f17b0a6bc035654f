#pragma once
// Dialog units, as dialog templates measure: a horizontal unit is a quarter
// of the dialog font's average character width (measured over the 52 Latin
// letters), a vertical unit an eighth of its character height.  Layouts given
// in these units keep their proportions with any font and screen.

#include <QRect>

class QFont;

namespace tralva {

// A rectangle in dialog units.
struct DuRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int x(int units) const;
  int y(int units) const;
  QRect rect(const DuRect& du) const;
  QSize size(int width, int height) const { return {x(width), y(height)}; }

  double char_width() const { return char_width_; }
  int char_height() const { return char_height_; }

 private:
  double char_width_;
  int char_height_;
};

}  // namespace tralva
