#include "core/native_file_name.h"

namespace relakin {

std::string DirectoryPart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ForceNativeExtension(const std::string& name) {
  std::string n = name.substr(DirectoryPart(name).size());
  const std::size_t dot = n.rfind('.');
  if (dot != std::string::npos) n.resize(dot);
  return n + (n.find('.') == std::string::npos ? ".bvt" : "bvt");
}

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path.front() == '/'; }

}  // namespace relakin
