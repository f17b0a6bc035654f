#include "forms/reading_note.h"

#include <QAction>
#include <QIcon>
#include <QLineEdit>

#include "texts/icons.h"

namespace tralva {
namespace {

constexpr char kMarkName[] = "nota di lettura";
// The edit's own tooltip, given back when the note goes.
constexpr char kPlainTooltip[] = "tralva_plain_tooltip";

QAction* mark_of(const QLineEdit& edit) {
  return edit.findChild<QAction*>(QString::fromUtf8(kMarkName), Qt::FindDirectChildrenOnly);
}

}  // namespace

void show_reading_note(QLineEdit& edit, const std::optional<std::string>& note) {
  QAction* mark = mark_of(edit);
  if (!note) {
    if (mark == nullptr || !mark->isVisible()) return;
    mark->setVisible(false);
    edit.setToolTip(edit.property(kPlainTooltip).toString());
    edit.setAccessibleDescription(QString());
    return;
  }
  const QString text = QString::fromStdString(*note);
  if (mark == nullptr) {
    mark = new QAction(QIcon(QString::fromUtf8(icon::kReading)), QString(), &edit);
    mark->setObjectName(QString::fromUtf8(kMarkName));
    // Numbers are right-aligned: the mark at the start never covers them.
    edit.addAction(mark, QLineEdit::LeadingPosition);
  }
  if (!mark->isVisible() || mark->toolTip().isEmpty()) {
    edit.setProperty(kPlainTooltip, edit.toolTip());
  }
  mark->setToolTip(text);
  mark->setVisible(true);
  edit.setToolTip(text);
  edit.setAccessibleDescription(text);
}

QString reading_note(const QLineEdit& edit) {
  const QAction* mark = mark_of(edit);
  return mark != nullptr && mark->isVisible() ? mark->toolTip() : QString();
}

}  // namespace tralva
