// A result or scratch file written through a large buffer, every write and the close checked.
//
// The file is replaced as a whole (core/atomic_file.h): the constructor checks the target
// (a file that may not be written, a folder or a path that does not exist is refused there,
// as a direct creation would be) and creates a temporary file beside it; Write appends to the
// buffer and hands full buffers to the temporary file; Close renames it over the target (a
// result file is flushed to disk on the way, a scratch file is not). Any failure throws
// Error(Io) naming the file, so a run that fails never goes on to report success. A file not
// closed when the object dies (an error left the run) is abandoned: its temporary file is
// removed and the old file, if any, stays whole (core/atomic_file.h: also a file written in
// place, until Close starts to overwrite it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/atomic_file.h"

namespace relakin {

class OutputFile {
 public:
  // kToDisk for the result file the user named, kNone for a scratch file; removeStale as
  // FileReplacement takes it (core/atomic_file.h).
  explicit OutputFile(std::string path, FileReplacement::Sync sync = FileReplacement::Sync::kNone,
                      bool removeStale = true);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view bytes);
  // Appends the bytes of the file `path` from byte `offset` to its end, copied by the system
  // where it can (no pass through this process's memory). Throws Error(Io) naming `path` when
  // it cannot be opened, or naming this file when the copy fails.
  void AppendFileFrom(const std::string& path, std::uint64_t offset);
  // Returns the warning FileReplacement::Commit returns (a result file only: a scratch file
  // has no folder flush to warn of); the run says it.
  std::string Close();
  const std::string& path() const { return path_; }

 private:
  void Flush();
  [[noreturn]] void Fail();

  std::string path_;
  std::unique_ptr<FileReplacement> file_;  // null once closed
  std::string buffer_;
};

// Appends the bytes of `path` from just after its first line end to `out`. Throws Error(Io)
// when the file cannot be opened or read.
void CopyAfterFirstLine(const std::string& path, OutputFile& out);

}  // namespace relakin
