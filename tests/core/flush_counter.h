// Counts the flushes to disk that file replacements ask for, in place of the real ones, so
// that a test sees what is flushed and when without waiting for a disk.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/atomic_file.h"

namespace relakin::test {

class FlushCounter {
 public:
  struct Call {
    bool folder = false;  // a folder, or else a regular file
    std::string path;     // what the descriptor names
  };

  // `onCall`, when given, runs at every flush, before it is counted (to look at the disk then).
  explicit FlushCounter(std::function<void(const Call&)> onCall = {}) {
    std::lock_guard lock(Mutex());
    Calls().clear();
    OnCall() = std::move(onCall);
    previous_ = ReplaceDiskCalls({.flush = &Record});
  }
  ~FlushCounter() {
    ReplaceDiskCalls(previous_);
    std::lock_guard lock(Mutex());
    OnCall() = nullptr;
  }
  FlushCounter(const FlushCounter&) = delete;
  FlushCounter& operator=(const FlushCounter&) = delete;

  std::vector<Call> calls() const {
    std::lock_guard lock(Mutex());
    return Calls();
  }
  int files() const { return Count(false); }
  int folders() const { return Count(true); }

 private:
  static int Record(int fd) {
    Call call;
    struct stat st {};
    if (fstat(fd, &st) == 0) call.folder = S_ISDIR(st.st_mode);
    char link[4096];
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = readlink(proc.c_str(), link, sizeof link);
    if (n > 0) call.path.assign(link, static_cast<std::size_t>(n));
    std::lock_guard lock(Mutex());
    if (OnCall()) OnCall()(call);
    Calls().push_back(call);
    return 0;
  }
  int Count(bool folder) const {
    int n = 0;
    for (const Call& c : calls()) n += c.folder == folder;
    return n;
  }
  static std::mutex& Mutex() {
    static std::mutex m;
    return m;
  }
  static std::vector<Call>& Calls() {
    static std::vector<Call> c;
    return c;
  }
  static std::function<void(const Call&)>& OnCall() {
    static std::function<void(const Call&)> f;
    return f;
  }

  DiskCalls previous_;
};

// In place of the real flush: a folder cannot be flushed (EIO), a file can. Said as a warning
// once the rename is done.
inline int FolderFlushFails(int fd) {
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    errno = EIO;
    return -1;
  }
  return 0;
}

}  // namespace relakin::test
