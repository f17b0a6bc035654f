#pragma once
// Fuzz inputs go through a real file, as users' files do.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/progress.h"

namespace tralva::fuzz {

class InputFile {
 public:
  InputFile(const std::uint8_t* data, std::size_t size) {
    char name[] = "/tmp/tralva-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return;
    path_ = name;
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = write(fd, data + done, size - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    close(fd);
  }
  ~InputFile() {
    if (!path_.empty()) unlink(path_.c_str());
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Time stands still for the long commands the targets run.
class StillClock final : public Clock {
 public:
  std::int64_t now_seconds() override { return 0; }
};

// A folder of the process's own for the files a target writes, emptied
// before each input and removed at exit.
class Folder {
 public:
  static Folder& fresh() {
    static Folder folder;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path_, ignored)) {
      std::filesystem::remove_all(entry.path(), ignored);
    }
    return folder;
  }
  std::string file(const char* name) const { return path_ + "/" + name; }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
  }

 private:
  Folder() {
    char name[] = "/tmp/tralva-fuzz-out-XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    path_ = name;
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string path_;
};

inline void write_bytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

inline std::string read_bytes(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return bytes;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

}  // namespace tralva::fuzz
