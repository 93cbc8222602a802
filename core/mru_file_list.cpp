#include "core/mru_file_list.h"

#include <algorithm>

namespace relakin {

void MRUFileList::SetMaximum(int maximum) {
  maximum_ = std::clamp(maximum, 0, kLargestMaximum);
  Trim();
}

void MRUFileList::AddItem(const std::string& path) {
  const auto found = std::find(files_.begin(), files_.end(), path);
  if (found != files_.end()) {
    std::rotate(files_.begin(), found, found + 1);
    return;
  }
  files_.insert(files_.begin(), path);
  Trim();
}

std::string MRUFileList::TakeItem(std::size_t index) {
  std::string path = std::move(files_.at(index));
  files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(index));
  return path;
}

void MRUFileList::Assign(const std::vector<std::string>& paths) {
  files_.clear();
  for (const std::string& path : paths) {
    if (!path.empty()) files_.push_back(path);
  }
  Trim();
}

void MRUFileList::Trim() {
  if (files_.size() > static_cast<std::size_t>(maximum_)) files_.resize(maximum_);
}

}  // namespace relakin
