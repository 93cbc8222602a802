#include "analysis/output_file.h"

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

OutputFile::OutputFile(std::string path)
    : path_(std::move(path)), file_(std::make_unique<FileReplacement>(path_)) {
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

void OutputFile::Close() {
  if (!file_) return;
  Flush();
  std::unique_ptr<FileReplacement> file = std::move(file_);
  file->Commit();
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
