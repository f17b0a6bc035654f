#include "forms/dialog_keys.h"

#include <QKeyEvent>

namespace tralva {

bool is_enter(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  return modifiers == Qt::NoModifier && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

bool is_escape(const QKeyEvent& key) {
  return key.modifiers() == Qt::NoModifier && key.key() == Qt::Key_Escape;
}

}  // namespace tralva
