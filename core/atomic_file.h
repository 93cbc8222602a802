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
// A writable existing file in a folder where no file can be created is written in place
// instead, as a direct write would, and keeps its owner, permissions and hard links. Its new
// content goes whole to a temporary file of the system's temporary folder ($TMPDIR, or /tmp),
// named and registered as above (stale ones are removed there alike); at Commit that copy is
// flushed, the target is given room for it (extended, never cut), and only then overwritten
// from it and cut to its new size. Until its first byte changes, every failure (a full disk, a
// quota, the file-size limit; the temporary folder's, which the message names) leaves the old
// file byte for byte and says "Le fichier n'a pas été modifié."; a signal that ends the process
// removes the copy and puts the target's size back. Just before the first byte changes the copy
// loses its leading dot, which takes it out of the stale ones: from then on a failure leaves it
// and says that the file is incomplete and where its complete content is, and a signal leaves
// it too.
//
// SIGXFSZ is ignored from the first replacement on (unless the program set its own action): a
// write past the file-size limit then fails with EFBIG and takes the paths above, instead of
// ending the process half-way.
#pragma once

#include <cstdint>
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
  // (no pass through this process's memory); `offset` follows what was copied. False when the
  // system cannot copy between these two files and nothing was copied: the caller copies the
  // bytes itself.
  bool AppendCopyOf(int from, std::int64_t& offset);
  // Closes the temporary file and renames it over the target (in place: overwrites the target
  // from its complete copy). Once it has thrown, or after it, the replacement takes no more
  // writes. Returns "" or a warning to say: the file is written, but its folder could not be
  // flushed to disk after the rename.
  [[nodiscard]] std::string Commit();
  const std::string& path() const { return path_; }
  // True when the target is written in place (its folder takes no new file).
  bool inPlace() const { return inPlace_; }

 private:
  int CreateTemporary(int access, unsigned mode);
  void CreateCopyInTemporaryFolder(bool removeStale);
  [[noreturn]] void Abandon(int err);
  [[noreturn]] void AbandonUnchanged(int err, bool copySide);
  [[noreturn]] void KeepCopyAndFail(int err);
  void DropTemporary();
  void CommitInPlace();
  bool CutBack(std::int64_t size);
  std::string FlushFolder();

  std::string path_;       // as given, for messages
  std::string target_;     // the file to replace, symbolic links resolved
  std::string tmpName_;    // the temporary file beside it, or in place the complete copy
  std::string keptName_;   // in place: the copy's name once it is kept
  std::string tmpFolder_;  // in place: the system's temporary folder
  int fd_ = -1;            // the temporary file
  int targetFd_ = -1;      // in place: the target, open from the start
  int slot_ = -1;          // the temporary file's registration
  Sync sync_;
  bool inPlace_ = false;
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

// The call that flushes a file or a folder to the disk (fsync unless replaced). A test puts a
// counting function in its place; nullptr puts fsync back. Returns the one it replaces.
using DiskFlush = int (*)(int fd);
DiskFlush ReplaceDiskFlush(DiskFlush flush);

// The call that gives an in-place target room for its first `length` bytes (fallocate unless
// replaced); 0, or -1 with errno. Each Replace* returns the one it replaces; nullptr puts the
// system's back.
using DiskReserve = int (*)(int fd, std::int64_t length);
DiskReserve ReplaceDiskReserve(DiskReserve reserve);

// The call that copies at most `count` bytes of the file `from`, from byte `offset`, to the same
// place of the file `to` (in place: the copy to the target; copy_file_range, or read and
// write, unless replaced). Returns the bytes copied (0 at the end of `from`), or -1 with errno.
using DiskCopy = std::int64_t (*)(int from, int to, std::int64_t offset, std::int64_t count);
DiskCopy ReplaceDiskCopy(DiskCopy copy);

}  // namespace relakin
