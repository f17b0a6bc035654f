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

}  // namespace tralva
