#include "pages/start.h"

#include <QComboBox>
#include <QPushButton>

#include "texts/icons.h"
#include "forms/picture.h"
#include "texts/shell_texts.h"

namespace tralva {
start::start(FormContext context, std::unique_ptr<StartDialogs> dialogs, QWidget* parent)
    : Page(context, parent), dialogs_(std::move(dialogs)) {
  build_form();
  exchange().write_form();
}

void start::build_form() {
  using namespace shell_text;
  FormLayout& form = layout();

  form.group(kDataEntryGroup, {7, 7, 267, 123});
  // The paragraph takes three lines in the wider fonts, so the lists sit a
  // little lower and closer together than the classic template had them.
  form.text(kDataEntryText, {17, 18, 168, 24});
  QComboBox* spans = form.list(list_items(kSpanItems), 102, 44, 44);
  form.label(kSpans, 30, 46, spans);
  QComboBox* conductors = form.list(list_items(kConductorItems), 102, 62, 44);
  form.label(kConductors, 30, 64, conductors);
  QComboBox* kind = form.list(list_items(kLineKindItems), 102, 80, 44);
  form.label(kLineKind, 30, 82, kind);
  QPushButton* view = form.button(kView, {17, 101, 77, 20});
  QPushButton* insert = form.button(kInsertEdit, {105, 101, 77, 20});
  insert->setDefault(true);
  set_default_button(insert);
  form.picture(QStringLiteral(":/pictures/pylon.svg"), kPylonPicture, {189, 16, 79, 108});

  form.group(kGeometryGroup, {7, 132, 267, 100});
  form.picture(QStringLiteral(":/pictures/span.svg"), kSpanPicture, {13, 143, 143, 85});
  form.text(kGeometryText, {166, 148, 101, 43});
  QPushButton* tools =
      form.icon_button(icon::kTools, kLaunchTools, 164, {192, 201, 77, 20});

  form.group(kBandGroup, {7, 235, 267, 87});
  form.text(kBandText, {16, 251, 107, 37});
  form.picture(QStringLiteral(":/pictures/band.svg"), kBandPicture, {131, 243, 137, 74});
  QPushButton* band = form.icon_button(icon::kBand, kComputeBand, 16, {44, 292, 77, 20});

  form.group(kProductGroup, {7, 325, 267, 38});
  form.picture(icon::kApplication, kApplicationIcon, {14, 336, 22, 22});
  form.text(QString::fromUtf8(kProductLines[0]) + u'\n' + QString::fromUtf8(kProductLines[1]),
            {42, 335, 116, 24});
  form.text(QString::fromUtf8(kProductLines[2]) + u'\n' + QString::fromUtf8(kProductLines[3]),
            {160, 335, 110, 24});

  exchange()
      .bind(spans_index_, spans, kSpans)
      .bind(conductors_index_, conductors, kConductors)
      .bind(line_kind_, kind, kLineKind);

  connect(insert, &QPushButton::clicked, this, &start::insert_edit);
  connect(view, &QPushButton::clicked, this, [this] { dialogs_->open_viewer(); });
  connect(tools, &QPushButton::clicked, this, [this] { dialogs_->open_geometry(); });
  connect(band, &QPushButton::clicked, this, [this] { dialogs_->open_band(); });
}

void start::insert_edit() {
  // The fields as the last selection change left them; the lists are not
  // read again.
  if (const auto choice = choose_data_entry(line_kind_, conductors_index_, spans_index_)) {
    dialogs_->open_data_entry(*choice);
  }
}

}  // namespace tralva
