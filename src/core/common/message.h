#pragma once
// What the system tells the user: a kind and the exact text.  The core decides
// every message; the desktop program shows it in a box with the kind's
// caption and icon, the command-line tool prints it.

#include <string>
#include <string_view>

namespace tralva {

enum class MessageKind { error, warning, information };

struct Message {
  MessageKind kind = MessageKind::information;
  std::string text;
  // The system's error number behind an error (ENOSPC, EACCES ...), 0 when
  // the error is the program's own finding.  The command-line tool names it
  // on a last line; the desktop program shows the text alone.
  int cause = 0;

  bool operator==(const Message&) const = default;
};

inline Message error_message(std::string text, int cause = 0) {
  return {MessageKind::error, std::move(text), cause};
}
inline Message warning_message(std::string text) { return {MessageKind::warning, std::move(text)}; }
inline Message information_message(std::string text) {
  return {MessageKind::information, std::move(text)};
}

// The captions of the message boxes.
constexpr std::string_view caption(MessageKind kind) {
  switch (kind) {
    case MessageKind::error:
      return "Tralva - Errore!";
    case MessageKind::warning:
      return "Tralva - Attenzione!";
    case MessageKind::information:
      break;
  }
  return "Tralva - Informazione";
}

}  // namespace tralva
