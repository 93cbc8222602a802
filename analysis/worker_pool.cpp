#include "analysis/worker_pool.h"

namespace relakin {

WorkerPool::WorkerPool(unsigned threads) {
  for (unsigned t = 1; t < threads; ++t) workers_.emplace_back([this] { WorkerLoop(); });
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard lock(m_);
    quit_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : workers_) t.join();
}

void WorkerPool::Drain() {
  std::unique_lock lock(m_);
  while (!failed_ && next_ < count_) {
    const std::size_t t = next_++;
    lock.unlock();
    try {
      (*task_)(t);
    } catch (...) {
      lock.lock();
      if (!error_) error_ = std::current_exception();
      failed_ = true;
      break;
    }
    lock.lock();
  }
}

void WorkerPool::WorkerLoop() {
  std::size_t seen = 0;
  for (;;) {
    {
      std::unique_lock lock(m_);
      wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
      if (quit_) return;
      seen = generation_;
      ++busy_;
    }
    Drain();
    {
      std::lock_guard lock(m_);
      --busy_;
    }
    done_.notify_all();
  }
}

void WorkerPool::Run(std::size_t count, const std::function<void(std::size_t)>& task) {
  Run(count, task, {});
}

void WorkerPool::Run(std::size_t count, const std::function<void(std::size_t)>& task,
                     const std::function<void()>& alongside) {
  if (workers_.empty() || count <= 1) {
    if (alongside) alongside();
    for (std::size_t t = 0; t < count; ++t) task(t);
    return;
  }
  {
    std::lock_guard lock(m_);
    task_ = &task;
    count_ = count;
    next_ = 0;
    failed_ = false;
    error_ = nullptr;
    ++generation_;
  }
  wake_.notify_all();
  std::exception_ptr error;
  if (alongside) {
    try {
      alongside();
    } catch (...) {
      error = std::current_exception();
      std::lock_guard lock(m_);
      failed_ = true;
    }
  }
  Drain();
  {
    std::unique_lock lock(m_);
    // Workers that have not woken yet find no task left; those inside Drain are waited for.
    done_.wait(lock, [&] { return busy_ == 0 && (next_ >= count_ || failed_); });
    next_ = count_;  // a worker waking late takes nothing
    if (!error) error = error_;
    error_ = nullptr;
    task_ = nullptr;
  }
  if (error) std::rethrow_exception(error);
}

}  // namespace relakin
