// Whether "&View File content ..." shows a file as an HTML page or as text.
#pragma once

#include <istream>
#include <string>

namespace relakin {

enum class ViewerFileKind { Text, Html };

// Html when the file's first line, less its trailing blanks and control characters, is exactly
// "<HTML>" (letter case and leading blanks count); a first line that is empty once trimmed
// gives way to the second line. Lines end with LF, CR LF or CR. Reads no further than the
// second line and keeps only a few characters of each, whatever the lines' length.
ViewerFileKind ReadViewerFileKind(std::istream& in);

// The same for the file at `path` (UTF-8, as the file system names it). Throws Error(Io) when it
// is not a file that can be opened and read.
ViewerFileKind ReadViewerFileKind(const std::string& path);

}  // namespace relakin
