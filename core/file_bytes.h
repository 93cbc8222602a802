// Reading a whole file or stream into memory, for the readers that parse text held in memory.
#pragma once

#include <istream>
#include <string>

namespace relakin {

// The bytes of the regular file at `path`. What is not a regular file (a folder, a FIFO, a
// device such as /dev/zero) is refused before anything is read, so reading never blocks or
// runs without end. Throws Error(Io) with a French sentence naming `path` when the file cannot
// be opened, is not a regular file, cannot be read, or does not fit in memory.
std::string ReadFileBytes(const std::string& path);

// The whole stream's bytes; throws Error(Io) naming `name` when it cannot be read.
std::string ReadStreamBytes(std::istream& in, const std::string& name);

}  // namespace relakin
