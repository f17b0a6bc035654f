#pragma once
// Small helpers shared by the test suites.

#include <locale.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>

#include "common/message.h"

namespace tralva {

// A message in a failed expectation: its kind, its text and its cause.
inline void PrintTo(const Message& message, std::ostream* os) {
  *os << caption(message.kind) << " \"" << message.text << "\"";
  if (message.cause != 0) *os << " (errno " << message.cause << ")";
}

}  // namespace tralva

namespace tralva::test {

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir() {
    static std::mt19937_64 seed{std::random_device{}()};
    path_ = std::filesystem::temp_directory_path() / ("tralva-test-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The C library's own printf in the "C" locale: the reference for formatting.
inline std::string c_printf(const char* format, ...) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const locale_t previous = uselocale(c_locale);
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  uselocale(previous);
  return buffer;
}

// Limits the size of the files this process writes for its lifetime, so that
// a write fails as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
};

// A file system of `bytes` mounted on a fresh folder inside a test's own
// scratch folder, for a disk that fills up; unmounted at the end.  Where this
// process may not mount (not root, a restricted container) mounted() is
// false and reason() says why.
class SmallTmpfs {
 public:
  SmallTmpfs(const std::filesystem::path& scratch, std::size_t bytes) : path_(scratch / "tmpfs") {
    std::filesystem::create_directory(path_);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    mounted_ = mount("tralva-test", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC,
                     options.c_str()) == 0;
    if (!mounted_) reason_ = std::strerror(errno);
  }
  ~SmallTmpfs() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& reason() const { return reason_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
  std::string reason_;
};

inline bool exists(const std::string& path) { return std::filesystem::exists(path); }

// Empty when equal, else the first line that differs: large outputs compare
// without printing megabytes.
inline std::string first_difference(const std::string& actual, const std::string& expected) {
  if (actual == expected) return "";
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t line_start = actual.rfind('\n', at == 0 ? 0 : at - 1);
  const std::size_t from = line_start == std::string::npos ? 0 : line_start + 1;
  const auto line = [from](const std::string& s) {
    return s.substr(from, s.find('\n', from) - from);
  };
  return "at byte " + std::to_string(at) + ": \"" + line(actual) + "\" instead of \"" +
         line(expected) + "\"";
}

}  // namespace tralva::test
