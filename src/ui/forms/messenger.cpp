#include "forms/messenger.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

#include "texts/icons.h"

namespace tralva {
namespace {

const char* icon_of(MessageKind kind) {
  switch (kind) {
    case MessageKind::error:
      return icon::kMessageError;
    case MessageKind::warning:
      return icon::kMessageWarning;
    case MessageKind::information:
      break;
  }
  return icon::kMessageInformation;
}

// Room for the caption in the title bar: its text in a bold title font and
// the window manager's buttons beside it.
int caption_width(const QString& caption, const QWidget& box) {
  QFont title = box.font();
  title.setBold(true);
  const int buttons = 3 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
  return QFontMetrics(title).horizontalAdvance(caption) + buttons + 48;
}

}  // namespace

std::unique_ptr<QMessageBox> make_message_box(const Message& message, QWidget* parent) {
  const std::string_view title = caption(message.kind);
  const QString caption_text =
      QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
  auto box =
      std::make_unique<QMessageBox>(QMessageBox::NoIcon, caption_text,
                                    QString::fromStdString(message.text), QMessageBox::Ok, parent);
  // The drawing itself at the screen's pixel density, not a scaled bitmap.
  const int side = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box.get());
  box->setIconPixmap(QIcon(QString::fromUtf8(icon_of(message.kind)))
                         .pixmap(QSize(side, side), box->devicePixelRatio()));
  // A box narrower than its caption shows it cut ("Tralva …zione!").
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
    grid->addItem(new QSpacerItem(caption_width(caption_text, *box), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  return box;
}

void BoxMessenger::show(const Message& message) {
  make_message_box(message, QApplication::activeWindow())->exec();
}

}  // namespace tralva
