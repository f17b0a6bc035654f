#include "common/command_files.h"

#include <cerrno>
#include <cstdint>

#include "common/format.h"

namespace tralva {

std::optional<Message> open_input_and_output(ByteStream& in, const std::string& input_path,
                                             const char* cannot_open, OutputFile& out,
                                             const std::string& output_path,
                                             const OutputTexts& texts) {
  if (!in.open(input_path)) return error_message(cannot_open, in.cause());
  if (!out.open(output_path)) return error_message(texts.cannot_create, out.cause());
  if (out.replaces(in)) return error_message(texts.is_input);
  return std::nullopt;
}

std::optional<Message> open_output(OutputFile& out, const std::string& output_path,
                                   std::initializer_list<const std::string*> inputs,
                                   const OutputTexts& texts) {
  if (!out.open(output_path)) return error_message(texts.cannot_create, out.cause());
  for (const std::string* input : inputs) {
    ByteStream in;
    if (!input->empty() && in.open(*input) && out.replaces(in)) {
      return error_message(texts.is_input);
    }
  }
  return std::nullopt;
}

std::optional<Message> reserve_at_least(OutputFile& out, double least, const char* no_room,
                                        const char* no_room_end) {
  // Below 2^64 with room to spare, NaN refused.
  if (least < 1.8e19 &&
      out.reserve(static_cast<std::uint64_t>(least), OutputFile::Size::at_least)) {
    return std::nullopt;
  }
  return error_message(no_room + fixed_text(least, 0) + no_room_end,
                       out.cause() != 0 ? out.cause() : ENOSPC);
}

std::optional<Message> complete_output(OutputFile& out, ProgressTracker& progress,
                                       const char* cannot_create) {
  // The outputs of the long commands can be made again from their inputs:
  // no flush to the disk, which would make the user wait for it.
  if (!out.commit(OutputFile::Durability::leave_to_system)) {
    return error_message(cannot_create, out.cause());
  }
  progress.finish();
  return std::nullopt;
}

}  // namespace tralva
