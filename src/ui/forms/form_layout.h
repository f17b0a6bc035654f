#pragma once
// Builds a form's controls at the places a dialog template gives, in dialog
// units of the form's font.  Every control is a direct child of the form, as
// in a template: group boxes are frames drawn behind the controls.
//
// Controls follow the dialog rules of the system: push buttons never become
// default by themselves (Enter presses only a page's declared default
// button), numeric edits are right-aligned, integer edits take digits only,
// lists can only be picked from.

#include <QString>
#include <QStringList>
#include <optional>

#include "forms/dialog_units.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tralva {

class Picture;
class UpDownArrows;

// A name that tells two equal labels apart by their group or role:
// "Precisione per X e Y (Esecuzione del calcolo orografico)".
QString in_group(const QString& label, const QString& group);
// The name of the path edit beside a file button: "Apri il file di dati (percorso)".
QString path_beside(const QString& button);
// The object name and accessible name of a control: how tests, screen
// readers and desktop automation find it.
void name_control(QWidget* control, const QString& name);
// Edits laid over a diagram have no label of their own: each without a
// tooltip gets its name, which says what its symbol stands for.
void explain_edits_by_name(QWidget& form);

// The items of a drop-down list, from an array of texts.
template <std::size_t N>
QStringList list_items(const char* const (&texts)[N]) {
  QStringList items;
  for (const char* text : texts) items << QString::fromUtf8(text);
  return items;
}

// The progress bar of a long command with its scale "0%" ... "100%" and the
// remaining-time display beside "Tempo rimanente".
struct ProgressPanel {
  QProgressBar* bar = nullptr;
  QLabel* hours = nullptr;
  QLabel* minutes = nullptr;
  QLabel* seconds = nullptr;
};

// Where a file command stands: the icon's left edge, the button, and the
// path edit from `path_x`, `path_width` wide, in its natural height level
// with the button's middle.
struct FileRowPlace {
  int icon_x = 0;
  DuRect button;
  int path_x = 0;
  int path_width = 130;
};

// A file command: icon, push button and the path edit beside it, named
// after the button ("Apri il file di dati (percorso)").
struct FileRow {
  QPushButton* button = nullptr;
  QLineEdit* path = nullptr;
};

// Two radio buttons that exclude each other and no others of the form.
struct RadioPair {
  QRadioButton* first = nullptr;
  QRadioButton* second = nullptr;
};

enum class EditKind {
  number,  // right-aligned
  digits,  // right-aligned, digits only
  text,
};

class FormLayout {
 public:
  explicit FormLayout(QWidget& form);

  const DialogUnits& units() const { return units_; }

  QGroupBox* group(const QString& title, DuRect place);
  // One line of text at (x, y), as wide as its text.  With a buddy it is
  // that control's label for screen readers.
  QLabel* label(const QString& text, int x, int y, QWidget* buddy = nullptr);
  // A paragraph wrapped inside its rectangle.
  QLabel* text(const QString& text, DuRect place);
  // A number the form shows and the user cannot type (a result), right-aligned
  // on its line.
  QLabel* value(DuRect place);
  QLineEdit* number_edit(DuRect place);
  QLineEdit* digits_edit(DuRect place);
  QLineEdit* text_edit(DuRect place);
  // An edit with its label: the label from `label_x` on, level with the
  // edit's middle.  The edit is named `name`, or after its label when there
  // is none, for tests, screen readers and desktop automation.
  QLineEdit* labelled_edit(const QString& label, int label_x, DuRect edit,
                           EditKind kind = EditKind::number, const QString& name = {});
  // A drop-down list at (x, y) of the given width, items in this order.
  QComboBox* list(const QStringList& items, int x, int y, int width);
  QCheckBox* check(const QString& text, int x, int y);
  // A pair of radio buttons at (first_x, first_y) and (second_x, second_y),
  // reached by clicking, not by the Tab key.  They are named after their texts,
  // qualified by `group` where the same pair appears twice in a form.
  RadioPair radio_pair(const QString& first, int first_x, int first_y, const QString& second,
                       int second_x, int second_y, const QString& group = {});
  QPushButton* button(const QString& text, DuRect place);
  // A push button with its icon in the 20 x 20 box to its left (as the
  // pages place them); `icon_x` is the icon's left edge.
  QPushButton* icon_button(const QString& icon, const QString& text, int icon_x, DuRect place);
  FileRow file_row(const QString& icon, const QString& text, const FileRowPlace& place);
  Picture* picture(const QString& resource, const QString& description, DuRect place);
  // A picture with edits laid over it: drawn in dialog units of its place and
  // stretched to it, so each of its marks stays beside the edit placed at the
  // same dialog units, whatever the font.
  Picture* diagram(const QString& resource, const QString& description, DuRect place);
  Picture* icon(const QString& resource, int x, int y);
  // The bar at (x, y), 148 x 6, with its scale under it and the remaining
  // time to its right, whose icon stands at `icon_x` (164 units right of the
  // bar unless given).  The bar and the three numbers are named, qualified
  // by `group` where a page has more than one.
  ProgressPanel progress(int x, int y, const QString& group = {},
                         std::optional<int> icon_x = std::nullopt);
  // Up-down arrows in their rectangle, the up arrow in the upper half.
  UpDownArrows* up_down(DuRect place);

 private:
  QRect line_rect(QWidget* control, int x, int y, int du_height) const;

  QWidget& form_;
  DialogUnits units_;
};

}  // namespace tralva
