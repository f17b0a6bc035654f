#pragma once
// Fuzz inputs go through a real file, as users' files do.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

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

}  // namespace tralva::fuzz
