#pragma once
// The temporary files being written, removed when the process is stopped by
// SIGINT, SIGTERM or SIGHUP or ends through exit(): no destructor runs then.
//
// The removal is installed by each program at the start of its main(), so
// that a library never changes a process's signal handling behind its back.
// Without it the registered files are left to the next writer of the same
// target, which sweeps them (stale_temporaries.h).

#include <string>

namespace tralva {

// Installs the removal, once.  A signal that the program ignores (nohup) or
// already handles itself is left as it is.
void install_temporary_cleanup();

// Registers a temporary file for the removal: its slot, or -1 when all are
// taken or the path is too long (the file is then left to the next writer).
int register_temporary(const std::string& path);
// The file of `slot` is gone or complete; -1 is no slot.
void unregister_temporary(int slot);

}  // namespace tralva
