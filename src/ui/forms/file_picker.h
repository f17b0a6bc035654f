#pragma once
// The open and save pickers of the forms.  A request carries the filter in
// the classic form "Dati di Tralva (*.tlva)|*.tlva|" (description and
// pattern pairs, each ended by a bar), the initial file name and the default
// extension.  Tests answer from a script instead of showing a dialog.

#include <QStringList>
#include <optional>
#include <string>

class QFileDialog;
class QPushButton;

namespace tralva {
class FormExchange;
struct FileType;
}  // namespace tralva

namespace tralva {

struct FileRequest {
  std::string filter;             // "Dati di Tralva (*.tlva)|*.tlva|"
  std::string initial_name;       // "*.tlva"
  std::string default_extension;  // "tlva"
  // The path already in the edit beside the button: the dialog starts in
  // its folder.
  std::string current_path;

  bool operator==(const FileRequest&) const = default;
};

// The usual request: initial name "*.<extension>".
FileRequest file_request(std::string filter, std::string extension);
FileRequest file_request(const FileType& type);

class FilePicker {
 public:
  virtual ~FilePicker() = default;
  // The chosen full path, or nullopt when the user cancels.
  virtual std::optional<std::string> open_file(const FileRequest& request) = 0;
  // Asks before replacing an existing file.
  virtual std::optional<std::string> save_file(const FileRequest& request) = 0;
  // Pickers whose edit holds no path start in the folder of `file` until the
  // user chooses a file in one: where the project named on the command line is.
  virtual void start_in_folder_of(const std::string& file) = 0;
};

// The classic filter as the name filters of QFileDialog: one entry per pair,
// "Dati di Tralva (*.tlva)"; a description without its pattern in
// parentheses gets it appended.
QStringList name_filters(const std::string& filter);

enum class PickMode { open, save };
// Sets up a file dialog for a request: the folder it starts in, name
// filters, initial name, default extension, overwrite prompt for saving.
void configure_file_dialog(QFileDialog& dialog, const FileRequest& request, PickMode mode,
                           const QString& folder);

// Where a file dialog starts: the folder of the path already in the edit if
// it exists, else the last folder used in this run (that of the last file
// chosen, or of the project named on the command line), else the user's
// documents (or home) folder.
QString start_folder(const std::string& current_path, const QString& last_folder);

// A file command of a form: on OK the chosen path goes into `path` and the
// form is written; on cancel nothing changes.  True when a file was chosen.
bool pick_file(FilePicker& picker, PickMode mode, FileRequest request, std::string& path,
               FormExchange& form);
// A file button: every click is such a file command.
void connect_picker(QPushButton& button, FilePicker& picker, PickMode mode, FileRequest request,
                    std::string& path, FormExchange& form);

class DialogFilePicker final : public FilePicker {
 public:
  std::optional<std::string> open_file(const FileRequest& request) override;
  std::optional<std::string> save_file(const FileRequest& request) override;
  void start_in_folder_of(const std::string& file) override;

 private:
  std::optional<std::string> pick(const FileRequest& request, PickMode mode);

  QString last_folder_;
};

}  // namespace tralva
