#include "dialogs/data_entry_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <numeric>
#include <tuple>
#include <vector>

#include "project/arm_angles.h"
#include "project/project_file.h"
#include "texts/data_entry_texts.h"
#include "texts/file_types.h"
#include "texts/icons.h"

namespace tralva {
namespace {

namespace text = data_entry_text;

// The grid of the form, in dialog units.  The busiest configuration (6
// conductors, 5 spans) sets the pace: its row of support and sag boxes must
// fit a 1366-pixel screen, so those boxes are as narrow as their titles and
// two columns of numbers allow, and the column headings wrap onto two lines.
constexpr int kMargin = 5;  // window edge to the frame; frame to the buttons
constexpr int kInset = 5;   // frame edge to its contents
constexpr int kTitle = 14;  // top of a frame or box to its first line
constexpr int kLine = 16;   // one line of edits to the next
constexpr int kEdit = 13;
constexpr int kButton = 20;
constexpr int kIconSpace = 22;  // an icon and the gap to its button

constexpr int kHeaderLabel = 52;  // "Segmento [m]"
constexpr int kHeaderEdit = 50;
constexpr int kFileButton = 88;  // "Seleziona il file di dati"
constexpr int kFileAction = 60;  // "Carica il file"
constexpr int kPathMinimum = 130;
constexpr int kFileGap = 6;
constexpr int kFileRowGap = 4;

// A support's coordinate box: two columns of label and edit, wide enough
// for seven-digit coordinates with millimetres.
constexpr int kCoordinateLabel = 36;  // "Angolo [°]"
constexpr int kCoordinateEdit = 52;
constexpr int kCoordinateInset = 5;
constexpr int kCoordinateColumnGap = 6;
constexpr int kCoordinateBox =
    2 * (kCoordinateInset + kCoordinateLabel + kCoordinateEdit) + kCoordinateColumnGap;
constexpr int kCoordinateGap = 4;
constexpr int kCoordinateBoxHeight = kTitle + kLine + kEdit + 3;

// The conductor table, then the row of parameter and sag boxes.
constexpr int kCableColumn = 26;
constexpr int kPhaseColumn = 24;
constexpr int kNumberColumn = 32;  // "1234.57"
constexpr int kColumnGap = 2;
constexpr int kTableWidth = kCableColumn + kPhaseColumn + kNumberColumn + 2 * kColumnGap;
constexpr int kTableGap = 3;
constexpr int kBoxInset = 3;
constexpr int kParameterBox = 2 * kBoxInset + 2 * kNumberColumn + kColumnGap;
constexpr int kSagBox = 2 * kBoxInset + kNumberColumn;
constexpr int kBoxGap = 1;
constexpr int kHeading = 16;  // two lines: "Sbraccio" / "[m]"

constexpr int kAnglesButton = 80;
constexpr int kExitButton = 50;
constexpr int kCommandGap = 10;

// Supports per row of coordinate boxes: one row up to three, then two rows
// (2 + 2, 3 + 2, 3 + 3).
int coordinate_columns(int supports) { return supports <= 3 ? supports : (supports + 1) / 2; }

// Where every part of a configuration's form goes.
struct Grid {
  explicit Grid(const DataEntryChoice& choice)
      : overhead(choice.kind == LineKind::overhead),
        conductors(choice.conductors),
        supports(choice.supports()),
        columns(coordinate_columns(supports)) {
    const int file_row =
        kIconSpace + kFileButton + kFileGap + kPathMinimum + kFileGap + kIconSpace + kFileAction;
    const int coordinates = columns * kCoordinateBox + (columns - 1) * kCoordinateGap;
    const int boxes = supports * kParameterBox + (overhead ? (supports - 1) * kSagBox : 0);
    const int box_count = overhead ? 2 * supports - 1 : supports;
    const int parameters = kTableWidth + kTableGap + boxes + (box_count - 1) * kBoxGap;
    width = std::max({file_row, coordinates, parameters}) + 2 * (kMargin + kInset);
    left = kMargin + kInset;
    right = width - kMargin - kInset;

    header_y = kMargin + kTitle;
    files_y = header_y + (overhead ? 2 : 1) * kLine + 2;
    coordinates_y = files_y + 2 * kButton + kFileRowGap + 6;
    const int rows = supports <= 3 ? 1 : 2;
    parameters_y = coordinates_y + rows * (kCoordinateBoxHeight + kCoordinateGap);
    first_row_y = parameters_y + kTitle + kHeading + 1;
    frame_bottom = first_row_y + (conductors - 1) * kLine + kEdit + 4 + kInset;
    buttons_y = frame_bottom + kMargin;
    height = buttons_y + kButton + kMargin;
  }

  int coordinate_box_width() const {
    return (right - left - (columns - 1) * kCoordinateGap) / columns;
  }
  DuRect coordinate_box(int support) const {
    const int w = coordinate_box_width();
    const int column = support % columns;
    const int row = support / columns;
    return {left + column * (w + kCoordinateGap),
            coordinates_y + row * (kCoordinateBoxHeight + kCoordinateGap), w, kCoordinateBoxHeight};
  }

  // The boxes of the parameter row from left to right (support 1, span 1,
  // support 2, ...), each at least its natural width, spread over the row.
  std::vector<DuRect> parameter_boxes() const {
    std::vector<int> natural;
    for (int s = 0; s < supports; ++s) {
      natural.push_back(kParameterBox);
      if (overhead && s + 1 < supports) natural.push_back(kSagBox);
    }
    const int count = static_cast<int>(natural.size());
    const int from = left + kTableWidth + kTableGap;
    const int room = right - from - (count - 1) * kBoxGap;
    const int total = std::accumulate(natural.begin(), natural.end(), 0);
    std::vector<DuRect> boxes;
    int before = 0;
    for (int i = 0; i < count; ++i) {
      const int start = from + i * kBoxGap + before * room / total;
      before += natural[static_cast<std::size_t>(i)];
      const int end = from + i * kBoxGap + before * room / total;
      boxes.push_back({start, parameters_y, end - start, frame_bottom - kInset - parameters_y});
    }
    return boxes;
  }

  int row_y(int conductor) const { return first_row_y + conductor * kLine; }

  bool overhead;
  int conductors;
  int supports;
  int columns;
  int width = 0, left = 0, right = 0;
  int header_y = 0, files_y = 0, coordinates_y = 0, parameters_y = 0, first_row_y = 0;
  int frame_bottom = 0, buttons_y = 0, height = 0;
};

QString numbered(const char* word, int number) {
  return QString::fromUtf8(word) + u' ' + QString::number(number);
}

// "Altezza [m] conduttore 2 traliccio 3": a label and the places it belongs to.
QString placed(const char* label, const QString& place) {
  return QString::fromUtf8(label) + u' ' + place;
}

struct SupportControls {
  QLineEdit* x = nullptr;
  QLineEdit* y = nullptr;
  QLineEdit* ground_level = nullptr;
  QLineEdit* arm_angle = nullptr;  // overhead only
};

struct ConductorControls {
  QComboBox* phase = nullptr;
  QLineEdit* offset = nullptr;
};

}  // namespace

DataEntry::DataEntry(const DataEntryChoice& configuration)
    : choice(configuration),
      line(make_power_line(configuration.conductors, configuration.supports())) {
  if (choice.kind == LineKind::overhead) line.segment_length = 30;
}

// Builds the controls in the order the Tab key walks them, then binds them
// in the exchange order.
class DataEntryDialog::Builder {
 public:
  explicit Builder(DataEntryDialog& dialog)
      : dialog_(dialog),
        entry_(dialog.entry_),
        grid_(entry_.choice),
        layout_(dialog.form().layout()) {}

  void build() {
    dialog_.setFixedSize(layout_.units().size(grid_.width, grid_.height));
    layout_.group(QString::fromStdString(data_entry_title(entry_.choice)),
                  {kMargin, kMargin, grid_.width - 2 * kMargin, grid_.frame_bottom - kMargin});
    build_header();
    build_files();
    for (int s = 0; s < grid_.supports; ++s) build_support(s);
    build_conductor_table();
    build_parameters();
    build_commands();
    bind();
  }

 private:
  QString support_place(int support) const {
    return numbered(grid_.overhead ? text::kPylon : text::kVertex, support + 1);
  }
  QString span_place(int span) const {
    return numbered(grid_.overhead ? text::kSpan : text::kStretch, span + 1);
  }
  static QString conductor_place(int conductor) {
    return numbered(text::kConductor, conductor + 1);
  }

  QLineEdit* labelled_edit(const char* label, int x, int y, int label_width, int edit_width) {
    return layout_.labelled_edit(label, x, {x + label_width, y, edit_width, kEdit});
  }

  // A column heading, centred over its column and wrapped onto two lines
  // when the column is narrower than the text.
  void heading(const char* label, int x, int y, int width) {
    QLabel* heading = layout_.text(label, {x, y, width, kHeading});
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  }

  void build_header() {
    const int x = grid_.left;
    current_ = labelled_edit(text::kCurrent, x, grid_.header_y, kHeaderLabel, kHeaderEdit);
    if (grid_.overhead) {
      segment_ =
          labelled_edit(text::kSegment, x, grid_.header_y + kLine, kHeaderLabel, kHeaderEdit);
    }
  }

  void build_files() {
    const int button_x = grid_.left + kIconSpace;
    const int path_x = button_x + kFileButton + kFileGap;
    const int action_x = grid_.right - kFileAction;
    const int path_width = action_x - kIconSpace - kFileGap - path_x;
    const auto row = [&](const char* icon, const char* label, const char* action_icon,
                         const char* action, int y, PickMode mode, std::string& path) {
      FileRow file = dialog_.form().file_row(
          icon, label, {grid_.left, {button_x, y, kFileButton, kButton}, path_x, path_width}, mode,
          file_type::kProject, path);
      file.path->setAlignment(Qt::AlignRight);
      QPushButton* command = layout_.icon_button(action_icon, action, action_x - kIconSpace,
                                                 {action_x, y, kFileAction, kButton});
      return std::pair{file, command};
    };
    const int y = grid_.files_y;
    std::tie(load_file_, load_) = row(icon::kOpen, text::kSelectFile, icon::kLoad, text::kLoad, y,
                                      PickMode::open, entry_.load_path);
    std::tie(save_file_, write_) = row(icon::kSave, text::kSaveFile, icon::kWrite, text::kWrite,
                                       y + kButton + kFileRowGap, PickMode::save, entry_.save_path);
  }

  void build_support(int s) {
    const DuRect box = grid_.coordinate_box(s);
    layout_.group(placed(text::kCoordinates, support_place(s)), box);
    const int column = (box.width - kCoordinateColumnGap) / 2;
    const int edit_width = column - kCoordinateInset - kCoordinateLabel;
    const int first = box.x + kCoordinateInset;
    const int second = box.x + box.width - column;
    const int line = box.y + kTitle;
    SupportControls& controls = supports_.emplace_back();
    controls.x = labelled_edit(text::kX, first, line, kCoordinateLabel, edit_width);
    controls.y = labelled_edit(text::kY, second, line, kCoordinateLabel, edit_width);
    controls.ground_level =
        labelled_edit(text::kGroundLevel, first, line + kLine, kCoordinateLabel, edit_width);
    if (grid_.overhead) {
      controls.arm_angle =
          labelled_edit(text::kArmAngle, second, line + kLine, kCoordinateLabel, edit_width);
    }
  }

  void build_conductor_table() {
    const int cable_x = grid_.left;
    const int phase_x = cable_x + kCableColumn + kColumnGap;
    const int offset_x = phase_x + kPhaseColumn + kColumnGap;
    const int heading_y = grid_.parameters_y + kTitle;
    heading(text::kCableNumber, cable_x, heading_y, kCableColumn);
    heading(text::kPhase, phase_x, heading_y, kPhaseColumn);
    heading(text::kOffset, offset_x, heading_y, kNumberColumn);
    for (int j = 0; j < grid_.conductors; ++j) {
      const int y = grid_.row_y(j);
      QLabel* number = layout_.text(QString::number(j + 1), {cable_x, y, kCableColumn, kEdit});
      number->setAlignment(Qt::AlignCenter);
      ConductorControls& controls = conductors_.emplace_back();
      controls.phase = layout_.list(list_items(text::kPhaseItems), phase_x, y, kPhaseColumn);
      controls.offset = layout_.number_edit({offset_x, y, kNumberColumn, kEdit});
    }
  }

  void build_parameters() {
    const int n = grid_.conductors;
    const int p = grid_.supports;
    heights_.resize(entry_.line.height.size());
    arm_lengths_.resize(entry_.line.arm_length.size());
    sags_.resize(entry_.line.sag_constant.size());
    const std::vector<DuRect> boxes = grid_.parameter_boxes();
    const int heading_y = grid_.parameters_y + kTitle;
    std::size_t next = 0;
    for (int s = 0; s < p; ++s) {
      const DuRect box = boxes[next++];
      layout_.group(placed(text::kParameters, support_place(s)), box);
      const int column = (box.width - 2 * kBoxInset - kColumnGap) / 2;
      const int first = box.x + kBoxInset;
      const int second = box.x + box.width - kBoxInset - column;
      heading(text::kHeight, first, heading_y, column);
      heading(text::kArmLength, second, heading_y, column);
      for (int j = 0; j < n; ++j) {
        const std::size_t at = entry_.line.at_support(j, s);
        heights_[at] = layout_.number_edit({first, grid_.row_y(j), column, kEdit});
        arm_lengths_[at] = layout_.number_edit({second, grid_.row_y(j), column, kEdit});
      }
      if (!grid_.overhead || s + 1 == p) continue;
      const DuRect sag_box = boxes[next++];
      layout_.group(text::kSagBox, sag_box);
      const int sag_x = sag_box.x + kBoxInset;
      const int sag_width = sag_box.width - 2 * kBoxInset;
      heading(text::kSag, sag_x, heading_y, sag_width);
      for (int j = 0; j < n; ++j) {
        sags_[entry_.line.at_span(j, s)] =
            layout_.number_edit({sag_x, grid_.row_y(j), sag_width, kEdit});
      }
    }
  }

  void build_commands() {
    const int exit_x = grid_.right - kExitButton;
    const int y = grid_.buttons_y;
    if (grid_.overhead) {
      const int angles_x = exit_x - kIconSpace - kCommandGap - kAnglesButton;
      angles_ = layout_.icon_button(icon::kAngles, text::kComputeAngles, angles_x - kIconSpace,
                                    {angles_x, y, kAnglesButton, kButton});
    }
    exit_ = layout_.icon_button(icon::kExit, text::kExit, exit_x - kIconSpace,
                                {exit_x, y, kExitButton, kButton});
  }

  void bind() {
    PowerLine& line = entry_.line;
    FormExchange& exchange = dialog_.form().exchange();
    exchange.bind(entry_.load_path, load_file_.path)
        .bind(entry_.save_path, save_file_.path)
        .bind(line.current, current_);
    if (grid_.overhead) exchange.bind(line.segment_length, segment_);
    for (int s = 0; s < grid_.supports; ++s) {
      const SupportControls& c = supports_[static_cast<std::size_t>(s)];
      const QString place = support_place(s);
      const auto at = static_cast<std::size_t>(s);
      exchange.bind(line.x[at], c.x, placed(text::kX, place))
          .bind(line.y[at], c.y, placed(text::kY, place))
          .bind(line.ground_level[at], c.ground_level, placed(text::kGroundLevel, place));
      if (grid_.overhead)
        exchange.bind(line.arm_angle[at], c.arm_angle, placed(text::kArmAngle, place));
    }
    for (int j = 0; j < grid_.conductors; ++j) {
      const ConductorControls& c = conductors_[static_cast<std::size_t>(j)];
      const QString place = conductor_place(j);
      const auto at = static_cast<std::size_t>(j);
      exchange.bind(line.phase[at], c.phase, placed(text::kPhase, place))
          .bind(line.phase_offset[at], c.offset, placed(text::kOffset, place));
    }
    for (int s = 0; s < grid_.supports; ++s) {
      for (int j = 0; j < grid_.conductors; ++j) {
        const QString place = conductor_place(j) + u' ' + support_place(s);
        const std::size_t at = line.at_support(j, s);
        exchange.bind(line.height[at], heights_[at], placed(text::kHeight, place))
            .bind(line.arm_length[at], arm_lengths_[at], placed(text::kArmLength, place));
      }
      if (!grid_.overhead || s + 1 == grid_.supports) continue;
      for (int j = 0; j < grid_.conductors; ++j) {
        const std::size_t at = line.at_span(j, s);
        exchange.bind(line.sag_constant[at], sags_[at],
                      placed(text::kSag, conductor_place(j) + u' ' + span_place(s)));
      }
    }
    connect_commands();
  }

  void connect_commands() {
    DataEntryDialog& d = dialog_;
    QObject::connect(load_, &QPushButton::clicked, &d, &DataEntryDialog::load);
    QObject::connect(write_, &QPushButton::clicked, &d, &DataEntryDialog::write);
    if (angles_ != nullptr) {
      QObject::connect(angles_, &QPushButton::clicked, &d, &DataEntryDialog::compute_angles);
    }
    QObject::connect(exit_, &QPushButton::clicked, &d, &QDialog::reject);
  }

  DataEntryDialog& dialog_;
  DataEntry& entry_;
  const Grid grid_;
  FormLayout& layout_;

  QLineEdit* current_ = nullptr;
  QLineEdit* segment_ = nullptr;
  FileRow load_file_;
  FileRow save_file_;
  QPushButton* load_ = nullptr;
  QPushButton* write_ = nullptr;
  std::vector<SupportControls> supports_;
  std::vector<ConductorControls> conductors_;
  std::vector<QLineEdit*> heights_;  // conductor-major, as the line
  std::vector<QLineEdit*> arm_lengths_;
  std::vector<QLineEdit*> sags_;
  QPushButton* angles_ = nullptr;
  QPushButton* exit_ = nullptr;
};

DataEntryDialog::DataEntryDialog(DataEntry& entry, FormContext context, QWidget* parent)
    : FormDialog(QString::fromUtf8(text::kCaption), context, parent), entry_(entry) {
  setObjectName(QString::fromStdString(entry.name()));
  Builder(*this).build();
  form().exchange().write_form();
}

void DataEntryDialog::load() {
  // The file replaces the values: the form is not read first.
  const DataEntryChoice& choice = entry_.choice;
  const LoadResult result = read_single_line(entry_.load_path, choice.kind, choice.conductors,
                                             choice.supports(), entry_.line);
  for (const Message& message : result.messages) form().messenger().show(message);
  if (!result.loaded) return;
  form().exchange().write_form();
  repaint();
}

void DataEntryDialog::write() {
  // A field that cannot be read prompts and keeps its previous value; the
  // file is written all the same.
  form().exchange().read_form();
  if (const auto failure = write_single_line(entry_.save_path, entry_.choice.kind, entry_.line)) {
    form().messenger().show(*failure);
  }
}

void DataEntryDialog::compute_angles() {
  // From the stored coordinates, which follow every edit.
  PowerLine& line = entry_.line;
  if (const auto failure = compute_arm_angles(line.x, line.y, line.arm_angle)) {
    form().messenger().show(*failure);
    return;
  }
  form().exchange().write_form();
}

}  // namespace tralva
