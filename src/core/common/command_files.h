#pragma once
// The files of a long command that reads inputs and writes one output: the
// output opened and refused when it is one of the inputs (writing would
// destroy that input), its room reserved, and at the end put in place.

#include <initializer_list>
#include <optional>
#include <string>

#include "common/byte_stream.h"
#include "common/message.h"
#include "common/output_file.h"
#include "common/progress.h"

namespace tralva {

// What a command says when its output cannot be used.
struct OutputTexts {
  const char* cannot_create;  // with the system's cause
  const char* is_input;
};

// A command that streams one input into its output: the input opened (or
// `cannot_open`, with the system's cause), then the output.
std::optional<Message> open_input_and_output(ByteStream& in, const std::string& input_path,
                                             const char* cannot_open, OutputFile& out,
                                             const std::string& output_path,
                                             const OutputTexts& texts);

// A command that reads its inputs through readers of their own: the output
// opened and compared with each of them.  An input that cannot be opened
// (or has no path) is no file that writing could destroy.
std::optional<Message> open_output(OutputFile& out, const std::string& output_path,
                                   std::initializer_list<const std::string*> inputs,
                                   const OutputTexts& texts);

// Room for an output of at least `least` bytes, counted in floating point
// where no count wraps around.  Refused: `no_room`, the bytes and
// `no_room_end`, so that a huge job stops at once instead of running for
// ages towards a full disk.
std::optional<Message> reserve_at_least(OutputFile& out, double least, const char* no_room,
                                        const char* no_room_end);

// The end of a long command that wrote its output: the output replaces its
// target and the bar is full, or, if the writing failed, the target stays
// as it was and the message says so (the bar empties as the tracker goes).
std::optional<Message> complete_output(OutputFile& out, ProgressTracker& progress,
                                       const char* cannot_create);

}  // namespace tralva
