#pragma once
// What every tab page shares: a frameless panel with a sunken edge, laid out
// in dialog units of its font, with its form exchange and the page keys.
// Enter presses the focused push button or the page's default button (only
// "Start" has one) and never reaches the main window; Escape does nothing
// on a page, so a key typed inside a page never ends the program.

#include <QFrame>

#include "forms/form_context.h"
#include "forms/form_exchange.h"
#include "forms/form_layout.h"

class QPushButton;

namespace tralva {

enum class PickMode;
struct FileRequest;

class Page : public QFrame {
  Q_OBJECT

 public:
  Page(FormContext context, QWidget* parent);

 protected:
  FormExchange& exchange() { return exchange_; }
  FormLayout& layout() { return layout_; }
  FormContext& context() { return context_; }
  void set_default_button(QPushButton* button) { default_button_ = button; }
  // A file command: the picked path goes into `path` and the form is written.
  void connect_picker(QPushButton* button, PickMode mode, FileRequest request,
                      std::string& path);

  void keyPressEvent(QKeyEvent* event) override;

 private:
  FormContext context_;
  FormExchange exchange_;
  FormLayout layout_;
  QPushButton* default_button_ = nullptr;
};

}  // namespace tralva
