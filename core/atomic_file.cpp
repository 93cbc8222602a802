#include "core/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/errors.h"
#include "core/temporary_files.h"

namespace relakin {
namespace {

namespace fs = std::filesystem;

int SystemFlush(int fd) { return fsync(fd); }

int SystemReserve(int fd, std::int64_t length) {
  return fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length));
}

// Writes all of `bytes` to `to` from byte `at`; false with errno.
bool WriteAllAt(int to, const char* bytes, std::size_t size, std::int64_t at) {
  while (size > 0) {
    const ssize_t n = pwrite(to, bytes, size, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
    at += n;
  }
  return true;
}

// By the system where it can copy between the two files; through one buffer where it cannot
// (two file systems: the temporary folder is often a tmpfs).
int SystemCopy(int from, std::int64_t in, int to, std::int64_t out, std::int64_t count) {
  constexpr std::int64_t kStep = std::int64_t{1} << 28;
  std::string buffer;
  while (count != 0) {
    const auto want = static_cast<std::size_t>(count < 0 ? kStep : std::min(count, kStep));
    off_t i = static_cast<off_t>(in);
    off_t o = static_cast<off_t>(out);
    const ssize_t n = buffer.empty() ? copy_file_range(from, &i, to, &o, want, 0)
                                     : pread(from, buffer.data(), std::min(want, buffer.size()), i);
    if (n < 0 && buffer.empty() &&
        (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
         errno == EBADF)) {
      buffer.resize(std::size_t{1} << 20);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 && count > 0) errno = EIO;  // the copy is shorter than it was
    if (n <= 0) return n == 0 && count < 0 ? 0 : -1;
    if (!buffer.empty() && !WriteAllAt(to, buffer.data(), static_cast<std::size_t>(n), out))
      return -1;
    in += n;
    out += n;
    if (count > 0) count -= n;
  }
  return 0;
}

std::atomic<int (*)(int)> diskFlush{&SystemFlush};
std::atomic<int (*)(int, std::int64_t)> diskReserve{&SystemReserve};
std::atomic<int (*)(int, std::int64_t, int, std::int64_t, std::int64_t)> diskCopy{&SystemCopy};

int FlushToDisk(int fd) { return diskFlush.load(std::memory_order_relaxed)(fd); }

int CopyBytes(int from, std::int64_t in, int to, std::int64_t out, std::int64_t count) {
  return diskCopy.load(std::memory_order_relaxed)(from, in, to, out, count);
}

// The default action of SIGXFSZ ends the process in the middle of a write that passes the
// file-size limit, with the target half-written in place or a temporary file left behind;
// ignored, the write fails with EFBIG like any other. Done here, where every write of the
// system starts, so that no program, tool or test can forget it.
void IgnoreFileSizeSignal() {
  struct sigaction old {};
  if (sigaction(SIGXFSZ, nullptr, &old) != 0) return;
  if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) return;
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, nullptr);
}

// Where an in-place write puts its complete copy: the system's temporary folder.
std::string TemporaryFolder() {
  const char* set = std::getenv("TMPDIR");
  std::error_code ec;
  const fs::path folder = fs::absolute(set != nullptr && *set != '\0' ? set : "/tmp", ec);
  return ec ? std::string("/tmp") : folder.lexically_normal().string();
}

// Flushes a folder; 0 or the error that matters. A folder this user may not read cannot be
// opened to be flushed, and some file systems cannot flush a folder: the rename stands.
int FlushFolderOf(const fs::path& folder) {
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int failed = dir < 0 ? errno : 0;
  if (dir >= 0) {
    failed = FlushToDisk(dir) != 0 ? errno : 0;
    close(dir);
  }
  const bool stands =
      failed == EACCES || failed == EINVAL || failed == EROFS || failed == EOPNOTSUPP;
  return stands ? 0 : failed;
}

std::int64_t SizeOf(int fd) {
  struct stat st {};
  return fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

fs::path ResolveTarget(const std::string& path) {
  fs::path target(path);
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) return resolved;
  }
  return target;
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

const char kNotRegular[] = "ce n'est pas un fichier ordinaire";

// The checks a direct write would make on an existing target, without opening it: a rename
// would otherwise replace what may not be written. Returns "" or why it is refused; `mode` is
// the mode to give the new file, or 0 when there is no old file.
std::string CheckTarget(const fs::path& target, unsigned& mode) {
  struct stat st {};
  mode = 0;
  if (stat(target.c_str(), &st) != 0) return errno == ENOENT ? "" : std::strerror(errno);
  if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(st.st_mode)) return kNotRegular;
  if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return std::strerror(errno);
  mode = st.st_mode & 07777;
  return "";
}

// This machine's name as it may stand in a file name: processes of other machines sharing the
// folder have process numbers this one cannot check.
const std::string& HostTag() {
  static const std::string tag = [] {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0) return std::string();
    std::string t(name);
    for (char& c : t) {
      const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
      if (!plain) c = '_';
    }
    return t;
  }();
  return tag;
}

// Temporary files of a target are "." + its name + ".~" + host + "-" + process + "-" + attempt;
// this is all before the process number. A long target name is cut so that the whole name
// stays within the system's limit, a kept copy's last word included.
std::string TemporaryPrefix(const fs::path& target) {
  constexpr std::size_t kTail = 24;  // "-" + process + "-" + attempt + ".complet", with room
  std::string name = target.filename().string();
  const std::string rest = ".~" + HostTag() + "-";
  const std::size_t room =
      NAME_MAX > 1 + rest.size() + kTail ? NAME_MAX - 1 - rest.size() - kTail : 0;
  if (name.size() > room) name.resize(room);
  return "." + name + rest;
}

// An in-place copy once kept: its temporary name without the leading dot, followed by a word
// that ends no temporary file's name, so that no removal of stale files takes it, whatever the
// target's name (one that begins with a dot included).
std::string KeptNameOf(const std::string& temporary) {
  const std::size_t slash = temporary.rfind('/');
  return temporary.substr(0, slash + 1) + temporary.substr(slash + 2) + ".complet";
}

// The process number of a temporary file's name that follows the prefix; 0 when the rest is
// not a process number, "-" and an attempt number.
pid_t ProcessOfTemporary(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9 || dash + 1 == rest.size()) return 0;
  pid_t pid = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (i == dash) continue;
    if (rest[i] < '0' || rest[i] > '9') return 0;
    if (i < dash) pid = pid * 10 + (rest[i] - '0');
  }
  return pid;
}

// Removes the temporary files in `folder` whose process has ended: those of the target whose
// prefix is given, or, with an empty prefix, those of every target. Nothing here may stop the
// write: a folder that cannot be read or a file that cannot be removed is left.
void RemoveStale(const fs::path& folder, const std::string& prefix) {
  const std::string host = ".~" + HostTag() + "-";
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  const pid_t self = getpid();
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name(entry->d_name);
    std::size_t rest = 0;
    if (!prefix.empty()) {
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      rest = prefix.size();
    } else {
      const std::size_t at = name.rfind(host);
      if (name.empty() || name.front() != '.' || at == 0 || at == std::string_view::npos) continue;
      rest = at + host.size();
    }
    const pid_t pid = ProcessOfTemporary(name.substr(rest));
    if (pid <= 0 || pid == self) continue;
    // EPERM: the process runs under another user.
    if (kill(pid, 0) == 0 || errno != ESRCH) continue;
    unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

}  // namespace

void RemoveStaleTemporariesIn(const std::string& folder) {
  RemoveStale(folder.empty() ? fs::path(".") : fs::path(folder), std::string());
}

DiskCalls ReplaceDiskCalls(const DiskCalls& calls) {
  DiskCalls before;
  before.flush = calls.flush != nullptr ? diskFlush.exchange(calls.flush) : diskFlush.load();
  before.reserve =
      calls.reserve != nullptr ? diskReserve.exchange(calls.reserve) : diskReserve.load();
  before.copy = calls.copy != nullptr ? diskCopy.exchange(calls.copy) : diskCopy.load();
  return before;
}

FileReplacement::FileReplacement(std::string path, Sync sync, bool removeStale)
    : FileReplacement(std::move(path), sync, removeStale, false) {}

FileReplacement::FileReplacement(std::string path, Sync sync, bool removeStale, bool inPlace)
    : path_(std::move(path)), sync_(sync), removeStale_(removeStale) {
  IgnoreFileSizeSignal();
  target_ = ResolveTarget(path_).string();
  if (const std::string refused = CheckTarget(target_, mode_); !refused.empty()) Fail(refused);
  if (!inPlace) {
    if (removeStale) RemoveStale(FolderOf(target_), TemporaryPrefix(target_));
    const int err = CreateTemporary(FolderOf(target_), O_WRONLY, 0666);
    if (err == 0) {
      if (mode_ != 0 && fchmod(fd_, mode_) != 0) Fail(errno);
      return;
    }
    // A file the user may write in a folder that takes no new file: written in place.
    if (mode_ == 0 || (err != EACCES && err != EPERM)) Fail(err);
  }
  inPlace_ = true;
  stage_ = Stage::kUnchanged;
  // Non-blocking, so that a FIFO put in the file's place cannot hold the open.
  targetFd_ = open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (targetFd_ < 0) Fail(errno);
  struct stat st {};
  if (fstat(targetFd_, &st) != 0) Fail(errno);
  if (!S_ISREG(st.st_mode)) Fail(kNotRegular);
  tmpFolder_ = TemporaryFolder();
  // What a process of this program that ended left there is of no use: a copy it had to keep
  // bears a name that this does not take. Whatever `removeStale` says of the target's folder.
  RemoveStale(fs::path(tmpFolder_), std::string());
  if (const int err = CreateTemporary(tmpFolder_, O_RDWR, 0600); err != 0)
    Fail(TemporaryReason(err));
}

// Creates the temporary file in `folder`, registered before it exists so that no signal can
// come between its creation and its registration. A name already taken bears this process's
// number: another temporary file of this process, or a stale one of an earlier process that
// had the same number; in place, the name the copy takes once kept must be free too. 0 or the
// error.
int FileReplacement::CreateTemporary(const fs::path& folder, int access, unsigned mode) {
  const std::string stem =
      (folder / TemporaryPrefix(target_)).string() + std::to_string(getpid()) + "-";
  int err = EEXIST;
  for (int attempt = 0; attempt < 1000 && err == EEXIST; ++attempt) {
    tmpName_ = stem + std::to_string(attempt);
    if (inPlace_) {
      firstName_ = tmpName_;
      keptName_ = KeptNameOf(tmpName_);
      struct stat st {};
      if (lstat(keptName_.c_str(), &st) == 0) continue;
    }
    slot_ = RegisterTemporary(tmpName_);
    fd_ = open(tmpName_.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    err = fd_ >= 0 ? 0 : errno;
    if (err != 0) {
      ForgetTemporary(slot_);
      slot_ = -1;
    }
  }
  if (err != 0) tmpName_.clear();
  return err;
}

// Once the target is being overwritten, the copy outlives whatever ends the write.
// The registration goes before the target's descriptor: a signal would cut back whatever file
// reused its number.
FileReplacement::~FileReplacement() {
  if (stage_ != Stage::kOverwriting) DropTemporary();
  if (targetFd_ >= 0) close(targetFd_);
  if (fd_ >= 0) close(fd_);
}

void FileReplacement::DropTemporary() {
  if (!tmpName_.empty()) unlink(tmpName_.c_str());
  tmpName_.clear();
  ForgetTemporary(slot_);
  slot_ = -1;
}

// A failure of the copy in place names the temporary folder, whose disk it is; the file-size
// limit is the process's, not the folder's.
std::string FileReplacement::TemporaryReason(int err) const {
  std::string reason = std::strerror(err);
  if (inPlace_ && err != EFBIG) reason += " (dossier temporaire " + tmpFolder_ + ")";
  return reason;
}

void FileReplacement::Fail(int err) { Fail(std::string(std::strerror(err))); }

// The one way out of a failure: what it leaves, and says, follows the stage reached.
void FileReplacement::Fail(const std::string& reason) {
  // Bytes past the old end, written first without room given, go again: they touched none of
  // the old ones. A target that stays longer is incomplete.
  if (stage_ == Stage::kUnchanged && targetFd_ >= 0 && oldSize_ >= 0 &&
      SizeOf(targetFd_) != oldSize_ && ftruncate(targetFd_, static_cast<off_t>(oldSize_)) != 0)
    stage_ = Stage::kOverwriting;
  std::string says = "Impossible d'écrire le fichier " + path_ + " : " + reason + ".";
  // The registration goes before the descriptors: a signal would cut back whatever file
  // reused the target's number.
  if (stage_ == Stage::kOverwriting) {
    // The copy holds the only whole new content and stays, under its kept name.
    if (tmpName_ == firstName_) RenameCopy(keptName_, false);
    ForgetTemporary(slot_);
    slot_ = -1;
    says += " Le fichier est incomplet, son contenu complet est dans " + tmpName_ + ".";
  } else {
    DropTemporary();
    if (stage_ == Stage::kUnchanged) says += " Le fichier n'a pas été modifié.";
  }
  if (targetFd_ >= 0) close(targetFd_);
  if (fd_ >= 0) close(fd_);
  targetFd_ = fd_ = -1;
  throw Error(ErrorKind::Io, says);
}

void FileReplacement::Write(std::string_view bytes) {
  if (fd_ < 0) Fail(EBADF);
  while (!bytes.empty()) {
    const ssize_t n = write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail(TemporaryReason(n == 0 ? EIO : errno));
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void FileReplacement::AppendCopyOf(int from, std::int64_t offset) {
  if (fd_ < 0) Fail(EBADF);
  const off_t end = lseek(fd_, 0, SEEK_END);
  if (end < 0 || CopyBytes(from, offset, fd_, end, -1) != 0 || lseek(fd_, 0, SEEK_END) < 0)
    Fail(TemporaryReason(errno));
}

std::string FileReplacement::Commit() {
  if (fd_ < 0) Fail(EBADF);
  if (inPlace_) {
    CommitInPlace();
    return {};
  }
  if (sync_ == Sync::kToDisk && FlushToDisk(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) Fail(errno);
  if (rename(tmpName_.c_str(), target_.c_str()) != 0) {
    // A folder that takes new files but not this rename (a sticky folder, and a file of
    // another user): written in place, as a direct write would.
    if (mode_ == 0 || (errno != EPERM && errno != EACCES)) Fail(errno);
    return CommitInPlaceFromTemporary();
  }
  ForgetTemporary(slot_);
  slot_ = -1;
  tmpName_.clear();
  return sync_ == Sync::kToDisk ? FlushFolder() : std::string();
}

// The complete temporary file beside the target is the new content; it goes however the
// write in place ends.
std::string FileReplacement::CommitInPlaceFromTemporary() {
  fd_ = open(tmpName_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) Fail(errno);
  FileReplacement inPlace(path_, sync_, removeStale_, true);
  inPlace.AppendCopyOf(fd_, 0);
  std::string warning = inPlace.Commit();
  close(fd_);
  fd_ = -1;
  DropTemporary();
  return warning;
}

void FileReplacement::CommitInPlace() {
  const bool toDisk = sync_ == Sync::kToDisk;
  if (toDisk && FlushToDisk(fd_) != 0) Fail(TemporaryReason(errno));
  // One writer at a time from before the target's first change to after its flush, or the
  // bytes of two would mix. A file system without locks is written as before.
  if (flock(targetFd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
    Fail("une autre écriture de ce fichier est en cours");
  const std::int64_t size = SizeOf(fd_);
  if (size < 0) Fail(TemporaryReason(errno));
  oldSize_ = SizeOf(targetFd_);
  if (oldSize_ < 0) Fail(errno);

  // Room for the whole new content, the size unchanged: a full disk, a quota or the file-size
  // limit fail here, while the target is the old file byte for byte and size for size.
  bool reserved = true;
  if (size > 0 && diskReserve.load(std::memory_order_relaxed)(targetFd_, size) != 0) {
    if (errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL) Fail(errno);
    reserved = false;
  }

  // The copy under its kept name, on disk before the first byte changes; without room given, a
  // signal also cuts the target back.
  if (!RenameCopy(keptName_, !reserved)) Fail(TemporaryReason(errno));
  if (toDisk) {
    if (const int err = FlushFolderOf(fs::path(tmpFolder_)); err != 0) Fail(TemporaryReason(err));
  }
  // Without room given, the bytes past the old end first: they touch none of the old ones.
  std::int64_t overwriteEnd = size;
  if (!reserved && size > oldSize_) {
    if (CopyBytes(fd_, oldSize_, targetFd_, oldSize_, size - oldSize_) != 0) Fail(errno);
    overwriteEnd = oldSize_;
  }

  // From here the copy outlives a failure and a signal, until the target holds it whole.
  if (!ForgetTemporary(slot_)) Fail(EINTR);
  slot_ = -1;
  stage_ = Stage::kOverwriting;
  if (CopyBytes(fd_, 0, targetFd_, 0, overwriteEnd) != 0) Fail(errno);
  if (ftruncate(targetFd_, static_cast<off_t>(size)) != 0) Fail(errno);
  // The target holds the whole new content: the copy goes, by a signal too, and back under its
  // first name it is left to the stale ones' removal by a kill.
  slot_ = RegisterTemporary(tmpName_);
  RenameCopy(firstName_, false);
  if (toDisk && FlushToDisk(targetFd_) != 0) Fail(errno);
  const int target = targetFd_;
  targetFd_ = -1;
  if (close(target) != 0) Fail(errno);
  close(fd_);
  fd_ = -1;
  DropTemporary();
}

// Gives the in-place copy the name `to`, registered before the rename so that a signal finds
// one of the two names, and with `restoreSize` cuts the target back too. False, with errno,
// when the copy keeps its name.
bool FileReplacement::RenameCopy(const std::string& to, bool restoreSize) {
  const int slot = RegisterTemporary(to);
  if (restoreSize) RestoreSizeOnSignal(slot, targetFd_, oldSize_);
  if (rename(tmpName_.c_str(), to.c_str()) != 0) {
    const int err = errno;
    ForgetTemporary(slot);
    errno = err;
    return false;
  }
  ForgetTemporary(slot_);
  slot_ = slot;
  tmpName_ = to;
  return true;
}

// The rename is on disk only once the folder is. A folder that cannot be flushed leaves the
// rename standing, and past it the file holds the new content: a warning, never a failure.
std::string FileReplacement::FlushFolder() {
  const int failed = FlushFolderOf(FolderOf(fs::path(target_)));
  if (failed == 0) return {};
  return "Le fichier " + path_ +
         " est écrit, mais son dossier n'a pas pu être mis sur le disque : " +
         std::strerror(failed) + ".";
}

std::string WriteFileAtomically(const std::string& path, std::string_view bytes,
                                FileReplacement::Sync sync) {
  FileReplacement file(path, sync);
  file.Write(bytes);
  return file.Commit();
}

}  // namespace relakin
