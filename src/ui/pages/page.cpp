#include "pages/page.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "forms/dialog_keys.h"
#include "forms/file_picker.h"

namespace tralva {

Page::Page(FormContext context, QWidget* parent)
    : QFrame(parent), context_(context), exchange_(context.messenger), layout_(*this) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  hide();
}

void Page::connect_picker(QPushButton* button, PickMode mode, FileRequest request,
                          std::string& path) {
  tralva::connect_picker(*button, context_.files, mode, std::move(request), path, exchange_);
}

void Page::keyPressEvent(QKeyEvent* event) {
  if (handle_enter(*event, QApplication::focusWidget(), default_button_) || is_escape(*event)) {
    event->accept();
    return;
  }
  QFrame::keyPressEvent(event);
}

}  // namespace tralva
