// Rows computed on worker threads and handed over in row order, for runs whose output must not
// depend on the number of threads.
//
// produce(row, buffer) fills a buffer on some worker thread; every consumer then gets it, rows
// 1 .. n strictly in order: the first consumer on the calling thread, each further one on a
// thread of its own. Several consumers see the same buffer at the same time, so they must only
// read it and must not share anything else. A buffer is reused (keeping its capacity) once every
// consumer has had it; at most `window` rows are in flight, so memory stays O(window x row
// size). An exception from produce or a consumer stops every thread and is rethrown to the
// caller once all threads have ended. With threads <= 1 everything runs on the calling thread:
// each row is produced, then handed to the consumers in their order.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace relakin {

template <class Buffer>
using RowWork = std::function<void(unsigned, Buffer&)>;

namespace detail {

// Workers wait for room in the window, consumers for their next row, each on a condition of
// its own, and are woken only when that may have come: a wake-up is dear on some machines.
template <class Buffer>
class RowPipeline {
 public:
  RowPipeline(unsigned n, unsigned window, std::size_t consumers)
      : n_(n), window_(window), slots_(window), produced_(window, 0), consumed_(consumers, 0) {}

  // One worker: takes the next row while it fits the window.
  void Produce(const RowWork<Buffer>& produce) {
    for (;;) {
      unsigned r;
      {
        std::unique_lock lock(m_);
        ++workers_waiting_;
        room_.wait(lock, [&] { return stop_ || next_ > n_ || next_ <= MinConsumed() + window_; });
        --workers_waiting_;
        if (stop_ || next_ > n_) return;
        r = next_++;
      }
      if (r == n_) room_.notify_all();  // no row left: the waiting workers may go
      if (!Guard([&] { produce(r, slots_[(r - 1) % window_]); })) return;
      bool wake;
      {
        std::lock_guard lock(m_);
        produced_[(r - 1) % window_] = r;
        wake = consumers_waiting_ > 0;
      }
      if (wake) row_ready_.notify_all();
    }
  }

  // Consumer c: every row in order.
  void Consume(std::size_t c, const RowWork<Buffer>& consume) {
    for (unsigned r = 1; r <= n_; ++r) {
      const unsigned slot = (r - 1) % window_;
      {
        std::unique_lock lock(m_);
        ++consumers_waiting_;
        row_ready_.wait(lock, [&] { return stop_ || produced_[slot] == r; });
        --consumers_waiting_;
        if (stop_) return;
      }
      if (!Guard([&] { consume(r, slots_[slot]); })) return;
      unsigned freed;
      {
        std::lock_guard lock(m_);
        const unsigned before = MinConsumed();
        consumed_[c] = r;
        freed = workers_waiting_ > 0 ? MinConsumed() - before : 0;
      }
      for (; freed > 0; --freed) room_.notify_one();
    }
  }

  // Stops every thread as an error would; `error` is rethrown unless one came first.
  void Stop(std::exception_ptr error) {
    {
      std::lock_guard lock(m_);
      if (!error_) error_ = error;
      stop_ = true;
    }
    room_.notify_all();
    row_ready_.notify_all();
  }

  void Rethrow() const {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  unsigned MinConsumed() const { return *std::min_element(consumed_.begin(), consumed_.end()); }

  // Runs `f`; on an exception keeps the first one, stops everybody and returns false.
  template <class F>
  bool Guard(const F& f) {
    try {
      f();
      return true;
    } catch (...) {
      Stop(std::current_exception());
    }
    return false;
  }

  const unsigned n_, window_;
  std::vector<Buffer> slots_;
  std::vector<unsigned> produced_;  // per slot: the row it holds, once produced
  std::vector<unsigned> consumed_;  // per consumer: the last row it has had
  unsigned next_ = 1;
  unsigned workers_waiting_ = 0, consumers_waiting_ = 0;
  bool stop_ = false;
  std::exception_ptr error_;
  std::mutex m_;
  std::condition_variable room_, row_ready_;
};

}  // namespace detail

template <class Buffer>
void ProduceRowsInOrder(unsigned n, unsigned threads, unsigned window,
                        const RowWork<Buffer>& produce,
                        const std::vector<RowWork<Buffer>>& consumers) {
  if (threads <= 1 || n <= 1 || consumers.empty()) {
    Buffer buffer;
    for (unsigned r = 1; r <= n; ++r) {
      produce(r, buffer);
      for (const RowWork<Buffer>& consume : consumers) consume(r, buffer);
    }
    return;
  }
  detail::RowPipeline<Buffer> pipeline(n, std::max(window, 1u), consumers.size());
  std::vector<std::thread> pool;
  pool.reserve(threads + consumers.size());
  try {
    for (unsigned t = 0; t < threads; ++t) pool.emplace_back([&] { pipeline.Produce(produce); });
    for (std::size_t c = 1; c < consumers.size(); ++c)
      pool.emplace_back([&, c] { pipeline.Consume(c, consumers[c]); });
    pipeline.Consume(0, consumers[0]);
  } catch (...) {  // a thread could not be started
    pipeline.Stop(std::current_exception());
  }
  for (std::thread& t : pool) t.join();
  pipeline.Rethrow();
}

// One consumer on the calling thread; 4 x threads rows in flight.
template <class Buffer>
void ProduceRowsInOrder(unsigned n, unsigned threads, const RowWork<Buffer>& produce,
                        const RowWork<Buffer>& consume) {
  ProduceRowsInOrder<Buffer>(n, threads, 4 * threads, produce, {consume});
}

}  // namespace relakin
