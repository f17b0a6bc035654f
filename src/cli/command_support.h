#pragma once
// What the batch commands share: the precision option, option values read
// by the fields' number rule, and long commands run with a progress line.

#include <optional>
#include <string>
#include <type_traits>

#include "cli.h"
#include "common/field.h"
#include "common/progress.h"
#include "options.h"
#include "terminal_progress.h"

namespace tralva::cli {

inline constexpr OptionRule kPrecision{"--precisione", 1, false};

// The precision given, "m" when none; nullopt for a text the lists do not offer.
std::optional<std::string> precision_of(const ParsedArguments& parsed, Io& io);

// Numbers by the fields' rule; the first unreadable one brings its prompt.
class Numbers {
 public:
  template <class T>
  Numbers& read(const std::string& text, T& value) {
    if (!ok_) return *this;
    if constexpr (std::is_same_v<T, double>) {
      store(parse_field_double(text), value, kNumberPrompt);
    } else if constexpr (std::is_same_v<T, float>) {
      store(parse_field_float(text), value, kNumberPrompt);
    } else {
      store(parse_field_int(text), value, kIntegerPrompt);
    }
    return *this;
  }
  // An integer that is only checked; its text is what the command uses.
  Numbers& check_integer(const std::string& text) {
    std::int32_t ignored = 0;
    return read(text, ignored);
  }
  bool ok() const { return ok_; }
  int report_failure(Io& io) const { return report(warning_message(prompt_), io); }

 private:
  template <class Parsed, class T>
  void store(const Parsed& parsed, T& value, const char* prompt) {
    if (parsed) {
      value = *parsed;
    } else {
      ok_ = false;
      prompt_ = prompt;
    }
  }
  bool ok_ = true;
  const char* prompt_ = "";
};

// Runs a long unit with the terminal progress line, then reports.
template <class Unit>
int run_with_progress(Io& io, Unit unit) {
  TerminalProgress progress(io.err, io.err_is_terminal);
  SystemClock clock;
  const Message message = unit(progress, clock);
  progress.finish();
  return report(message, io);
}

}  // namespace tralva::cli
