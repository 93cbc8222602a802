#include "analysis/output_file.h"

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

void CopyAfterFirstLine(const std::string& path, OutputFile& out) {
  errno = 0;
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr)
    throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier " + path + Reason() + ".");
  std::string chunk(kBufferSize, '\0');
  bool skipping = true;
  std::size_t n;
  while ((n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) {
    std::string_view part(chunk.data(), n);
    if (skipping) {
      const std::size_t end = part.find('\n');
      if (end == std::string_view::npos) continue;
      part.remove_prefix(end + 1);
      skipping = false;
    }
    out.Write(part);
  }
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) throw Error(ErrorKind::Io, "Erreur de lecture du fichier " + path + ".");
}

}  // namespace relakin
