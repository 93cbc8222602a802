#include "core/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/errors.h"
#include "core/temporary_files.h"

namespace relakin {
namespace {

namespace fs = std::filesystem;

int SystemFlush(int fd) { return fsync(fd); }

std::atomic<DiskFlush> diskFlush{&SystemFlush};

int FlushToDisk(int fd) { return diskFlush.load(std::memory_order_relaxed)(fd); }

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw Error(ErrorKind::Io, "Impossible d'écrire le fichier " + path + " : " + reason + ".");
}

[[noreturn]] void Fail(const std::string& path, int err) { Fail(path, std::strerror(err)); }

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

FileReplacement::FileReplacement(std::string path, Sync sync, bool removeStale)
    : path_(std::move(path)), sync_(sync) {
  const fs::path target = ResolveTarget(path_);
  target_ = target.string();
  const mode_t mode = CheckTarget(target, path_);
  if (removeStale) RemoveStale(FolderOf(target), TemporaryPrefix(target));

  // Registered before it exists, so that no signal can come between its creation and its
  // registration. A name already taken bears this process's number: another temporary file of
  // this process, or a stale one of an earlier process that had the same number.
  const std::string stem =
      (FolderOf(target) / TemporaryPrefix(target)).string() + std::to_string(getpid()) + "-";
  int err = EEXIST;
  for (int attempt = 0; attempt < 1000 && err == EEXIST; ++attempt) {
    tmpName_ = stem + std::to_string(attempt);
    slot_ = RegisterTemporary(tmpName_);
    fd_ = open(tmpName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    err = fd_ >= 0 ? 0 : errno;
    if (err != 0) {
      ForgetTemporary(slot_);
      slot_ = -1;
    }
  }
  if (err == 0) {
    if (mode != 0 && fchmod(fd_, mode) != 0) Abandon(errno);
    return;
  }
  // A file the user may write in a folder that takes no new file: written in place.
  if (mode == 0 || (err != EACCES && err != EPERM)) Fail(path_, err);
  fd_ = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd_ < 0) Fail(path_, errno);
  inPlace_ = true;
  struct stat st {};
  if (fstat(fd_, &st) != 0) Abandon(errno);
  if (!S_ISREG(st.st_mode)) {
    close(fd_);
    fd_ = -1;
    Fail(path_, "ce n'est pas un fichier ordinaire");
  }
}

FileReplacement::~FileReplacement() {
  if (fd_ < 0) return;
  close(fd_);
  DropTemporary();
}

void FileReplacement::DropTemporary() {
  if (!inPlace_) unlink(tmpName_.c_str());
  ForgetTemporary(slot_);
  slot_ = -1;
}

void FileReplacement::Abandon(int err) {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
    DropTemporary();
  }
  Fail(path_, err);
}

// The old content goes only once there is new content to take its place.
void FileReplacement::EmptyTargetInPlace() {
  if (!inPlace_ || emptied_) return;
  if (ftruncate(fd_, 0) != 0) Abandon(errno);
  emptied_ = true;
}

void FileReplacement::Write(std::string_view bytes) {
  if (fd_ < 0) Fail(path_, EBADF);
  EmptyTargetInPlace();
  while (!bytes.empty()) {
    const ssize_t n = write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Abandon(n == 0 ? EIO : errno);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

bool FileReplacement::AppendCopyOf(int from, std::int64_t& offset) {
  if (fd_ < 0) Fail(path_, EBADF);
  EmptyTargetInPlace();
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

void FileReplacement::Commit() {
  if (fd_ < 0) Fail(path_, EBADF);
  EmptyTargetInPlace();
  if (sync_ == Sync::kToDisk && FlushToDisk(fd_) != 0) Abandon(errno);
  const int fd = fd_;
  fd_ = -1;
  int err = close(fd) != 0 ? errno : 0;
  if (inPlace_) {
    if (err != 0) Fail(path_, err);
    return;
  }
  if (err == 0 && rename(tmpName_.c_str(), target_.c_str()) != 0) err = errno;
  if (err != 0) {
    DropTemporary();
    Fail(path_, err);
  }
  ForgetTemporary(slot_);
  slot_ = -1;
  if (sync_ == Sync::kToDisk) FlushFolder();
}

// The rename is on disk only once the folder is. A folder this user may not read cannot be
// opened to be flushed, and some file systems cannot flush a folder: the rename stands. Past the
// rename the file holds the new content: a failure here must not say it was not written.
void FileReplacement::FlushFolder() {
  const int dir = open(FolderOf(fs::path(target_)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int failed = dir < 0 ? errno : 0;
  if (dir >= 0) {
    failed = FlushToDisk(dir) != 0 ? errno : 0;
    close(dir);
  }
  if (failed != 0 && failed != EACCES && failed != EINVAL && failed != EROFS &&
      failed != EOPNOTSUPP) {
    throw Error(ErrorKind::Io, "Le fichier " + path_ +
                                   " est écrit, mais son dossier n'a pas pu être mis sur le "
                                   "disque : " +
                                   std::strerror(failed) + ".");
  }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         FileReplacement::Sync sync) {
  FileReplacement file(path, sync);
  file.Write(bytes);
  file.Commit();
}

}  // namespace relakin
