#pragma once
// What every page and dialog is made of: its seams (messages, file pickers,
// clock), its exchange of fields, its layout in dialog units and the keys of
// a form.  Pages (Page) and modal dialogs (FormDialog) hold one and add only
// their frame; a new form is then its controls and its bindings.
//
// Enter presses the push button that has the focus, else runs the form's OK
// command if it has one (the default button of "Start", the main window's
// closing), else nothing: every other form keeps a hidden, disabled OK
// button, so Enter closes nothing there.

#include <functional>
#include <string>

#include "common/progress.h"
#include "forms/file_picker.h"
#include "forms/form_context.h"
#include "forms/form_exchange.h"
#include "forms/form_layout.h"

class QKeyEvent;
class QPushButton;
class QWidget;

namespace tralva {

class Form {
 public:
  Form(QWidget& widget, FormContext context);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  FormContext& context() { return context_; }
  Messenger& messenger() { return context_.messenger; }
  FormExchange& exchange() { return exchange_; }
  FormLayout& layout() { return layout_; }

  // Enter presses `button` (it becomes the form's default button).
  void set_default_button(QPushButton* button);
  // Enter runs `command` when no push button has the focus.
  void set_ok_command(std::function<void()> command) { ok_command_ = std::move(command); }

  // A file command placed as FormLayout::file_row places it: every click of
  // its button picks a file into `path` and writes the form.
  FileRow file_row(const QString& icon, const QString& text, const FileRowPlace& place,
                   PickMode mode, const FileType& type, std::string& path);

  // True when the key was Enter and has been handled.
  bool handle_enter(const QKeyEvent& key);

 private:
  QWidget& widget_;
  FormMessenger messenger_;
  FormContext context_;
  FormExchange exchange_;
  FormLayout layout_;
  std::function<void()> ok_command_;
};

// Puts the focus on the first control of `form` that Tab reaches, as on
// Tab; returns it (null when there is none, the focus then on the form).
QWidget* focus_first_control(QWidget& form);

// The remaining time of a progress panel, hours, minutes and seconds in
// this order.
void bind_remaining_time(FormExchange& exchange, RemainingTime& remaining,
                         const ProgressPanel& panel);

}  // namespace tralva
