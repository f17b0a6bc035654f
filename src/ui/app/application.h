#pragma once
// The application object: starts the main window with the real messages,
// file pickers and clock, and ends the program when the window closes.

#include <QApplication>
#include <QFont>
#include <QTranslator>

namespace tralva {

// The forms are laid out in dialog units of an 8-point font, as the program
// was designed; the desktop's larger default would push the fixed-size
// windows past the height of a 768-pixel screen.  `base` at 8 points.
QFont dialog_font(QFont base);

// The toolkit's own texts (file dialogs, standard buttons) in Italian,
// whatever the desktop's language: the whole interface speaks Italian.
// False when the translations are not installed.
bool install_italian_texts(QCoreApplication& application, QTranslator& translator);

class Application final : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // Shows the main window until it closes; the exit status.  A project file
  // named on the command line is ready in the dialogs (command_line.h).
  int run();

 private:
  QTranslator translator_;
};

}  // namespace tralva
