#include "pages/page.h"

#include <QKeyEvent>

#include "forms/dialog_keys.h"

namespace tralva {

Page::Page(FormContext context, QWidget* parent) : QFrame(parent), form_(*this, context) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  hide();
}

void Page::keyPressEvent(QKeyEvent* event) {
  if (form_.handle_enter(*event) || is_escape(*event)) {
    event->accept();
    return;
  }
  QFrame::keyPressEvent(event);
}

}  // namespace tralva
