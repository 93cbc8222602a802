#include "core/minimize_name.h"

#include <string_view>

namespace relakin {
namespace {

constexpr std::string_view kCut = ".../";

// Cuts the first directory of a directory part ("/a/b/" -> "/.../b/", "/.../b/" -> "/.../",
// "/.../" -> ".../" -> "", "/" -> ""). Each call leaves a shorter part, so repeating it ends.
std::string CutFirstDirectory(std::string_view dir) {
  if (dir == "/") return {};
  if (dir == "/.../") return std::string(kCut);
  const bool root = dir.front() == '/';
  if (root) dir.remove_prefix(1);
  // Only the marker of an earlier cut is skipped, so a leading ".config/" counts as one
  // directory.
  if (dir.starts_with(kCut)) dir.remove_prefix(kCut.size());
  const std::size_t slash = dir.find('/');
  if (slash == std::string_view::npos) return root ? "/" : "";
  return std::string(root ? "/" : "") + std::string(kCut) + std::string(dir.substr(slash + 1));
}

}  // namespace

std::string MinimizeName(const std::string& path, int maxWidth, const TextWidth& width) {
  const std::size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = path.substr(dir.size());
  std::string result = path;
  while (!dir.empty() && width(result) > maxWidth) {
    dir = CutFirstDirectory(dir);
    result = dir + name;
  }
  return result;
}

}  // namespace relakin
