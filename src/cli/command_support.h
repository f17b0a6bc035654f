#pragma once
// What the batch commands share: option values that are numbers, a
// precision or a part, and long commands run with a progress line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli.h"
#include "common/progress.h"
#include "common/work_part.h"
#include "options.h"
#include "terminal_progress.h"

namespace tralva::cli {

// A number on the command line is the whole text and nothing else: the usual
// decimal notation with a point, an optional sign ("+" too) and exponent
// ("-12.5", "+3", ".5", "1e3"), finite in the value's type; an integer is
// an optional sign and digits.  White space, a decimal comma or trailing text
// make it no number: a script gets an error rather than the forms' lenient
// reading ("12abc" as 12).  nullopt when `value` took the number, otherwise
// why not, as "«abc» non è un numero.".
std::optional<std::string> read_number(std::string_view text, double& value);
std::optional<std::string> read_number(std::string_view text, float& value);
std::optional<std::string> read_number(std::string_view text, std::int32_t& value);

// The values of a command line read in turn: numbers, the precision and the
// part; the first that is refused stops the reading and names its option
// (or operand).
class Numbers {
 public:
  Numbers() = default;
  explicit Numbers(const ParsedArguments& parsed) : parsed_(&parsed) {}

  // One value, named as the usage names it ("--passo", "X1").
  template <class T>
  Numbers& read(std::string_view name, std::string_view text, T& value) {
    if (failure_) return *this;
    if (auto why = read_number(text, value)) failure_ = std::string(name) + ": " + *why;
    return *this;
  }
  // Every value of option `name`, when it was given, into `values` in order.
  template <class... T>
  Numbers& option(std::string_view name, T&... values) {
    const Arguments* given = values_of(name, sizeof...(T));
    if (given == nullptr) return *this;
    std::size_t i = 0;
    (read(name, (*given)[i++], values), ...);
    return *this;
  }
  // An integer option that is only checked; its text is what the command uses.
  Numbers& check_integer(std::string_view name) {
    std::int32_t ignored = 0;
    return option(name, ignored);
  }

  // The precision given, when it was, into `precision`: one of the texts
  // the lists offer.
  Numbers& precision(std::string& precision);
  // The part given, when it was, into `part`: "K/N" with 1 <= K <= N.
  Numbers& part(WorkPart& part);

  // A value read above that must also lie above `bound` (or at it, when
  // `inclusive`): "--vicini: «0» deve essere maggiore o uguale a 1.".
  template <class T>
  Numbers& above(std::string_view name, T value, T bound, bool inclusive) {
    if (failure_ || !values_of(name, 1)) return *this;
    if (inclusive ? value >= bound : value > bound) return *this;
    failure_ = std::string(name) + ": " +
               not_above(values_of(name, 1)->front(), static_cast<double>(bound), inclusive);
    return *this;
  }

  bool ok() const { return !failure_; }
  // "Errore: --passo: «abc» non è un numero.", as bad usage.
  int report_failure(Io& io) const;

 private:
  const Arguments* values_of(std::string_view name, std::size_t count) const;
  static std::string not_above(std::string_view text, double bound, bool inclusive);

  const ParsedArguments* parsed_ = nullptr;
  std::optional<std::string> failure_;
};

// "K/N" with 1 <= K <= N, both plain decimal numbers, as --parte takes it.
std::optional<WorkPart> part_of(const std::string& text);

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
