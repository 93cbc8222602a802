// A growable byte buffer that formatters write into directly: Room(n) guarantees n writable
// bytes at the end, Advance commits what was written. Keeps its capacity across clear(), so a
// row buffer reused for every row stops allocating after the first rows.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace relakin {

class TextRow {
 public:
  void clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  std::string_view view() const { return std::string_view(data_.get(), size_); }

  char* Room(std::size_t n) {
    if (capacity_ - size_ < n) Grow(n);
    return data_.get() + size_;
  }
  // Capacity for at least n bytes in all; what is held is kept.
  void Reserve(std::size_t n) {
    if (capacity_ < n) Grow(n - size_);
  }
  void Advance(std::size_t n) { size_ += n; }
  void Append(std::string_view s) {
    std::memcpy(Room(s.size()), s.data(), s.size());
    size_ += s.size();
  }
  void Append(std::size_t count, char c) {
    std::memset(Room(count), c, count);
    size_ += count;
  }

 private:
  void Grow(std::size_t n) {
    const std::size_t capacity = std::max(2 * capacity_, size_ + n);
    std::unique_ptr<char[]> bigger(new char[capacity]);
    if (size_ != 0) std::memcpy(bigger.get(), data_.get(), size_);
    data_ = std::move(bigger);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0, capacity_ = 0;
};

}  // namespace relakin
