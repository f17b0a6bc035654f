#pragma once
// The two keys a form treats itself: Enter (Return or the keypad's Enter,
// without modifiers) and Escape.

class QKeyEvent;

namespace tralva {

bool is_enter(const QKeyEvent& key);
bool is_escape(const QKeyEvent& key);

}  // namespace tralva
