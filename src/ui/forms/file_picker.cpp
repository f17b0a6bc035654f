#include "forms/file_picker.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

#include "forms/form_exchange.h"
#include "texts/file_types.h"

namespace tralva {

FileRequest file_request(std::string filter, std::string extension) {
  return {std::move(filter), "*." + extension, std::move(extension), {}};
}

FileRequest file_request(const FileType& type) { return file_request(type.filter, type.extension); }

namespace {

struct FilterPair {
  QString description;  // "Dati di Tralva (*.tlva)"
  QString pattern;      // "*.tlva"
};

std::vector<FilterPair> filter_pairs(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(u'|');
  std::vector<FilterPair> pairs;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty() && parts[i + 1].isEmpty()) break;
    pairs.push_back({parts[i], parts[i + 1]});
  }
  return pairs;
}

// "svg" for "*.svg"; nothing for a pattern that names no one extension.
QString pattern_extension(const QString& pattern) {
  if (!pattern.startsWith(QStringLiteral("*."))) return {};
  const QString extension = pattern.mid(2);
  const bool plain = std::none_of(extension.begin(), extension.end(), [](QChar c) {
    return c == u'*' || c == u'?' || c == u';' || c == u' ' || c == u'.';
  });
  return plain ? extension : QString();
}

}  // namespace

QStringList name_filters(const std::string& filter) {
  QStringList filters;
  for (const FilterPair& pair : filter_pairs(filter)) {
    if (pair.description.contains(u'(')) {
      filters << pair.description;
    } else {
      filters << pair.description + QStringLiteral(" (") + pair.pattern + u')';
    }
  }
  return filters;
}

QString start_folder(const std::string& current_path, const QString& last_folder) {
  if (!current_path.empty()) {
    const QDir folder = QFileInfo(QString::fromStdString(current_path)).absoluteDir();
    if (folder.exists()) return folder.absolutePath();
  }
  if (!last_folder.isEmpty() && QDir(last_folder).exists()) return last_folder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

void configure_file_dialog(QFileDialog& dialog, const FileRequest& request, PickMode mode,
                           const QString& folder) {
  // The toolkit's own dialog, whatever the desktop: it speaks the
  // program's Italian and takes its filters and start folder as given.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setDirectory(folder);
  const QStringList filters = name_filters(request.filter);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  // Where several kinds are offered, a name typed without an extension gets
  // that of the kind chosen in the list: "vista" as "Disegno SVG" is vista.svg.
  QStringList extensions;
  for (const FilterPair& pair : filter_pairs(request.filter)) {
    extensions << pattern_extension(pair.pattern);
  }
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, filters, extensions](const QString& chosen) {
                     const qsizetype kind = filters.indexOf(chosen);
                     if (kind >= 0 && !extensions[kind].isEmpty()) {
                       dialog.setDefaultSuffix(extensions[kind]);
                     }
                   });
  if (mode == PickMode::save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  // A wildcard name only filters the listing; it is what the user sees first.
  dialog.selectFile(QString::fromStdString(request.initial_name));
}

bool pick_file(FilePicker& picker, PickMode mode, FileRequest request, std::string& path,
               FormExchange& form) {
  request.current_path = path;
  const std::optional<std::string> chosen =
      mode == PickMode::open ? picker.open_file(request) : picker.save_file(request);
  if (!chosen) return false;
  path = *chosen;
  form.write_form();
  return true;
}

void connect_picker(QPushButton& button, FilePicker& picker, PickMode mode, FileRequest request,
                    std::string& path, FormExchange& form) {
  QObject::connect(&button, &QPushButton::clicked, &button,
                   [&picker, mode, request = std::move(request), &path, &form] {
                     pick_file(picker, mode, request, path, form);
                   });
}

std::optional<std::string> DialogFilePicker::open_file(const FileRequest& request) {
  return pick(request, PickMode::open);
}

std::optional<std::string> DialogFilePicker::save_file(const FileRequest& request) {
  return pick(request, PickMode::save);
}

void DialogFilePicker::start_in_folder_of(const std::string& file) {
  last_folder_ = QFileInfo(QString::fromStdString(file)).absolutePath();
}

std::optional<std::string> DialogFilePicker::pick(const FileRequest& request, PickMode mode) {
  QFileDialog dialog(QApplication::activeWindow());
  configure_file_dialog(dialog, request, mode, start_folder(request.current_path, last_folder_));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  last_folder_ = QFileInfo(chosen.front()).absolutePath();
  return QDir::toNativeSeparators(chosen.front()).toStdString();
}

}  // namespace tralva
