#include "dialogs/paletta.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "dialogs/configuration_canvas.h"
#include "forms/window_place.h"
#include "geometry/geometry_texts.h"
#include "texts/file_types.h"
#include "texts/icons.h"
#include "texts/viewer_texts.h"

namespace tralva {
namespace {

namespace text = viewer_text;

// The template, in dialog units.  The left column holds the parameters and
// the commands ("Adatta" between "Visualizza" and "Esci"), the right part
// the drawing area.
constexpr int kWidth = 679;
constexpr int kHeight = 441;
constexpr DuRect kParametersGroup{7, 7, 143, 301};
constexpr int kColumnX = 14;
constexpr int kButtonX = 38;  // after the icon
constexpr int kButtonWidth = 105;
constexpr int kButtonHeight = 20;
constexpr int kOpenY = 20;
constexpr DuRect kPath{kColumnX, 45, 129, 13};
constexpr DuRect kBoundsGroup{kColumnX, 63, 129, 113};
constexpr int kBoundLabelX = 22;
constexpr int kBoundEditX = 58;
constexpr int kBoundEditWidth = 78;
constexpr int kFirstBoundY = 77;
constexpr int kBoundLine = 16;
constexpr int kProjectionLabelY = 184;
constexpr int kProjectionListY = 196;
constexpr int kProjectionListWidth = 50;
constexpr int kViewY = 220;
constexpr int kFitY = 244;
constexpr int kExitY = 268;
constexpr DuRect kPicture{7, 313, 144, 121};
constexpr DuRect kAreaGroup{157, 7, 515, 427};
constexpr DuRect kFrame{163, 21, 501, 408};

// The smallest frame that holds the plot with its widest pen and the
// frame's own line.
constexpr int kFrameAroundPlot = 3;

}  // namespace

paletta::paletta(ConfigurationView& view, FormContext context, QWidget* parent)
    : FormDialog(QString::fromUtf8(text::kCaption), context, parent), view_(view) {
  setObjectName(QStringLiteral("paletta"));
  FormLayout& layout = form().layout();
  const DialogUnits& units = layout.units();

  // The frame follows the template unless the font makes it too small for
  // the plot; then it grows, and the window with it.
  QRect frame = units.rect(kFrame);
  const QSize needed(kPlotRect.width() + 2 * kFrameAroundPlot,
                     kPlotRect.height() + 2 * kFrameAroundPlot);
  const QSize growth(std::max(0, needed.width() - frame.width()),
                     std::max(0, needed.height() - frame.height()));
  frame.setSize(frame.size() + growth);
  setFixedSize(units.size(kWidth, kHeight) + growth);

  layout.group(text::kParametersGroup, kParametersGroup);
  QPushButton* open = layout.icon_button(icon::kOpen, text::kOpenFile, kColumnX,
                                         {kButtonX, kOpenY, kButtonWidth, kButtonHeight});
  QLineEdit* path = layout.text_edit(kPath);
  name_control(path, path_beside(text::kOpenFile));
  connect_picker(*open, context.files, PickMode::open, file_request(file_type::kProject),
                 view_.data_path, form().exchange());

  layout.group(text::kBoundsGroup, kBoundsGroup);
  QLineEdit* bounds[6];
  for (int i = 0; i < 6; ++i) {
    bounds[i] =
        layout.labelled_edit(text::kBoundLabels[i], kBoundLabelX,
                             {kBoundEditX, kFirstBoundY + i * kBoundLine, kBoundEditWidth, 13});
  }
  QComboBox* projection = layout.list(list_items(text::kProjectionItems), kColumnX,
                                      kProjectionListY, kProjectionListWidth);
  layout.label(text::kProjection, kColumnX, kProjectionLabelY, projection);

  const auto command = [&](const char* icon, const char* label, int y) {
    return layout.icon_button(icon, label, kColumnX, {kButtonX, y, kButtonWidth, kButtonHeight});
  };
  QPushButton* view_button = command(icon::kRun, text::kView, kViewY);
  QPushButton* fit_button = command(icon::kFit, text::kFit, kFitY);
  QPushButton* exit = command(icon::kExit, text::kExit, kExitY);
  layout.picture(QStringLiteral(":/pictures/pylons.svg"), text::kPylonsPicture, kPicture);

  QRect area = units.rect(kAreaGroup);
  area.setSize(area.size() + growth);
  layout.group(text::kAreaGroup, kAreaGroup)->setGeometry(area);
  canvas_ = new ConfigurationCanvas(this);
  canvas_->setGeometry(frame);

  copy_ = new QAction(QString::fromUtf8(text::kCopyImage), canvas_);
  save_ = new QAction(QString::fromUtf8(text::kSaveImage), canvas_);
  canvas_->addActions({copy_, save_});
  erase();

  ViewBounds& b = view_.bounds;
  form()
      .exchange()
      .bind(view_.data_path, path)
      .bind(b.x_min, bounds[0])
      .bind(b.x_max, bounds[1])
      .bind(b.y_min, bounds[2])
      .bind(b.y_max, bounds[3])
      .bind(b.z_min, bounds[4])
      .bind(b.z_max, bounds[5])
      .bind(view_.horizontal_axis_label, canvas_->horizontal_label())
      .bind(view_.vertical_axis_label, canvas_->vertical_label())
      .bind(view_.projection, projection, text::kProjection);

  connect(view_button, &QPushButton::clicked, this, &paletta::view);
  connect(fit_button, &QPushButton::clicked, this, &paletta::fit);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
  connect(copy_, &QAction::triggered, this, &paletta::copy_image);
  connect(save_, &QAction::triggered, this, &paletta::save_image);

  // The frame, title bar included, at the top left of the screen's free area.
  place_top_left(*this);
  form().exchange().write_form();
}

void paletta::view() { draw(false); }

void paletta::fit() { draw(true); }

void paletta::draw(bool fit) {
  // The list offers nothing else.
  const Projection projection = projection_from_text(view_.projection).value_or(Projection::xy);
  // The checks use the fields as the last change left them, so a failed
  // one leaves the old picture; once they pass, the picture goes.
  DrawingOutcome outcome =
      draw_configuration({view_.data_path, projection, view_.bounds, fit}, [this] {
        form().exchange().read_form();  // a field that cannot be read prompts; the command goes on
        erase();
      });
  if (const auto* failure = std::get_if<Message>(&outcome)) {
    return form().messenger().show(*failure);
  }
  Drawing& drawing = std::get<Drawing>(outcome);
  view_.bounds = drawing.bounds;
  const AxisLabels labels = axis_labels(projection);
  view_.horizontal_axis_label = labels.horizontal;
  view_.vertical_axis_label = labels.vertical;
  form().exchange().write_form();
  canvas_->show_list(std::move(drawing.list));
  copy_->setEnabled(true);
  save_->setEnabled(true);
}

void paletta::erase() {
  canvas_->erase();
  copy_->setEnabled(false);
  save_->setEnabled(false);
}

void paletta::copy_image() { QGuiApplication::clipboard()->setImage(canvas_->image()); }

void paletta::save_image() {
  const auto path = form().context().files.save_file(file_request(file_type::kImage));
  if (!path) return;
  const auto format = drawing_format(*path);
  std::string bytes;
  if (format == DrawingFormat::svg) {
    bytes = drawing_text(*canvas_->list(), *format);
  } else if (format == DrawingFormat::png) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!canvas_->image().save(&buffer, "PNG")) {
      return form().messenger().show(error_message(geometry_text::kCannotCreateDrawing));
    }
    bytes = png.toStdString();
  } else {
    return form().messenger().show(warning_message(text::kImageExtension));
  }
  if (auto failure = write_drawing(*path, bytes)) form().messenger().show(*failure);
}

}  // namespace tralva
