// Replacing a file so that readers see either its old or its new content, never half of each.
#pragma once

#include <string>
#include <string_view>

namespace relakin {

// Writes bytes to a new temporary file in path's folder (a bare name: the current directory),
// flushes it to disk and renames it over path. An existing file keeps its permissions; a
// symbolic link is followed. Throws Error(Io) naming path when any step fails; the old file is
// then intact and no temporary file is left.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace relakin
