#pragma once
// Enter and Escape inside a form, as the system's dialogs behave: Enter
// presses the push button that has the focus, else the form's default button
// if it has one, else nothing; Escape is left to the caller.  Returns true
// when the key was Enter and has been handled.

class QKeyEvent;
class QPushButton;
class QWidget;

namespace tralva {

bool handle_enter(const QKeyEvent& key, QWidget* focus, QPushButton* default_button);

bool is_enter(const QKeyEvent& key);
bool is_escape(const QKeyEvent& key);

}  // namespace tralva
