// Reading a whole regular file into memory, for both programs' readers. Each program turns a
// failure into its own typed error.
#pragma once

#include <string>

namespace relakin::files {

// Reads the regular file at `path` into `bytes` and returns true. What is not a regular file
// (a folder, a FIFO, a device such as /dev/zero) is refused before anything is read, so
// reading never blocks or runs without end. Otherwise returns false with, in `failure`, a
// French sentence naming `path`: the file cannot be opened, is not a regular file, cannot be
// read or does not fit in memory.
bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& failure);

}  // namespace relakin::files
