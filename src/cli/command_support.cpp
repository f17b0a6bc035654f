#include "command_support.h"

#include <ostream>

#include "common/precision.h"

namespace tralva::cli {

std::optional<std::string> precision_of(const ParsedArguments& parsed, Io& io) {
  const auto given = parsed.options.find(kPrecision.name);
  if (given == parsed.options.end()) return "m";
  const std::string& text = given->second[0];
  for (const char* p : kPrecisionTexts) {
    if (text == p) return text;
  }
  io.err << "tralva-util: precisione non valida: " << text << " (m, dm, cm o mm)\n";
  return std::nullopt;
}

}  // namespace tralva::cli
