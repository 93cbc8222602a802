// Shortening a path to a width for a menu entry: the file name is kept whole and directories
// are cut from the front, each cut marked by ".../".
#pragma once

#include <functional>
#include <string>

namespace relakin {

// The width of a text (UTF-8) in the unit of the limit, e.g. pixels in the menu font.
using TextWidth = std::function<int(const std::string&)>;

// `path` as it is when it is not wider than `maxWidth`; otherwise its leading directories give
// way one at a time: "/a/b/c/f" becomes "/.../b/c/f", "/.../c/f", "/.../f", ".../f", then the
// bare file name "f", stopping at the first that fits. The file name itself is never cut, so the
// result can stay wider than the limit.
std::string MinimizeName(const std::string& path, int maxWidth, const TextWidth& width);

}  // namespace relakin
