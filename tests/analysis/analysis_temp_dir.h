// Runs a test inside a fresh temporary directory (the runs write "ttt.ttt" to the current
// directory), and small file helpers.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace relakin::testing {

class InTempDir {
 public:
  InTempDir() : old_(std::filesystem::current_path()) {
    std::string tmpl =
        (std::filesystem::temp_directory_path() / "relakin-analysis-XXXXXX").string();
    dir_ = mkdtemp(tmpl.data());
    std::filesystem::current_path(dir_);
  }
  ~InTempDir() {
    std::filesystem::current_path(old_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path old_, dir_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace relakin::testing
