#include "forms/dialog_keys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace tralva {

bool is_enter(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  return modifiers == Qt::NoModifier &&
         (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

bool is_escape(const QKeyEvent& key) {
  return key.modifiers() == Qt::NoModifier && key.key() == Qt::Key_Escape;
}

bool handle_enter(const QKeyEvent& key, QWidget* focus, QPushButton* default_button) {
  if (!is_enter(key)) return false;
  // Buttons are not auto-default, so a focused one leaves Enter to its form.
  if (auto* focused = qobject_cast<QPushButton*>(focus)) {
    if (focused->isEnabled()) focused->click();
  } else if (default_button != nullptr && default_button->isEnabled()) {
    default_button->click();
  }
  return true;
}

}  // namespace tralva
