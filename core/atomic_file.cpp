#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/errors.h"

namespace relakin {
namespace {

namespace fs = std::filesystem;

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

// Creates a file of our own beside target; returns its descriptor and name.
int CreateTemporary(const fs::path& target, std::string& tmpName, const std::string& path) {
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string stem(1, '.');
  stem += target.filename().string();
  stem += ".~";
  stem += std::to_string(getpid());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    tmpName = (dir / (stem + "-" + std::to_string(attempt))).string();
    const int fd = open(tmpName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) Fail(path, errno);
  }
  Fail(path, EEXIST);
}

}  // namespace

FileReplacement::FileReplacement(std::string path, Sync sync)
    : path_(std::move(path)), sync_(sync) {
  const fs::path target = ResolveTarget(path_);
  target_ = target.string();
  const mode_t mode = CheckTarget(target, path_);
  fd_ = CreateTemporary(target, tmpName_, path_);
  if (mode != 0 && fchmod(fd_, mode) != 0) Abandon(errno);
}

FileReplacement::~FileReplacement() {
  if (fd_ < 0) return;
  close(fd_);
  unlink(tmpName_.c_str());
}

void FileReplacement::Abandon(int err) {
  if (fd_ >= 0) {
    close(fd_);
    unlink(tmpName_.c_str());
    fd_ = -1;
  }
  Fail(path_, err);
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

void FileReplacement::Commit() {
  if (fd_ < 0) Fail(path_, EBADF);
  if (sync_ == Sync::kToDisk && fsync(fd_) != 0) Abandon(errno);
  const int fd = fd_;
  fd_ = -1;
  int err = close(fd) != 0 ? errno : 0;
  if (err == 0 && rename(tmpName_.c_str(), target_.c_str()) != 0) err = errno;
  if (err != 0) {
    unlink(tmpName_.c_str());
    Fail(path_, err);
  }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  FileReplacement file(path, FileReplacement::Sync::kToDisk);
  file.Write(bytes);
  file.Commit();
}

}  // namespace relakin
