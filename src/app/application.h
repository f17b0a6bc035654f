#pragma once
// The application object: starts the main window with the real messages,
// file pickers and clock, and ends the program when the window closes.

#include <QApplication>

namespace tralva {

class Application final : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // Shows the main window until it closes; the exit status.
  int run();
};

}  // namespace tralva
