// The recent-files list: the paths of the documents worked on last, newest first, at most
// Maximum() of them. Paths are compared exactly: letter case counts, as it does on the file
// system. The menu that shows the list and the settings file that keeps it belong to the windows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace relakin {

class MRUFileList {
 public:
  static constexpr int kDefaultMaximum = 5;
  static constexpr int kLargestMaximum = 255;

  explicit MRUFileList(int maximum = kDefaultMaximum) { SetMaximum(maximum); }

  int Maximum() const { return maximum_; }
  // Clamped to 0 .. 255. Lowering drops the oldest entries beyond the new maximum; raising
  // brings nothing back.
  void SetMaximum(int maximum);

  const std::vector<std::string>& FileList() const { return files_; }

  // Puts `path` at the top: an entry already listed moves there, a new one is inserted and the
  // oldest entries beyond Maximum() leave the list.
  void AddItem(const std::string& path);
  // Removes the entry at the 0-based `index` and returns its path. Precondition: index is in
  // the list.
  std::string TakeItem(std::size_t index);
  // Replaces the list by `paths`, newest first, as a settings file holds them: empty texts are
  // skipped and the oldest entries beyond Maximum() dropped.
  void Assign(const std::vector<std::string>& paths);

 private:
  void Trim();

  int maximum_ = kDefaultMaximum;
  std::vector<std::string> files_;
};

}  // namespace relakin
