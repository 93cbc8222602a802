// How Save and Save As turn the name typed in the save dialog into the native file's name.
#pragma once

#include <string>

namespace relakin {

// The file-name part of `name` (the directory dropped) with its extension replaced by "bvt":
// "pop.txt" and "pop" give "pop.bvt", "pop." gives "pop.bvt", and "pop.old.txt" gives
// "pop.oldbvt" (a stem that still holds a dot gets "bvt" without a dot).
std::string ForceNativeExtension(const std::string& name);

// The directory part of `path` with its final "/", empty for a bare name.
std::string DirectoryPart(const std::string& path);

// A path that names its file wherever the current directory is; only such paths go to the
// recent-files list.
bool IsAbsolutePath(const std::string& path);

}  // namespace relakin
