#include "pages/start.h"

#include <QComboBox>
#include <QPushButton>

#include "texts/icons.h"
#include "texts/shell_texts.h"

namespace tralva {
start::start(FormContext context, std::unique_ptr<StartDialogs> dialogs, QWidget* parent)
    : Page(context, parent), dialogs_(std::move(dialogs)) {
  using namespace shell_text;
  FormLayout& layout = form().layout();

  layout.group(kDataEntryGroup, {7, 7, 267, 123});
  // Wider than the classic 159 units, so the paragraph is never clipped in
  // the wider fonts; it still ends above the first list.
  layout.text(kDataEntryText, {17, 21, 168, 18});
  QComboBox* spans = layout.list(list_items(kSpanItems), 102, 42, 44);
  layout.label(kSpans, 30, 44, spans);
  QComboBox* conductors = layout.list(list_items(kConductorItems), 102, 61, 44);
  layout.label(kConductors, 30, 63, conductors);
  QComboBox* kind = layout.list(list_items(kLineKindItems), 102, 80, 44);
  layout.label(kLineKind, 30, 82, kind);
  QPushButton* view = layout.button(kView, {17, 101, 77, 20});
  QPushButton* insert = layout.button(kInsertEdit, {105, 101, 77, 20});
  form().set_default_button(insert);
  layout.picture(QStringLiteral(":/pictures/pylon.svg"), kPylonPicture, {189, 16, 79, 108});

  layout.group(kGeometryGroup, {7, 132, 267, 100});
  layout.picture(QStringLiteral(":/pictures/span.svg"), kSpanPicture, {13, 143, 143, 85});
  layout.text(kGeometryText, {166, 148, 101, 43});
  QPushButton* tools = layout.icon_button(icon::kTools, kLaunchTools, 164, {192, 201, 77, 20});

  layout.group(kBandGroup, {7, 235, 267, 87});
  layout.text(kBandText, {16, 251, 107, 37});
  layout.picture(QStringLiteral(":/pictures/band.svg"), kBandPicture, {131, 243, 137, 74});
  QPushButton* band = layout.icon_button(icon::kBand, kComputeBand, 16, {44, 292, 77, 20});

  layout.group(kProductGroup, {7, 325, 267, 38});
  layout.picture(icon::kApplication, kApplicationIcon, {14, 336, 22, 22});
  layout.text(QString::fromUtf8(kProductLines[0]) + u'\n' + QString::fromUtf8(kProductLines[1]),
              {42, 335, 116, 24});
  layout.text(QString::fromUtf8(kProductLines[2]) + u'\n' + QString::fromUtf8(kProductLines[3]),
              {160, 335, 110, 24});

  form()
      .exchange()
      .bind(spans_index_, spans, kSpans)
      .bind(conductors_index_, conductors, kConductors)
      .bind(line_kind_, kind, kLineKind);

  connect(insert, &QPushButton::clicked, this, &start::insert_edit);
  connect(view, &QPushButton::clicked, this, [this] { dialogs_->open_viewer(); });
  connect(tools, &QPushButton::clicked, this, [this] { dialogs_->open_geometry(); });
  connect(band, &QPushButton::clicked, this, [this] { dialogs_->open_band(); });
  form().exchange().write_form();
}

void start::insert_edit() {
  // The fields as the last selection change left them; the lists are not
  // read again.
  if (const auto choice = choose_data_entry(line_kind_, conductors_index_, spans_index_)) {
    dialogs_->open_data_entry(*choice);
  }
}

}  // namespace tralva
