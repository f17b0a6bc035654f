#pragma once
// A vector picture from the resources, scaled to fit and centred, crisp at
// any size: the photographs and diagrams of the pages (with a sunken frame)
// and the small icons beside buttons (without).

#include <QFrame>
#include <QSvgRenderer>

namespace tralva {

class Picture final : public QFrame {
  Q_OBJECT

 public:
  enum class Style { sunken, plain };

  // `description` is what screen readers say for the picture.
  Picture(const QString& resource, const QString& description, Style style,
          QWidget* parent = nullptr);

  bool is_valid() const { return renderer_.isValid(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSvgRenderer renderer_;
  Style style_;
};

}  // namespace tralva
