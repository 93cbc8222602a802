// The temporary files that file replacements have in flight (core/atomic_file.h), kept where a
// signal handler can reach them, so that a process ended by SIGTERM, SIGINT or SIGHUP (a logout,
// Ctrl+C in a terminal) leaves none of them behind, nor an in-place target longer than it was.
//
// The registry is fixed storage shared by every thread; nothing in it allocates or locks, so
// the handler may use it. A path longer than a slot, or one met when every slot is taken, is not
// registered: the next write of the same target then removes it, as it removes the temporary
// files of a process killed outright.
#pragma once

#include <cstdint>
#include <string_view>

namespace relakin {

// Registers `path` (made absolute here, so that a later change of the current directory cannot
// misdirect the removal). Returns its slot, or -1 when it could not be registered.
int RegisterTemporary(std::string_view path);

// Drops a registration once its file is renamed or removed, or must outlive a signal; -1 is
// ignored. A slot that a signal handler is already removing stays as it is and false is
// returned: the process is ending, and a caller about to change a file must not start.
bool ForgetTemporary(int slot);

// A signal that removes the file of `slot` also cuts the open file `fd` back to `size` bytes:
// an in-place target on a file system that cannot give room, whose bytes past its old end are
// written before its first byte changes. Lasts as long as the registration; -1 is ignored.
void RestoreSizeOnSignal(int slot, int fd, std::int64_t size);

// Installs the handler for SIGTERM, SIGINT and SIGHUP: it removes the registered files, then
// ends the process by the same signal with its default action. A signal that the process
// ignores (as under nohup) or that already has a handler of its own is left alone. Safe to call
// more than once; the programs call it first thing in main.
void InstallTemporaryCleanup();

}  // namespace relakin
