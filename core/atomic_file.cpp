#include "core/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
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
  return fallocate(fd, 0, 0, static_cast<off_t>(length));
}

std::int64_t SystemCopy(int from, int to, std::int64_t offset, std::int64_t count) {
  constexpr std::int64_t kBuffer = std::int64_t{1} << 20;
  off_t in = static_cast<off_t>(offset);
  off_t out = in;
  const ssize_t n = copy_file_range(from, &in, to, &out, static_cast<std::size_t>(count), 0);
  if (n >= 0 || (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP))
    return n;
  // Two file systems the system cannot copy between (the temporary folder is often a tmpfs):
  // the whole count through one buffer, so that the system is asked once per call.
  std::string chunk(static_cast<std::size_t>(std::min(count, kBuffer)), '\0');
  std::int64_t copied = 0;
  while (copied < count) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::int64_t>(count - copied, kBuffer));
    const ssize_t got = pread(from, chunk.data(), want, static_cast<off_t>(offset + copied));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return copied > 0 || got == 0 ? copied : -1;
    for (ssize_t put = 0; put < got;) {
      const ssize_t w = pwrite(to, chunk.data() + put, static_cast<std::size_t>(got - put),
                               static_cast<off_t>(offset + copied + put));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        if (w == 0) errno = EIO;
        return copied + put > 0 ? copied + put : -1;
      }
      put += w;
    }
    copied += got;
  }
  return copied;
}

std::atomic<DiskFlush> diskFlush{&SystemFlush};
std::atomic<DiskReserve> diskReserve{&SystemReserve};
std::atomic<DiskCopy> diskCopy{&SystemCopy};

int FlushToDisk(int fd) { return diskFlush.load(std::memory_order_relaxed)(fd); }

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw Error(ErrorKind::Io, "Impossible d'écrire le fichier " + path + " : " + reason + ".");
}

[[noreturn]] void Fail(const std::string& path, int err) { Fail(path, std::strerror(err)); }

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

// Errors of a folder flush that leave the rename standing: a folder this user may not read
// cannot be opened to be flushed, and some file systems cannot flush a folder.
bool FolderFlushMayFail(int err) {
  return err == EACCES || err == EINVAL || err == EROFS || err == EOPNOTSUPP;
}

// Flushes a folder; 0 or the error that matters.
int FlushFolderOf(const fs::path& folder) {
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int failed = dir < 0 ? errno : 0;
  if (dir >= 0) {
    failed = FlushToDisk(dir) != 0 ? errno : 0;
    close(dir);
  }
  return FolderFlushMayFail(failed) ? 0 : failed;
}

std::int64_t SizeOf(int fd) {
  struct stat st {};
  return fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

// Copies [from, to) of the file `in` to the same place of `out`; 0 or the error.
int CopyRange(int in, int out, std::int64_t from, std::int64_t to) {
  constexpr std::int64_t kStep = std::int64_t{1} << 28;
  const DiskCopy copy = diskCopy.load(std::memory_order_relaxed);
  while (from < to) {
    const std::int64_t n = copy(in, out, from, std::min(to - from, kStep));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;  // the copy is shorter than it was
    from += n;
  }
  return 0;
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

// The checks a direct write would make on an existing target, without opening it: a rename
// would otherwise replace what may not be written. Returns the mode to give the new file, or 0
// when there is no old file.
mode_t CheckTarget(const fs::path& target, const std::string& path) {
  struct stat st {};
  if (stat(target.c_str(), &st) != 0) {
    if (errno == ENOENT) return 0;
    Fail(path, errno);
  }
  if (S_ISDIR(st.st_mode)) Fail(path, EISDIR);
  if (!S_ISREG(st.st_mode)) Fail(path, "ce n'est pas un fichier ordinaire");
  if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) Fail(path, errno);
  return st.st_mode & 07777;
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
// stays within the system's limit.
std::string TemporaryPrefix(const fs::path& target) {
  constexpr std::size_t kTail = 24;  // "-" + process + "-" + attempt, with room
  std::string name = target.filename().string();
  const std::string rest = ".~" + HostTag() + "-";
  const std::size_t room =
      NAME_MAX > 1 + rest.size() + kTail ? NAME_MAX - 1 - rest.size() - kTail : 0;
  if (name.size() > room) name.resize(room);
  return "." + name + rest;
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

DiskFlush ReplaceDiskFlush(DiskFlush flush) {
  return diskFlush.exchange(flush != nullptr ? flush : &SystemFlush);
}

DiskReserve ReplaceDiskReserve(DiskReserve reserve) {
  return diskReserve.exchange(reserve != nullptr ? reserve : &SystemReserve);
}

DiskCopy ReplaceDiskCopy(DiskCopy copy) {
  return diskCopy.exchange(copy != nullptr ? copy : &SystemCopy);
}

FileReplacement::FileReplacement(std::string path, Sync sync, bool removeStale)
    : path_(std::move(path)), sync_(sync) {
  IgnoreFileSizeSignal();
  const fs::path target = ResolveTarget(path_);
  target_ = target.string();
  const mode_t mode = CheckTarget(target, path_);
  if (removeStale) RemoveStale(FolderOf(target), TemporaryPrefix(target));

  // A name already taken bears this process's number: another temporary file of this process,
  // or a stale one of an earlier process that had the same number.
  const std::string stem =
      (FolderOf(target) / TemporaryPrefix(target)).string() + std::to_string(getpid()) + "-";
  int err = EEXIST;
  for (int attempt = 0; attempt < 1000 && err == EEXIST; ++attempt) {
    tmpName_ = stem + std::to_string(attempt);
    err = CreateTemporary(O_WRONLY, 0666);
  }
  if (err == 0) {
    if (mode != 0 && fchmod(fd_, mode) != 0) Abandon(errno);
    return;
  }
  // A file the user may write in a folder that takes no new file: written in place.
  if (mode == 0 || (err != EACCES && err != EPERM)) Fail(path_, err);
  targetFd_ = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
  if (targetFd_ < 0) Fail(path_, errno);
  inPlace_ = true;
  struct stat st {};
  if (fstat(targetFd_, &st) != 0) AbandonUnchanged(errno, false);
  if (!S_ISREG(st.st_mode)) {
    close(targetFd_);
    targetFd_ = -1;
    Fail(path_, "ce n'est pas un fichier ordinaire");
  }
  CreateCopyInTemporaryFolder(removeStale);
}

// The copy is named as the temporaries beside a target are, so that those of ended processes
// are removed alike; once kept, its name loses the leading dot, which takes it out of their
// number. Both names must be free.
void FileReplacement::CreateCopyInTemporaryFolder(bool removeStale) {
  tmpFolder_ = TemporaryFolder();
  const std::string prefix = TemporaryPrefix(fs::path(target_));
  if (removeStale) RemoveStale(fs::path(tmpFolder_), prefix);
  const std::string stem =
      (fs::path(tmpFolder_) / prefix).string() + std::to_string(getpid()) + "-";
  const std::size_t dot = stem.size() - prefix.size() - std::to_string(getpid()).size() - 1;
  int err = EEXIST;
  for (int attempt = 0; attempt < 1000 && err == EEXIST; ++attempt) {
    tmpName_ = stem + std::to_string(attempt);
    keptName_ = tmpName_.substr(0, dot) + tmpName_.substr(dot + 1);
    struct stat st {};
    if (lstat(keptName_.c_str(), &st) == 0) continue;
    err = CreateTemporary(O_RDWR, 0600);
  }
  if (err != 0) AbandonUnchanged(err, true);
}

// Registered before it exists, so that no signal can come between its creation and its
// registration; 0 or the error.
int FileReplacement::CreateTemporary(int access, unsigned mode) {
  slot_ = RegisterTemporary(tmpName_);
  fd_ = open(tmpName_.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd_ >= 0) return 0;
  const int err = errno;
  ForgetTemporary(slot_);
  slot_ = -1;
  return err;
}

FileReplacement::~FileReplacement() {
  if (targetFd_ >= 0) close(targetFd_);
  if (fd_ < 0) return;
  close(fd_);
  DropTemporary();
}

void FileReplacement::DropTemporary() {
  unlink(tmpName_.c_str());
  ForgetTemporary(slot_);
  slot_ = -1;
}

void FileReplacement::Abandon(int err) {
  if (inPlace_) AbandonUnchanged(err, true);
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
    DropTemporary();
  }
  Fail(path_, err);
}

// Before the target's first byte changes: the copy goes, the old file stays as it was.
// `copySide`: the failure was the copy's, in the temporary folder, which the message names.
void FileReplacement::AbandonUnchanged(int err, bool copySide) {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
    DropTemporary();
  }
  if (targetFd_ >= 0) {
    close(targetFd_);
    targetFd_ = -1;
  }
  std::string reason = std::strerror(err);
  if (copySide) reason += " (dossier temporaire " + tmpFolder_ + ")";
  throw Error(ErrorKind::Io, "Impossible d'écrire le fichier " + path_ + " : " + reason +
                                 ". Le fichier n'a pas été modifié.");
}

// Once the target is being overwritten: the copy holds the only whole new content and stays.
void FileReplacement::KeepCopyAndFail(int err) {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
  }
  if (targetFd_ >= 0) {
    close(targetFd_);
    targetFd_ = -1;
  }
  throw Error(ErrorKind::Io,
              "Impossible d'écrire le fichier " + path_ + " : " + std::strerror(err) +
                  ". Le fichier est incomplet, son contenu complet est dans " + tmpName_ + ".");
}

void FileReplacement::Write(std::string_view bytes) {
  if (fd_ < 0) Fail(path_, EBADF);
  while (!bytes.empty()) {
    const ssize_t n = write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Abandon(n == 0 ? EIO : errno);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

bool FileReplacement::AppendCopyOf(int from, std::int64_t& offset) {
  if (fd_ < 0) Fail(path_, EBADF);
  constexpr std::size_t kStep = std::size_t{1} << 28;
  for (bool copied = false;; copied = true) {
    off_t at = static_cast<off_t>(offset);
    const ssize_t n = copy_file_range(from, &at, fd_, nullptr, kStep, 0);
    if (n == 0) return true;
    if (n > 0) {
      offset = at;
      continue;
    }
    if (errno == EINTR) continue;
    // File systems or file kinds the system cannot copy between.
    const bool unsupported = errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                             errno == EOPNOTSUPP || errno == EBADF;
    if (unsupported && !copied) return false;
    Abandon(errno);
  }
}

std::string FileReplacement::Commit() {
  if (fd_ < 0) Fail(path_, EBADF);
  if (inPlace_) {
    CommitInPlace();
    return {};
  }
  if (sync_ == Sync::kToDisk && FlushToDisk(fd_) != 0) Abandon(errno);
  const int fd = fd_;
  fd_ = -1;
  int err = close(fd) != 0 ? errno : 0;
  if (err == 0 && rename(tmpName_.c_str(), target_.c_str()) != 0) err = errno;
  if (err != 0) {
    DropTemporary();
    Fail(path_, err);
  }
  ForgetTemporary(slot_);
  slot_ = -1;
  return sync_ == Sync::kToDisk ? FlushFolder() : std::string();
}

// Puts the target back to its old size after room was made for the new content: the old bytes
// were never touched. False when it stays longer.
bool FileReplacement::CutBack(std::int64_t size) {
  const std::int64_t now = SizeOf(targetFd_);
  return now == size || ftruncate(targetFd_, static_cast<off_t>(size)) == 0;
}

void FileReplacement::CommitInPlace() {
  const bool toDisk = sync_ == Sync::kToDisk;
  if (toDisk && FlushToDisk(fd_) != 0) AbandonUnchanged(errno, true);
  const std::int64_t size = SizeOf(fd_);
  const std::int64_t oldSize = SizeOf(targetFd_);
  if (size < 0 || oldSize < 0) AbandonUnchanged(errno, size < 0);

  // Room made for the new content leaves the old bytes as they were; only the size is put back.
  const auto unchanged = [&](int err, bool copySide) {
    if (!CutBack(oldSize)) {
      ForgetTemporary(slot_);
      slot_ = -1;
      KeepCopyAndFail(err);
    }
    AbandonUnchanged(err, copySide);
  };

  // Room for the whole new content before the first byte changes: a full disk, a quota or the
  // file-size limit fail here. A file system that cannot reserve gets the bytes past the old
  // end written instead, which touches none of the old ones.
  RestoreSizeOnSignal(slot_, targetFd_, oldSize);
  std::int64_t overwriteEnd = size;
  if (size > 0 && diskReserve.load(std::memory_order_relaxed)(targetFd_, size) != 0) {
    int err = errno;
    if (err == EOPNOTSUPP || err == ENOSYS || err == EINVAL) {
      err = size > oldSize ? CopyRange(fd_, targetFd_, oldSize, size) : 0;
      if (err == 0) overwriteEnd = std::min(size, oldSize);
    }
    if (err != 0) unchanged(err, false);
  }

  // The copy under its kept name, registered before the rename so that a signal finds one of
  // the two names.
  const int keptSlot = RegisterTemporary(keptName_);
  RestoreSizeOnSignal(keptSlot, targetFd_, oldSize);
  if (rename(tmpName_.c_str(), keptName_.c_str()) != 0) {
    const int err = errno;
    ForgetTemporary(keptSlot);
    unchanged(err, true);
  }
  ForgetTemporary(slot_);
  slot_ = keptSlot;
  tmpName_ = keptName_;
  if (toDisk) {
    if (const int err = FlushFolderOf(fs::path(tmpFolder_)); err != 0) unchanged(err, true);
  }
  // From here the copy outlives a failure and a signal.
  if (!ForgetTemporary(slot_)) unchanged(EINTR, false);
  slot_ = -1;

  int err = CopyRange(fd_, targetFd_, 0, overwriteEnd);
  if (err == 0 && ftruncate(targetFd_, static_cast<off_t>(size)) != 0) err = errno;
  if (err == 0 && toDisk && FlushToDisk(targetFd_) != 0) err = errno;
  const int target = targetFd_;
  targetFd_ = -1;
  if (close(target) != 0 && err == 0) err = errno;
  if (err != 0) KeepCopyAndFail(err);
  close(fd_);
  fd_ = -1;
  unlink(tmpName_.c_str());
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
