#include "forms/form.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include "forms/dialog_keys.h"

namespace tralva {

Form::Form(QWidget& widget, FormContext context)
    : widget_(widget),
      messenger_(context.messenger),
      context_{messenger_, context.files, context.clock},
      exchange_(context_.messenger),
      layout_(widget) {}

void Form::set_default_button(QPushButton* button) {
  button->setDefault(true);
  set_ok_command([button] {
    if (button->isEnabled()) button->click();
  });
}

FileRow Form::file_row(const QString& icon, const QString& text, const FileRowPlace& place,
                       PickMode mode, const FileType& type, std::string& path) {
  FileRow row = layout_.file_row(icon, text, place);
  connect_picker(*row.button, context_.files, mode, file_request(type), path, exchange_);
  return row;
}

bool Form::handle_enter(const QKeyEvent& key) {
  if (!is_enter(key)) return false;
  // Buttons are not auto-default, so a focused one leaves Enter to its form.
  // The focus is this form's own, whichever window is active.
  if (auto* focused = qobject_cast<QPushButton*>(widget_.focusWidget())) {
    if (focused->isEnabled()) focused->click();
  } else if (ok_command_) {
    ok_command_();
  }
  return true;
}

QWidget* focus_first_control(QWidget& form) {
  for (QWidget* w = form.nextInFocusChain(); w != &form; w = w->nextInFocusChain()) {
    if (form.isAncestorOf(w) && w->isVisibleTo(&form) && w->isEnabled() &&
        (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return w;
    }
  }
  form.setFocus(Qt::OtherFocusReason);
  return nullptr;
}

void bind_remaining_time(FormExchange& exchange, RemainingTime& remaining,
                         const ProgressPanel& panel) {
  exchange.bind(remaining.hours, panel.hours)
      .bind(remaining.minutes, panel.minutes)
      .bind(remaining.seconds, panel.seconds);
}

}  // namespace tralva
