#include "bench/memory_write.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/errors.h"

namespace relakin::bench {
namespace {

constexpr std::size_t kBlock = std::size_t{4} << 20;

void WriteFile(const std::string& path, std::uint64_t size, const std::string& block) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) throw Error(ErrorKind::Io, "cannot create " + path);
  bool ok = true;
  for (std::uint64_t left = size; ok && left > 0;) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
    ok = std::fwrite(block.data(), 1, n, f) == n;
    left -= n;
  }
  if (std::fclose(f) != 0 || !ok) throw Error(ErrorKind::Io, "cannot write " + path);
}

}  // namespace

double TimeMemoryWrite(const std::vector<std::uint64_t>& sizes) {
  std::string block(kBlock, ' ');
  for (std::size_t k = 0; k < block.size(); k += 80) block.replace(k, 2, "\r\n");
  std::vector<std::string> paths;
  for (std::size_t k = 0; k < sizes.size(); ++k)
    paths.push_back("memory-write-" + std::to_string(k + 1) + ".tmp");
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t k = 0; k < sizes.size(); ++k) WriteFile(paths[k], sizes[k], block);
  const auto stop = std::chrono::steady_clock::now();
  for (const std::string& p : paths) std::remove(p.c_str());
  return std::chrono::duration<double>(stop - start).count();
}

}  // namespace relakin::bench
