// The merge on any pair of files: either the parent is replaced by a file
// that reads back as the parent's lines then the child's, or it is left
// exactly as it was.
#include <cstdlib>

#include "convert/project_merge.h"
#include "fuzz_support.h"
#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  auto& folder = tralva::fuzz::Folder::fresh();
  // The first byte: where the parent ends, whether each file gets the
  // header block (the fuzzer seldom makes 945 bytes of it by itself), and
  // whether the child is the parent itself.
  const std::size_t split = 1 + (size - 1) * (data[0] & 0x1F) / 0x1F;
  const std::string header(tralva::project_header());
  const std::string parent_bytes = (data[0] & 0x20 ? header : "") +
                                   std::string(reinterpret_cast<const char*>(data) + 1, split - 1);
  const std::string child_bytes =
      (data[0] & 0x40 ? header : "") +
      std::string(reinterpret_cast<const char*>(data) + split, size - split);
  const bool same = (data[0] & 0x80) != 0;
  const std::string parent = folder.file("padre.tlva");
  const std::string child = same ? parent : folder.file("figlio.tlva");
  tralva::fuzz::write_bytes(parent, reinterpret_cast<const std::uint8_t*>(parent_bytes.data()),
                            parent_bytes.size());
  if (!same) {
    tralva::fuzz::write_bytes(child, reinterpret_cast<const std::uint8_t*>(child_bytes.data()),
                              child_bytes.size());
  }
  const auto parent_before = tralva::read_project_data(parent);
  const auto child_before = tralva::read_project_data(child);

  const tralva::Message message = tralva::merge_projects({parent, child});
  if (folder.entries() != (same ? 1u : 2u)) std::abort();  // no temporary left behind
  if (message.kind != tralva::MessageKind::information) {
    if (tralva::fuzz::read_bytes(parent) != parent_bytes) std::abort();
    return 0;
  }
  const auto merged = tralva::read_project_data(parent);
  if (!merged || !merged->complete) std::abort();
  if (merged->lines.size() != parent_before->lines.size() + child_before->lines.size()) {
    std::abort();
  }
  if (merged->heights.size() != parent_before->heights.size() + child_before->heights.size()) {
    std::abort();
  }
  return 0;
}
