// Writes the permutation test's pair-vector files on a thread of their own, so that the next
// data set is computed while the last one's file goes to disk.
//
// Submit hands over one file's text (its chunks in order) and returns emptied chunk strings
// to reuse; at most two files wait at a time, so memory stays bounded. A failed write (Error
// from OutputFile) is rethrown by the next Submit or by Finish, which waits for every file to
// be closed. Submit and Finish are called from one thread. A writer destroyed without Finish
// (an error left the run) stops after the file in progress. The temporary files that ended
// processes left in a folder are removed once, before the writer's first file there.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace relakin {

class PermutationWriter {
 public:
  PermutationWriter();
  ~PermutationWriter();
  PermutationWriter(const PermutationWriter&) = delete;
  PermutationWriter& operator=(const PermutationWriter&) = delete;

  // `chunks` is taken; the returned strings (possibly fewer) keep their capacity.
  std::vector<std::string> Submit(std::string path, std::vector<std::string> chunks);
  void Finish();

 private:
  struct Job {
    std::string path;
    std::vector<std::string> chunks;
  };
  void Loop();
  void RethrowLocked();

  std::mutex m_;
  std::condition_variable cv_;
  std::deque<Job> jobs_;
  std::vector<std::vector<std::string>> spare_;
  bool busy_ = false, quit_ = false;
  std::exception_ptr error_;
  std::set<std::string> swept_;  // folders cleared of stale temporary files (writer thread)
  std::thread thread_;
};

}  // namespace relakin
