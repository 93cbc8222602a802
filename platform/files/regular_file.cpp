#include "platform/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace relakin::files {
namespace {

constexpr std::size_t kChunk = 1 << 16;

// Closes the descriptor however the reading ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// What keeps `st` from being read as a file; empty when it is a regular file.
std::string NotRegular(const struct stat& st, const std::string& path) {
  if (S_ISDIR(st.st_mode))
    return "Impossible de lire " + path + " : c'est un dossier, pas un fichier.";
  if (!S_ISREG(st.st_mode))
    return "Impossible de lire " + path + " : ce n'est pas un fichier ordinaire.";
  return {};
}

bool ReadAll(int fd, std::string& bytes) {
  for (;;) {
    const std::size_t had = bytes.size();
    bytes.resize(had + kChunk);
    const ssize_t n = read(fd, bytes.data() + had, kChunk);
    bytes.resize(had + static_cast<std::size_t>(n < 0 ? 0 : n));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
  }
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& failure) {
  bytes.clear();
  // Non-blocking, so that opening a FIFO without a writer returns at once and is refused below.
  const Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    failure = "Impossible d'ouvrir le fichier " + path + ".";
    return false;
  }
  struct stat st {};
  if (fstat(fd.get(), &st) != 0) {
    failure = "Erreur de lecture du fichier " + path + ".";
    return false;
  }
  failure = NotRegular(st, path);
  if (!failure.empty()) return false;
  try {
    bytes.reserve(static_cast<std::size_t>(st.st_size) + kChunk);  // room for the last read
    if (ReadAll(fd.get(), bytes)) return true;
    failure = "Erreur de lecture du fichier " + path + ".";
  } catch (const std::bad_alloc&) {
    failure = "Mémoire insuffisante pour lire le fichier " + path + ".";
  }
  bytes.clear();
  return false;
}

}  // namespace relakin::files
