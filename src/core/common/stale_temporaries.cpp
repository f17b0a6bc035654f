#include "common/stale_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <string_view>

namespace tralva {
namespace {

struct SplitPath {
  std::string folder;  // with its final slash; empty for the current folder
  std::string name;
};

SplitPath split_path(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  if (slash == std::string::npos) return {std::string(), target};
  return {target.substr(0, slash + 1), target.substr(slash + 1)};
}

constexpr std::string_view kTemporaryMark = ".tralva-";
constexpr std::string_view kTemporaryEnd = ".tmp";

// The process that wrote `entry`, when it is a temporary file of the target
// called `name`; 0 otherwise.
pid_t temporary_owner(std::string_view entry, std::string_view name) {
  if (entry.size() < 1 + name.size() + kTemporaryMark.size() + kTemporaryEnd.size() ||
      entry[0] != '.' || entry.substr(1, name.size()) != name ||
      entry.substr(1 + name.size(), kTemporaryMark.size()) != kTemporaryMark ||
      !entry.ends_with(kTemporaryEnd)) {
    return 0;
  }
  std::string_view rest = entry.substr(1 + name.size() + kTemporaryMark.size());
  rest.remove_suffix(kTemporaryEnd.size());
  // Three numbers joined by dashes; the first is the process id.
  std::int64_t numbers[3] = {-1, -1, -1};
  int k = 0;
  for (const char c : rest) {
    if (c == '-' && k < 2 && numbers[k] >= 0) {
      ++k;
    } else if (c >= '0' && c <= '9') {
      numbers[k] = std::min<std::int64_t>((numbers[k] < 0 ? 0 : numbers[k]) * 10 + (c - '0'),
                                          std::int64_t{1} << 40);
    } else {
      return 0;
    }
  }
  if (k != 2 || numbers[2] < 0 || numbers[0] <= 0 || numbers[0] > INT_MAX) return 0;
  return static_cast<pid_t>(numbers[0]);
}

// A writer holds a lock on its temporary file while it writes: a file that
// can be locked has no writer left, whatever its process id says (on a folder
// shared with other machines it names a process of another one).  A file
// that cannot even be opened is judged by its process id alone.
bool abandoned(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return true;
  const bool unlocked = flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return unlocked;
}

}  // namespace

std::string temporary_name(const std::string& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const SplitPath path = split_path(target);
  return path.folder + "." + path.name + std::string(kTemporaryMark) + std::to_string(getpid()) +
         "-" + std::to_string(counter++) + "-" + std::to_string(attempt) +
         std::string(kTemporaryEnd);
}

void remove_stale_temporaries(const std::string& target) {
  const SplitPath path = split_path(target);
  DIR* folder = opendir(path.folder.empty() ? "." : path.folder.c_str());
  if (folder == nullptr) return;
  const pid_t self = getpid();
  while (const dirent* entry = readdir(folder)) {
    const pid_t owner = temporary_owner(entry->d_name, path.name);
    if (owner == 0 || owner == self) continue;
    // Signal 0 sends nothing: it only asks whether the process exists.
    if (kill(owner, 0) == 0 || errno != ESRCH) continue;
    const std::string stale = path.folder + entry->d_name;
    if (abandoned(stale)) (void)::unlink(stale.c_str());
  }
  closedir(folder);
}

}  // namespace tralva
