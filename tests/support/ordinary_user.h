#pragma once
// File operations as an ordinary user would make them: root may write a
// read-only file, anyone else may not.  For root, the folder is handed to
// "nobody" and the process acts as "nobody" for the length of the scope;
// for anyone else nothing changes.

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace tralva::test {

class OrdinaryUser {
 public:
  explicit OrdinaryUser(const std::filesystem::path& folder) {
    if (geteuid() != 0) return;
    constexpr uid_t kNobody = 65534;
    // Real and effective ids both, so that every check of permissions sees
    // "nobody"; root stays the saved id, to come back to.
    acting_ = chown(folder.c_str(), kNobody, kNobody) == 0 && setresuid(kNobody, kNobody, 0) == 0;
  }
  ~OrdinaryUser() {
    if (acting_) (void)setresuid(0, 0, 0);
  }
  OrdinaryUser(const OrdinaryUser&) = delete;
  OrdinaryUser& operator=(const OrdinaryUser&) = delete;

  // False when root could not become "nobody": the test then proves nothing.
  bool ready() const { return acting_ || geteuid() != 0; }

 private:
  bool acting_ = false;
};

// The names in a folder, for "nothing left behind".
inline std::vector<std::string> names_in(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tralva::test
