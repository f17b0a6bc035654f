#pragma once

#include <QDialog>

namespace tralva {

// The program's only top-level window.
class MainDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MainDialog(QWidget* parent = nullptr);
};

}  // namespace tralva
