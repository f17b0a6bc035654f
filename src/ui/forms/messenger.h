#pragma once
// Where a form's messages go.  The desktop program shows a modal box with the
// kind's caption and icon; tests record what would have been shown.

#include "common/message.h"

class QWidget;

namespace tralva {

class Messenger {
 public:
  virtual ~Messenger() = default;
  virtual void show(const Message& message) = 0;
};

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
