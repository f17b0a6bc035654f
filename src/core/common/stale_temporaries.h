#pragma once
// The names of the temporary files written beside a target, and the sweep
// that removes those a process no longer running left behind (killed
// outright, or on a machine that stopped).

#include <string>

namespace tralva {

// A new name for a temporary file of `target`, in its folder:
// ".NAME.tralva-PID-N-A.tmp", A being the attempt at creating one.
std::string temporary_name(const std::string& target, unsigned attempt);

// Removes the temporary files of `target` whose process no longer runs and
// that nobody writes any more.
void remove_stale_temporaries(const std::string& target);

}  // namespace tralva
