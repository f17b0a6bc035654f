#include "common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tralva {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// Writes into the folder of the final file when the target is a symbolic link,
// so that the link keeps pointing at the new content.
std::string resolve_link(const std::string& target) {
  struct stat st {};
  if (lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(target.c_str(), resolved) != nullptr) return resolved;
  }
  return target;
}

std::string temporary_name(const std::string& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  return folder + "." + name + ".tralva-" + std::to_string(getpid()) + "-" +
         std::to_string(counter++) + "-" + std::to_string(attempt) + ".tmp";
}

bool write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

// Writes one buffer at a time on its own thread; the producer hands over a
// full buffer and gets back the one written before.
class OutputFile::Writer {
 public:
  explicit Writer(int fd) : fd_(fd), thread_([this] { run(); }) {}
  ~Writer() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  // Queues `full` (its first `size` bytes) and returns in it an empty buffer.
  void hand_over(std::vector<char>& full, std::size_t size) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    std::swap(full, pending_);
    pending_size_ = size;
    busy_ = true;
    changed_.notify_all();
  }

  // Waits until everything handed over is written; false if a write failed.
  bool finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    return !failed_;
  }

 private:
  void run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return busy_ || stop_; });
      if (!busy_) return;
      const bool skip = failed_;  // after a failure the rest is not written
      lock.unlock();
      const bool ok = skip || write_all(fd_, pending_.data(), pending_size_);
      lock.lock();
      if (!ok) failed_ = true;
      busy_ = false;
      changed_.notify_all();
    }
  }

  const int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<char> pending_;
  std::size_t pending_size_ = 0;
  bool busy_ = false;
  bool stop_ = false;
  bool failed_ = false;
  std::thread thread_;  // last: starts when everything else is ready
};

OutputFile::OutputFile() = default;
OutputFile::~OutputFile() { discard(); }

bool OutputFile::open(const std::string& target, Writing writing) {
  discard();
  failed_ = false;
  writing_ = writing;
  target_ = resolve_link(target);
  struct stat existing {};
  const bool replaces = stat(target_.c_str(), &existing) == 0;
  if (replaces && S_ISDIR(existing.st_mode)) return false;
  for (unsigned attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = temporary_name(target_, attempt);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temporary_.clear();
    return false;
  }
  // The replacement keeps the permissions of the file it replaces.
  if (replaces) (void)fchmod(fd_, existing.st_mode & 07777);
  buffer_.resize(kBufferSize);
  used_ = 0;
  return true;
}

void OutputFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (used_ == buffer_.size()) flush_buffer();
    const std::size_t n = std::min(bytes.size(), buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, bytes.data(), n);
    used_ += n;
    bytes.remove_prefix(n);
  }
}

void OutputFile::flush_buffer() {
  if (fd_ < 0 || failed_ || used_ == 0) {
    used_ = 0;
    return;
  }
  if (writing_ == Writing::background) {
    if (!writer_) writer_ = std::make_unique<Writer>(fd_);
    const std::size_t size = used_;
    writer_->hand_over(buffer_, size);
    buffer_.resize(kBufferSize);
  } else if (!write_all(fd_, buffer_.data(), used_)) {
    failed_ = true;
  }
  used_ = 0;
}

void OutputFile::stop_writer() {
  if (writer_ && !writer_->finish()) failed_ = true;
  writer_.reset();
}

bool OutputFile::commit(Durability durability) {
  if (fd_ < 0) return false;
  flush_buffer();
  stop_writer();
  if (!failed_ && durability == Durability::flush_to_disk && fsync(fd_) != 0) failed_ = true;
  if (::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  if (!failed_ && std::rename(temporary_.c_str(), target_.c_str()) != 0) failed_ = true;
  if (failed_) {
    discard();
    return false;
  }
  temporary_.clear();
  buffer_ = {};
  return true;
}

void OutputFile::discard() {
  stop_writer();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  buffer_ = {};
  used_ = 0;
}

std::string_view project_header() {
  static const std::string header = [] {
    const std::string stars = " " + std::string(69, '*');
    const std::string blank = "*" + std::string(69, ' ') + "*";
    const char* const lines[] = {
        stars.c_str(),
        blank.c_str(),
        "*     Significato dei valori presenti nel file di dati di Tralva      *",
        blank.c_str(),
        "* I   riga: corrente [A], numero di conduttori, numero di tralicci e  *",
        "*           lunghezza del segmento [m] per ciascuna linea.            *",
        "* II  riga: fasi e sfasamenti [\xB0] per ciascun conduttore.             *",
        "* III riga: coordinate [m] dei tralicci e angoli [\xB0] degli sbracci.   *",
        "* IV  riga: altezze da terra [m] dei punti di sospensione.            *",
        "* V   riga: ampiezze [m] degli sbracci.                               *",
        "* VI  riga: valori di tesatura [m] per ogni campata.                  *",
        blank.c_str(),
        stars.c_str(),
        "",
    };
    std::string text;
    for (const char* line : lines) {
      text += line;
      text += kLineEnd;
    }
    return text;
  }();
  return header;
}

}  // namespace tralva
