#include "forms/messenger.h"

#include <QApplication>
#include <QMessageBox>

namespace tralva {
namespace {

QMessageBox::Icon icon_of(MessageKind kind) {
  switch (kind) {
    case MessageKind::error:
      return QMessageBox::Critical;
    case MessageKind::warning:
      return QMessageBox::Warning;
    case MessageKind::information:
      break;
  }
  return QMessageBox::Information;
}

}  // namespace

void BoxMessenger::show(const Message& message) {
  const std::string_view title = caption(message.kind);
  QMessageBox box(
      icon_of(message.kind), QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
      QString::fromStdString(message.text), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace tralva
