#pragma once
// Test doubles for the forms' seams and small helpers to find controls.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/progress.h"
#include "forms/file_picker.h"
#include "forms/form_context.h"
#include "forms/messenger.h"
#include "pages/start_dialogs.h"

namespace tralva::test {

class RecordingMessenger final : public Messenger {
 public:
  void show(const Message& message) override { shown.push_back(message); }
  std::vector<Message> shown;
};

// Answers each pick with the next scripted answer (nullopt: the user
// cancels) and records the requests.
class ScriptedFilePicker final : public FilePicker {
 public:
  std::optional<std::string> open_file(const FileRequest& request) override {
    return answer(PickMode::open, request);
  }
  std::optional<std::string> save_file(const FileRequest& request) override {
    return answer(PickMode::save, request);
  }
  // Scripted answers come from no folder.
  void start_in_folder_of(const std::string&) override {}

  struct Pick {
    PickMode mode;
    FileRequest request;
  };
  std::deque<std::optional<std::string>> answers;
  std::vector<Pick> picks;

 private:
  std::optional<std::string> answer(PickMode mode, const FileRequest& request) {
    picks.push_back({mode, request});
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> next = answers.front();
    answers.pop_front();
    return next;
  }
};

class FixedClock final : public Clock {
 public:
  std::int64_t now_seconds() override { return now; }
  std::int64_t now = 0;
};

// The seams of one test, ready to hand to a page or dialog.
struct Seams {
  RecordingMessenger messenger;
  ScriptedFilePicker files;
  FixedClock clock;
  FormContext context() { return {messenger, files, clock}; }
};

// Records what the Start page's buttons would open.
class RecordingStartDialogs final : public StartDialogs {
 public:
  void open_data_entry(const DataEntryChoice& choice) override {
    opened.push_back(data_entry_name(choice));
  }
  void open_viewer() override { opened.push_back("paletta"); }
  void open_geometry() override { opened.push_back("geometria"); }
  void open_band() override { opened.push_back("fascia"); }
  std::vector<std::string> opened;
};

// The child control with this object name (what bindings give), or null.
template <typename Control>
Control* control(const QWidget& form, const QString& name) {
  return form.findChild<Control*>(name);
}

// The push button with this text, or null.
inline QPushButton* button(const QWidget& form, const QString& text) {
  for (QPushButton* candidate : form.findChildren<QPushButton*>()) {
    if (candidate->text() == text) return candidate;
  }
  return nullptr;
}

// Replaces an edit's text as a user would: select all, then type.
inline void type_over(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, text);
  }
}

// Empties an edit with the keyboard.
inline void clear_by_keys(QLineEdit* edit) { type_over(edit, QString()); }

// Reaches inside a true modal dialog: once the next modal dialog runs its
// own event loop, `act` is called on it, then the dialog is closed (if `act`
// has not closed it), so exec() returns even when a check inside fails.
class WhenModal {
 public:
  explicit WhenModal(std::function<void(QDialog&)> act) : act_(std::move(act)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      timer_.stop();
      QApplication::setActiveWindow(dialog);
      act_(*dialog);
      ran_ = true;
      if (dialog->isVisible()) dialog->reject();
    });
    timer_.start(0);
  }
  bool ran() const { return ran_; }

 private:
  std::function<void(QDialog&)> act_;
  QTimer timer_;
  bool ran_ = false;
};

// A data-driven test over the 30 data-entry configurations: one row each,
// named "ins_1_1_a" ... "ins_6_5_int"; family_member() is the row's choice.
inline void family_rows() {
  QTest::addColumn<int>("index");
  const std::vector<DataEntryChoice> family = data_entry_choices();
  for (std::size_t i = 0; i < family.size(); ++i) {
    QTest::newRow(data_entry_name(family[i]).c_str()) << static_cast<int>(i);
  }
}
inline DataEntryChoice family_member() {
  QFETCH(int, index);
  return data_entry_choices()[static_cast<std::size_t>(index)];
}

inline QString warning_text(const Message& message) {
  return message.kind == MessageKind::warning ? QString::fromStdString(message.text) : QString();
}

}  // namespace tralva::test
