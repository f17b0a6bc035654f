#include "app/command_line.h"

#include <QFileInfo>

#include "texts/shell_texts.h"

namespace tralva {
namespace {

CommandLine refused(const char* text, const QString& argument) {
  const QString notice =
      QString::fromUtf8(text).arg(argument) + u'\n' + QString::fromUtf8(shell_text::kUsage);
  return {std::nullopt, notice.toStdString()};
}

}  // namespace

CommandLine read_command_line(const QStringList& arguments) {
  if (arguments.isEmpty()) return {};
  // Guessing which of several files was meant would open the wrong one.
  if (arguments.size() > 1) {
    return refused(shell_text::kOneFileOnly, QString::number(arguments.size()));
  }
  const QString& argument = arguments.front();
  if (argument.startsWith(u'-')) return refused(shell_text::kUnknownOption, argument);
  const QFileInfo file(argument);
  if (!file.exists()) return refused(shell_text::kNoSuchFile, argument);
  if (file.isDir()) return refused(shell_text::kNotAFile, argument);
  // Absolute, as the file dialogs give paths: the edits show where the file
  // is, whatever folder the program was started from.
  return {file.absoluteFilePath().toStdString(), {}};
}

}  // namespace tralva
