#include "forms/dialog_units.h"

#include <QFont>
#include <QFontMetricsF>
#include <cmath>

namespace tralva {

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetricsF metrics(font);
  static const QString letters =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  char_width_ = metrics.horizontalAdvance(letters) / 52.0;
  char_height_ = static_cast<int>(std::ceil(metrics.height()));
}

int DialogUnits::x(int units) const {
  return static_cast<int>(std::lround(units * char_width_ / 4.0));
}

int DialogUnits::y(int units) const {
  return static_cast<int>(std::lround(units * char_height_ / 8.0));
}

QRect DialogUnits::rect(const DuRect& du) const {
  // Both edges are converted, so neighbouring controls never gain or lose a
  // pixel between them through rounding.
  const int left = x(du.x);
  const int top = y(du.y);
  return {left, top, x(du.x + du.width) - left, y(du.y + du.height) - top};
}

}  // namespace tralva
