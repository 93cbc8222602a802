// Replacing a file so that readers see either its old or its new content, never half of each.
//
// The new content goes to a temporary file created beside the target (a bare name: the current
// directory) and is renamed over the target once complete; until then the old file is whole,
// and a replacement that fails or is abandoned removes its temporary file. The target is
// checked first, as a direct write would check it: a file its permissions (or a read-only file
// system) forbid writing is refused with the error a direct write would give and left as it
// was; a folder or another file that is not a regular file (a device, a FIFO) is refused. An
// existing file keeps its permissions; a symbolic link is followed. Every failure is an
// Error(Io) naming the path as given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace relakin {

class FileReplacement {
 public:
  // kToDisk flushes the new content to the disk before the rename.
  enum class Sync { kNone, kToDisk };

  // Checks the target and creates the temporary file.
  explicit FileReplacement(std::string path, Sync sync = Sync::kNone);
  // Without a Commit the temporary file is removed and the target stays as it was.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Appends to the temporary file (unbuffered: callers write large blocks).
  void Write(std::string_view bytes);
  // Appends the bytes of the open file `from`, from `offset` to its end, copied by the system
  // (no pass through this process's memory); `offset` follows what was copied. False when the
  // system cannot copy between these two files and nothing was copied: the caller copies the
  // bytes itself.
  bool AppendCopyOf(int from, std::int64_t& offset);
  // Closes the temporary file and renames it over the target. Once it has thrown, or after
  // it, the replacement takes no more writes.
  void Commit();
  const std::string& path() const { return path_; }

 private:
  [[noreturn]] void Abandon(int err);

  std::string path_;     // as given, for messages
  std::string target_;   // the file to replace, symbolic links resolved
  std::string tmpName_;  // the temporary file beside it
  int fd_ = -1;
  Sync sync_;
};

// Writes bytes through a FileReplacement synced to disk (the native save).
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace relakin
