#pragma once
// What every page and dialog reaches outside itself through: messages, file
// pickers and the clock.  The program passes the real ones; tests pass
// recording and scripted ones.

#include "common/progress.h"
#include "forms/file_picker.h"
#include "forms/messenger.h"

namespace tralva {

struct FormContext {
  Messenger& messenger;
  FilePicker& files;
  Clock& clock;
};

// The real ones: message boxes, file dialogs and the system clock.
struct DesktopSeams {
  BoxMessenger messenger;
  DialogFilePicker files;
  SystemClock clock;
  FormContext context() { return {messenger, files, clock}; }
};

}  // namespace tralva
