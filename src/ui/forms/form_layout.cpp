#include "forms/form_layout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "forms/form_texts.h"
#include "forms/picture.h"
#include "forms/up_down_arrows.h"
#include "texts/icons.h"
#include "texts/tooltip_texts.h"

namespace tralva {

QString in_group(const QString& label, const QString& group) {
  return label + QStringLiteral(" (") + group + u')';
}

QString path_beside(const QString& button) {
  return in_group(button, QString::fromUtf8(form_text::kPath));
}

void name_control(QWidget* control, const QString& name) {
  control->setObjectName(name);
  control->setAccessibleName(name);
}

void explain_edits_by_name(QWidget& form) {
  for (QLineEdit* edit : form.findChildren<QLineEdit*>()) {
    if (edit->toolTip().isEmpty()) edit->setToolTip(edit->accessibleName());
  }
}

namespace {

// The tooltip the texts give a label or button of this form, if any; a
// label passes it on to the control it names.
void explain(QWidget& form, QWidget* control, const QString& text, QWidget* buddy = nullptr) {
  const char* tooltip =
      tooltip_text::tooltip_for(form.metaObject()->className(), text.toStdString());
  if (tooltip == nullptr) return;
  control->setToolTip(QString::fromUtf8(tooltip));
  if (buddy != nullptr && buddy->toolTip().isEmpty()) buddy->setToolTip(QString::fromUtf8(tooltip));
}

}  // namespace

FormLayout::FormLayout(QWidget& form) : form_(form), units_(form.font()) {}

QRect FormLayout::line_rect(QWidget* control, int x, int y, int du_height) const {
  // A one-line control keeps its natural height, centred on the line the
  // template gives it, so labels and edits of one row share a middle.
  const QSize natural = control->sizeHint();
  const int middle = units_.y(y) + units_.y(du_height) / 2;
  return {units_.x(x), middle - natural.height() / 2, natural.width(), natural.height()};
}

QGroupBox* FormLayout::group(const QString& title, DuRect place) {
  auto* box = new QGroupBox(title, &form_);
  box->setGeometry(units_.rect(place));
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

QLabel* FormLayout::label(const QString& text, int x, int y, QWidget* buddy) {
  auto* label = new QLabel(text, &form_);
  label->setBuddy(buddy);
  label->setGeometry(line_rect(label, x, y, 8));
  explain(form_, label, text, buddy);
  return label;
}

QLabel* FormLayout::text(const QString& text, DuRect place) {
  auto* label = new QLabel(text, &form_);
  explain(form_, label, text);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Never clipped: a paragraph longer than its place grows downwards.
  QRect area = units_.rect(place);
  area.setHeight(std::max(area.height(), label->heightForWidth(area.width())));
  label->setGeometry(area);
  return label;
}

QLabel* FormLayout::value(DuRect place) {
  QLabel* number = text(QStringLiteral("0"), place);
  number->setWordWrap(false);
  number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return number;
}

QLineEdit* FormLayout::number_edit(DuRect place) {
  QLineEdit* edit = text_edit(place);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

QLineEdit* FormLayout::digits_edit(DuRect place) {
  QLineEdit* edit = number_edit(place);
  static const QRegularExpression digits(QStringLiteral("[0-9]*"));
  edit->setValidator(new QRegularExpressionValidator(digits, edit));
  return edit;
}

QLineEdit* FormLayout::text_edit(DuRect place) {
  auto* edit = new QLineEdit(&form_);
  // Never shorter than its text needs (12 units are not enough in every
  // font): it grows evenly about the template's line.
  QRect area = units_.rect(place);
  const int missing = edit->minimumSizeHint().height() - area.height();
  if (missing > 0) area.adjust(0, -missing / 2, 0, missing - missing / 2);
  edit->setGeometry(area);
  return edit;
}

QLineEdit* FormLayout::labelled_edit(const QString& label, int label_x, DuRect place, EditKind kind,
                                     const QString& name) {
  QLineEdit* edit = kind == EditKind::digits   ? digits_edit(place)
                    : kind == EditKind::number ? number_edit(place)
                                               : text_edit(place);
  QLabel* text = this->label(label, label_x, place.y, edit);
  text->move(text->x(), edit->geometry().center().y() - text->height() / 2);
  name_control(edit, name.isEmpty() ? label : name);
  return edit;
}

QComboBox* FormLayout::list(const QStringList& items, int x, int y, int width) {
  auto* list = new QComboBox(&form_);
  list->addItems(items);
  list->setEditable(false);
  QRect place = line_rect(list, x, y, 12);
  place.setWidth(units_.x(width));
  list->setGeometry(place);
  return list;
}

QCheckBox* FormLayout::check(const QString& text, int x, int y) {
  auto* box = new QCheckBox(text, &form_);
  explain(form_, box, text);
  box->setGeometry(line_rect(box, x, y, 10));
  return box;
}

RadioPair FormLayout::radio_pair(const QString& first, int first_x, int first_y,
                                 const QString& second, int second_x, int second_y,
                                 const QString& group) {
  // Every control is a child of the form, so the pair needs a group of its
  // own: left to themselves, all radio buttons of a form would exclude each
  // other.
  auto* pair = new QButtonGroup(&form_);
  pair->setExclusive(true);
  const auto radio = [&](const QString& text, int x, int y) {
    auto* button = new QRadioButton(text, &form_);
    button->setFocusPolicy(Qt::ClickFocus);
    button->setGeometry(line_rect(button, x, y, 10));
    name_control(button, group.isEmpty() ? text : in_group(text, group));
    pair->addButton(button);
    return button;
  };
  return {radio(first, first_x, first_y), radio(second, second_x, second_y)};
}

QPushButton* FormLayout::button(const QString& text, DuRect place) {
  auto* button = new QPushButton(text, &form_);
  explain(form_, button, text);
  button->setAutoDefault(false);
  button->setGeometry(units_.rect(place));
  return button;
}

QPushButton* FormLayout::icon_button(const QString& icon_resource, const QString& text, int icon_x,
                                     DuRect place) {
  // The icon only illustrates the button: it has no name of its own.
  icon(icon_resource, icon_x, place.y);
  return button(text, place);
}

FileRow FormLayout::file_row(const QString& icon_resource, const QString& text,
                             const FileRowPlace& place) {
  FileRow row;
  row.button = icon_button(icon_resource, text, place.icon_x, place.button);
  row.path = text_edit({place.path_x, 0, place.path_width, 0});
  // Its natural height, so the text is never cut, level with the button.
  QRect rect = line_rect(row.path, place.path_x, place.button.y, place.button.height);
  rect.setWidth(units_.x(place.path_x + place.path_width) - rect.left());
  row.path->setGeometry(rect);
  name_control(row.path, path_beside(text));
  return row;
}

Picture* FormLayout::picture(const QString& resource, const QString& description, DuRect place) {
  auto* picture = new Picture(resource, description, Picture::Style::sunken, &form_);
  picture->setGeometry(units_.rect(place));
  return picture;
}

Picture* FormLayout::diagram(const QString& resource, const QString& description, DuRect place) {
  auto* picture = new Picture(resource, description, Picture::Style::diagram, &form_);
  picture->setGeometry(units_.rect(place));
  return picture;
}

Picture* FormLayout::icon(const QString& resource, int x, int y) {
  auto* picture = new Picture(resource, QString(), Picture::Style::plain, &form_);
  // Square, as tall as a button.
  const int side = units_.y(20);
  picture->setGeometry(units_.x(x), units_.y(y), side, side);
  return picture;
}

UpDownArrows* FormLayout::up_down(DuRect place) {
  auto* arrows = new UpDownArrows(&form_);
  arrows->setGeometry(units_.rect(place));
  return arrows;
}

ProgressPanel FormLayout::progress(int x, int y, const QString& group, std::optional<int> icon_x) {
  const auto named = [&group](const char* name) {
    return group.isEmpty() ? QString::fromUtf8(name) : in_group(name, group);
  };
  ProgressPanel panel;
  panel.bar = new QProgressBar(&form_);
  panel.bar->setRange(0, 1000);
  panel.bar->setValue(0);
  panel.bar->setTextVisible(false);
  panel.bar->setGeometry(units_.rect({x, y, 148, 6}));
  name_control(panel.bar, named(form_text::kProgress));

  static constexpr int kScaleAt[] = {0, 31, 66, 101, 136};
  for (int i = 0; i < 5; ++i) {
    label(QString::fromUtf8(form_text::kScale[i]), x + kScaleAt[i], y + 9);
  }

  icon(QString::fromUtf8(icon::kRemaining), icon_x.value_or(x + 164), y - 1);
  label(QString::fromUtf8(form_text::kRemainingTime), x + 193, y - 1);
  // The hours right-aligned before "h", the minutes and the seconds
  // centred before "m" and "s".
  panel.hours = value({x + 186, y + 11, 16, 8});
  label(QStringLiteral("h"), x + 203, y + 11);
  panel.minutes = value({x + 213, y + 11, 10, 8});
  panel.minutes->setAlignment(Qt::AlignCenter);
  label(QStringLiteral("m"), x + 223, y + 11);
  panel.seconds = value({x + 235, y + 11, 10, 8});
  panel.seconds->setAlignment(Qt::AlignCenter);
  label(QStringLiteral("s"), x + 245, y + 11);
  // A static's accessible name is its text (the number); the name describes it.
  for (const auto& [number, name] :
       {std::pair{panel.hours, form_text::kHours}, std::pair{panel.minutes, form_text::kMinutes},
        std::pair{panel.seconds, form_text::kSeconds}}) {
    number->setObjectName(named(name));
    number->setAccessibleDescription(named(name));
  }
  return panel;
}

}  // namespace tralva
