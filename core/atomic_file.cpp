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

[[noreturn]] void Fail(const std::string& path, int err) {
  throw Error(ErrorKind::Io,
              "Impossible d'écrire le fichier " + path + " : " + std::strerror(err) + ".");
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

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const fs::path target = ResolveTarget(path);
  std::string tmpName;
  const int fd = CreateTemporary(target, tmpName, path);
  struct stat old {};
  bool ok = true;
  if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    ok = fchmod(fd, old.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd, bytes) && fsync(fd) == 0;
  int err = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && rename(tmpName.c_str(), target.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    unlink(tmpName.c_str());
    Fail(path, err);
  }
}

}  // namespace relakin
