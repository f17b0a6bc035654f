#pragma once
// The application object: starts the main window with the real messages,
// file pickers and clock, and ends the program when the window closes.

#include <QApplication>
#include <QFont>

namespace tralva {

// The forms are laid out in dialog units of an 8-point font, as the program
// was designed; the desktop's larger default would push the fixed-size
// windows past the height of a 768-pixel screen.  `base` at 8 points.
QFont dialog_font(QFont base);

class Application final : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // Shows the main window until it closes; the exit status.
  int run();
};

}  // namespace tralva
