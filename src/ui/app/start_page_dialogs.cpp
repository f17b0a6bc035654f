#include "app/start_page_dialogs.h"

#include <QApplication>
#include <algorithm>

namespace tralva {

StartPageDialogs::StartPageDialogs(FormContext context) : context_(context) {
  for (const DataEntryChoice& choice : data_entry_choices()) data_entries_.emplace_back(choice);
}

void StartPageDialogs::set_project_to_open(const std::string& path) {
  for (DataEntry& entry : data_entries_) entry.load_path = path;
  configuration_view_.data_path = path;
  context_.files.start_in_folder_of(path);
}

DataEntry* StartPageDialogs::data_entry(const DataEntryChoice& choice) {
  const auto found = std::ranges::find(data_entries_, choice, &DataEntry::choice);
  return found == data_entries_.end() ? nullptr : &*found;
}

void StartPageDialogs::open_data_entry(const DataEntryChoice& choice) {
  DataEntry* entry = data_entry(choice);
  if (entry == nullptr) return;
  DataEntryDialog dialog(*entry, context_, QApplication::activeWindow());
  dialog.exec();
}

void StartPageDialogs::open_viewer() {
  paletta dialog(configuration_view_, context_, QApplication::activeWindow());
  dialog.exec();
}

void StartPageDialogs::open_geometry() {
  geometria dialog(geometry_, context_, QApplication::activeWindow());
  dialog.exec();
}

void StartPageDialogs::open_band() {
  fascia dialog(band_, context_, QApplication::activeWindow());
  dialog.exec();
}

}  // namespace tralva
