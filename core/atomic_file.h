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
//
// The temporary file is named after the target, the host and the process, and is registered for
// removal should the process be ended by a signal (core/temporary_files.h). Temporary files of
// the same target left by a process of this host that no longer runs (one killed outright) are
// removed when the target is next written; those of a running process never are.
//
// A writable existing file that cannot be renamed over (a folder that takes no new file; a
// sticky folder such as /tmp and a file of another user) is written in place instead, as a
// direct write would, and keeps its owner, permissions and hard links. Its new content goes
// whole to a copy in the system's temporary folder ($TMPDIR, or /tmp), where the copies of
// processes of this host that no longer run are removed first. At Commit the copy is flushed
// and the target locked: a second writer meanwhile is refused, so the file ends as one
// writer's whole content. The target is given room for the new content, its size unchanged;
// until its first byte changes, every failure (a full disk, a quota, the file-size limit; one
// of the temporary folder, which the message names) and every signal leave it byte for byte
// and remove the copy, and the message says "Le fichier n'a pas été modifié.". Just before,
// the copy takes a name that no removal of stale files takes: from then on a failure keeps it
// and says that the file is incomplete and where its complete content is, and a signal keeps
// it too. Once the target holds the whole new content the copy goes, by a signal too, and what
// a kill leaves of it is stale again. On a file system that cannot give room, the bytes past
// the old end are written first, and a failure or a signal cuts them off again.
//
// SIGXFSZ is ignored from the first replacement on (unless the program set its own action): a
// write past the file-size limit then fails with EFBIG and takes the paths above, instead of
// ending the process half-way.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace relakin {

class FileReplacement {
 public:
  // kToDisk: the file the user named. Its content is flushed to the disk before the rename and
  // its folder after, before Commit returns (in place: the copy and its folder before the
  // target's first byte changes, the target at the end). kNone: a scratch file, never flushed.
  enum class Sync { kNone, kToDisk };

  // Checks the target, removes its stale temporary files (unless the caller has just removed
  // those of the whole folder: RemoveStaleTemporariesIn) and creates the temporary file.
  explicit FileReplacement(std::string path, Sync sync = Sync::kNone, bool removeStale = true);
  // Without a Commit the temporary file is removed and the target stays as it was.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Appends to the temporary file (unbuffered: callers write large blocks).
  void Write(std::string_view bytes);
  // Appends the bytes of the open file `from`, from `offset` to its end, copied by the system
  // where it can (no pass through this process's memory).
  void AppendCopyOf(int from, std::int64_t offset);
  // Closes the temporary file and renames it over the target (in place: overwrites the target
  // from its complete copy). Once it has thrown, or after it, the replacement takes no more
  // writes. Returns "" or a warning to say: the file is written, but its folder could not be
  // flushed to disk after the rename.
  [[nodiscard]] std::string Commit();
  const std::string& path() const { return path_; }
  // True when the target is written in place.
  bool inPlace() const { return inPlace_; }

 private:
  // How far a replacement has gone, which says what a failure leaves: the temporary beside the
  // target; in place, the old file as it was; in place, the target being overwritten.
  enum class Stage { kBeside, kUnchanged, kOverwriting };
  FileReplacement(std::string path, Sync sync, bool removeStale, bool inPlace);
  int CreateTemporary(const std::filesystem::path& folder, int access, unsigned mode);
  std::string CommitInPlaceFromTemporary();
  void CommitInPlace();
  std::string TemporaryReason(int err) const;
  [[noreturn]] void Fail(int err);
  [[noreturn]] void Fail(const std::string& reason);
  bool RenameCopy(const std::string& to, bool restoreSize);
  void DropTemporary();
  std::string FlushFolder();

  std::string path_;           // as given, for messages
  std::string target_;         // the file to replace, symbolic links resolved
  std::string tmpName_;        // the temporary file beside it, or in place the complete copy
  std::string firstName_;      // in place: the copy's name when it is made
  std::string keptName_;       // in place: the copy's name once it is kept
  std::string tmpFolder_;      // in place: the system's temporary folder
  int fd_ = -1;                // the temporary file
  int targetFd_ = -1;          // in place: the target, open from the start
  int slot_ = -1;              // the temporary file's registration
  unsigned mode_ = 0;          // the old file's permissions; 0: there is none
  std::int64_t oldSize_ = -1;  // in place: the target's size when it was locked
  Sync sync_;
  bool removeStale_;
  bool inPlace_ = false;
  Stage stage_ = Stage::kBeside;
};

// Writes bytes through a FileReplacement (the native save, the exports; kNone for the analysis
// file). Returns the warning Commit returns.
[[nodiscard]] std::string WriteFileAtomically(
    const std::string& path, std::string_view bytes,
    FileReplacement::Sync sync = FileReplacement::Sync::kToDisk);

// Removes the temporary files in `folder` (empty: the current directory) of every target, left
// by processes of this host that no longer run: one look at the folder for a writer of many
// files (a permutation test writes one per data set), which then passes removeStale false.
void RemoveStaleTemporariesIn(const std::string& folder);

// The calls to the system that a replacement makes at its narrow moments, which a test may
// replace to see or to fail them. Each takes 0, or -1 with errno.
struct DiskCalls {
  // Flushes a file or a folder to the disk (fsync).
  int (*flush)(int fd) = nullptr;
  // Gives an in-place target room for its first `length` bytes, its size unchanged (fallocate).
  int (*reserve)(int fd, std::int64_t length) = nullptr;
  // Copies `count` bytes of `from` from byte `in` to `to` from byte `out`, or with a negative
  // count all of them to the end of `from` (copy_file_range, or read and write between file
  // systems the system cannot copy between).
  int (*copy)(int from, std::int64_t in, int to, std::int64_t out, std::int64_t count) = nullptr;
};

// Puts those of `calls` that are set in place of the calls in use and returns the set in use
// before, which given back restores it.
DiskCalls ReplaceDiskCalls(const DiskCalls& calls);

}  // namespace relakin
