#include "analysis/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/atomic_file.h"
#include "core/errors.h"

namespace relakin {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

std::string Reason() { return errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : ""; }

}  // namespace

OutputFile::OutputFile(std::string path, FileReplacement::Sync sync, bool removeStale)
    : path_(std::move(path)), file_(std::make_unique<FileReplacement>(path_, sync, removeStale)) {
  buffer_.reserve(kBufferSize);
}

OutputFile::~OutputFile() = default;

// Writing after Close is a fault of the caller's; say so rather than write into nothing.
void OutputFile::Fail() {
  throw Error(ErrorKind::Io, "Écriture dans un fichier fermé : " + path_ + ".");
}

void OutputFile::Write(std::string_view bytes) {
  if (!file_) Fail();
  if (buffer_.size() + bytes.size() > kBufferSize) Flush();
  if (bytes.size() > kBufferSize) {
    file_->Write(bytes);
    return;
  }
  buffer_.append(bytes);
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  file_->Write(buffer_);
  buffer_.clear();
}

std::string OutputFile::Close() {
  if (!file_) return {};
  Flush();
  std::unique_ptr<FileReplacement> file = std::move(file_);
  return file->Commit();
}

namespace {

// Closes a descriptor when the copy ends, by error or not.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

void OutputFile::AppendFileFrom(const std::string& path, std::uint64_t offset) {
  if (!file_) Fail();
  Flush();
  errno = 0;
  const Descriptor in{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (in.fd < 0)
    throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier " + path + Reason() + ".");
  file_->AppendCopyOf(in.fd, static_cast<std::int64_t>(offset));
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
