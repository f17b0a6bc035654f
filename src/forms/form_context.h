#pragma once
// What every page and dialog reaches outside itself through: messages, file
// pickers and the clock.  The program passes the real ones; tests pass
// recording and scripted ones.

namespace tralva {

class Clock;
class FilePicker;
class Messenger;

struct FormContext {
  Messenger& messenger;
  FilePicker& files;
  Clock& clock;
};

}  // namespace tralva
