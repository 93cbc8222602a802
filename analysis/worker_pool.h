// A fixed set of worker threads that the runs reuse for every data set or replicate, so that a
// run of a thousand data sets does not start a thousand sets of threads.
//
// Run(count, task) calls task(t) once for each t in 0 .. count - 1, spread over the workers and
// the calling thread, and returns when every call has returned. Which thread takes which t is
// not fixed: a task must write only to its own slots. The first exception thrown by a task is
// rethrown by Run once all tasks have stopped (tasks not yet started are skipped). With one
// thread everything runs on the caller, in order. Run must not be called from a task.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace relakin {

class WorkerPool {
 public:
  // `threads` counts the calling thread; 0 and 1 both mean no worker.
  explicit WorkerPool(unsigned threads);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  unsigned size() const { return static_cast<unsigned>(workers_.size()) + 1; }
  void Run(std::size_t count, const std::function<void(std::size_t)>& task);
  // The same, the calling thread first doing `alongside` (which must not touch what the tasks
  // touch) while the workers start on the tasks. An exception from `alongside` is rethrown
  // once the tasks have stopped.
  void Run(std::size_t count, const std::function<void(std::size_t)>& task,
           const std::function<void()>& alongside);

 private:
  void WorkerLoop();
  // Takes tasks of the current batch until none is left.
  void Drain();

  std::vector<std::thread> workers_;
  std::mutex m_;
  std::condition_variable wake_, done_;
  const std::function<void(std::size_t)>* task_ = nullptr;
  std::size_t count_ = 0, next_ = 0;
  unsigned busy_ = 0;
  std::size_t generation_ = 0;
  bool quit_ = false, failed_ = false;
  std::exception_ptr error_;
};

}  // namespace relakin
