#pragma once
// A vector picture from the resources, crisp at any size: the photographs
// and drawings of the pages (with a sunken frame) and the small icons beside
// buttons (without), scaled to fit and centred; and the diagrams that edits
// are laid over, stretched to their frame so that the drawing's coordinates
// are the form's.

#include <QFrame>
#include <QSvgRenderer>

namespace tralva {

class Picture final : public QFrame {
  Q_OBJECT

 public:
  enum class Style { sunken, plain, diagram };

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
