#pragma once
// Where a form's messages go.  The desktop program shows a modal box with the
// kind's caption and icon; tests record what would have been shown.

#include <memory>

#include "common/message.h"

class QMessageBox;
class QWidget;

namespace tralva {

class Messenger {
 public:
  virtual ~Messenger() = default;
  virtual void show(const Message& message) = 0;
};

// The box of a message: the kind's caption, its icon drawn crisp at any
// scale, one OK button, and wide enough for the caption to show whole.
std::unique_ptr<QMessageBox> make_message_box(const Message& message, QWidget* parent);

class BoxMessenger final : public Messenger {
 public:
  void show(const Message& message) override;
};

// What every form shows through: the message as the desktop program words
// it.  The system's cause that an error may carry is for the command-line
// tool's last line and stays out of the box.
class FormMessenger final : public Messenger {
 public:
  explicit FormMessenger(Messenger& shown) : shown_(shown) {}
  void show(const Message& message) override { shown_.show({message.kind, message.text}); }

 private:
  Messenger& shown_;
};

}  // namespace tralva
