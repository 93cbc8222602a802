#include "core/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>
#include <new>

#include "core/errors.h"

namespace relakin {
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

[[noreturn]] void Fail(const std::string& message) { throw Error(ErrorKind::Io, message); }

void RequireRegular(const struct stat& st, const std::string& path) {
  if (S_ISDIR(st.st_mode))
    Fail("Impossible de lire " + path + " : c'est un dossier, pas un fichier.");
  if (!S_ISREG(st.st_mode))
    Fail("Impossible de lire " + path + " : ce n'est pas un fichier ordinaire.");
}

void ReadAll(int fd, std::string& bytes, const std::string& path) {
  for (;;) {
    const std::size_t had = bytes.size();
    bytes.resize(had + kChunk);
    const ssize_t n = read(fd, bytes.data() + had, kChunk);
    if (n < 0 && errno == EINTR) {
      bytes.resize(had);
      continue;
    }
    bytes.resize(had + static_cast<std::size_t>(n < 0 ? 0 : n));
    if (n < 0) Fail("Erreur de lecture du fichier " + path + ".");
    if (n == 0) return;
  }
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  // Non-blocking, so that opening a FIFO without a writer returns at once and is refused below.
  const Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) Fail("Impossible d'ouvrir le fichier " + path + ".");
  struct stat st {};
  if (fstat(fd.get(), &st) != 0) Fail("Erreur de lecture du fichier " + path + ".");
  RequireRegular(st, path);
  std::string bytes;
  try {
    bytes.reserve(static_cast<std::size_t>(st.st_size) + kChunk);  // room for the last read
    ReadAll(fd.get(), bytes, path);
  } catch (const std::bad_alloc&) {
    Fail("Mémoire insuffisante pour lire le fichier " + path + ".");
  }
  return bytes;
}

std::string ReadStreamBytes(std::istream& in, const std::string& name) {
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) Fail("Erreur de lecture du fichier " + name + ".");
  return content;
}

}  // namespace relakin
