#pragma once
// The rules every form keeps in the program's font: every control lies
// inside it, no text is cut off, and controls overlap only where they are
// laid over a picture, wholly inside it; a fixed-size dialog also fits a
// 1366 x 768 screen.  Call from a test slot; a failed rule fails the test
// (check QTest::currentTestFailed() before going on).

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <vector>

#include "forms/picture.h"

namespace tralva::test {

// Room the desktop leaves a window on a 1366 x 768 screen: a frame and
// title bar around it and a panel along one edge.
inline constexpr int kScreenWidth = 1366 - 16;
inline constexpr int kScreenHeight = 768 - 40 - 40;

inline QString describe(const QWidget* control) {
  if (!control->objectName().isEmpty()) return control->objectName();
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  return control->accessibleName();
}

// A page or a dialog: its controls inside it, whole and apart.
inline void check_form_layout(const QWidget& form) {
  std::vector<const QWidget*> controls;
  std::vector<const Picture*> pictures;
  for (const QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isHidden()) continue;
    QVERIFY2(form.rect().contains(child->geometry()), qPrintable(describe(child)));
    if (const auto* box = qobject_cast<const QGroupBox*>(child)) {
      QVERIFY2(box->fontMetrics().horizontalAdvance(box->title()) <= box->width(),
               qPrintable(box->title()));
      continue;
    }
    if (const auto* picture = qobject_cast<const Picture*>(child)) {
      pictures.push_back(picture);
      continue;
    }
    controls.push_back(child);
    if (const auto* button = qobject_cast<const QAbstractButton*>(child)) {
      // Push buttons, check boxes and radio buttons show their whole text.
      QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(child)) {
      QVERIFY2(edit->height() >= edit->minimumSizeHint().height(), qPrintable(describe(edit)));
    } else if (const auto* list = qobject_cast<const QComboBox*>(child)) {
      QVERIFY2(list->width() >= list->minimumSizeHint().width(), qPrintable(describe(list)));
    } else if (const auto* label = qobject_cast<const QLabel*>(child)) {
      if (label->wordWrap()) {
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(label->text()));
      } else {
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
      }
    }
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
               qPrintable(describe(controls[i]) + " / " + describe(controls[j])));
    }
    for (const Picture* picture : pictures) {
      const QRect place = picture->geometry();
      QVERIFY2(
          !place.intersects(controls[i]->geometry()) || place.contains(controls[i]->geometry()),
          qPrintable(describe(controls[i]) + " / " + picture->accessibleName()));
    }
  }
}

// A dialog of fixed size that fits the room the screen leaves it.
inline void check_fixed_dialog(const QDialog& dialog,
                               const QSize& room = {kScreenWidth, kScreenHeight}) {
  QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
  QVERIFY2(dialog.width() <= room.width() && dialog.height() <= room.height(),
           qPrintable(QString("%1 x %2").arg(dialog.width()).arg(dialog.height())));
}

// A fixed-size dialog of numbers only: every edit right-aligned.
inline void check_dialog_layout(const QDialog& dialog) {
  check_fixed_dialog(dialog);
  if (QTest::currentTestFailed()) return;
  check_form_layout(dialog);
  if (QTest::currentTestFailed()) return;
  for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
    if (edit->isHidden()) continue;
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  }
}

}  // namespace tralva::test
