#include "analysis/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/errors.h"

namespace relakin {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

std::string Reason() { return errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : ""; }

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  errno = 0;
  file_ = std::fopen(path_.c_str(), "wb");
  if (file_ == nullptr) Fail("Impossible de créer le fichier ");
  buffer_.reserve(kBufferSize);
}

OutputFile::~OutputFile() {
  if (file_ == nullptr) return;
  std::fwrite(buffer_.data(), 1, buffer_.size(), file_);  // what was written so far, unchecked
  std::fclose(file_);
}

void OutputFile::Fail(const char* what) {
  const std::string reason = Reason();
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  throw Error(ErrorKind::Io, what + path_ + reason + ".");
}

void OutputFile::Write(std::string_view bytes) {
  if (file_ == nullptr) Fail("Écriture dans un fichier fermé : ");
  if (buffer_.size() + bytes.size() > kBufferSize) Flush();
  if (bytes.size() > kBufferSize) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
      Fail("Erreur d'écriture du fichier ");
    return;
  }
  buffer_.append(bytes);
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  errno = 0;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
    Fail("Erreur d'écriture du fichier ");
  buffer_.clear();
}

void OutputFile::Close() {
  if (file_ == nullptr) return;
  Flush();
  errno = 0;
  if (std::fflush(file_) != 0) Fail("Erreur d'écriture du fichier ");
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) {
    const std::string reason = Reason();
    throw Error(ErrorKind::Io, "Erreur à la fermeture du fichier " + path_ + reason + ".");
  }
}

namespace {

// Closes a descriptor when the copy ends, by error or not.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

[[noreturn]] void ReadFailure(const std::string& path) {
  throw Error(ErrorKind::Io, "Erreur de lecture du fichier " + path + Reason() + ".");
}

}  // namespace

void OutputFile::AppendFileFrom(const std::string& path, std::uint64_t offset) {
  if (file_ == nullptr) Fail("Écriture dans un fichier fermé : ");
  Flush();
  errno = 0;
  if (std::fflush(file_) != 0) Fail("Erreur d'écriture du fichier ");
  errno = 0;
  const Descriptor in{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (in.fd < 0)
    throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier " + path + Reason() + ".");
  auto from = static_cast<off_t>(offset);
  for (bool copied = false;; copied = true) {
    errno = 0;
    const ssize_t n =
        ::copy_file_range(in.fd, &from, ::fileno(file_), nullptr, kBufferSize << 8, 0);
    if (n == 0) return;
    if (n > 0) continue;
    // Systems or file kinds without the copy: through memory, from where it stopped.
    const bool unsupported = errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                             errno == EOPNOTSUPP || errno == EBADF;
    if (!unsupported || copied) Fail("Erreur d'écriture du fichier ");
    break;
  }
  std::string chunk(kBufferSize, '\0');
  for (;;) {
    errno = 0;
    const ssize_t n = ::pread(in.fd, chunk.data(), chunk.size(), from);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ReadFailure(path);
    if (n == 0) return;
    from += n;
    Write(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
  }
}

void CopyAfterFirstLine(const std::string& path, OutputFile& out) {
  errno = 0;
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr)
    throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier " + path + Reason() + ".");
  // Only the first line is read here; the rest is copied by the system.
  char block[4096];
  std::uint64_t line_end = 0;
  bool found = false;
  std::size_t n;
  while (!found && (n = std::fread(block, 1, sizeof block, in)) > 0) {
    const void* nl = std::memchr(block, '\n', n);
    found = nl != nullptr;
    line_end += found ? static_cast<const char*>(nl) - block + 1 : n;
  }
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) throw Error(ErrorKind::Io, "Erreur de lecture du fichier " + path + ".");
  if (found) out.AppendFileFrom(path, line_end);
}

}  // namespace relakin
