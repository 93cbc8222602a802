// Rows computed on worker threads and handed over in row order, for runs whose output must not
// depend on the number of threads.
//
// produce(row, buffer) fills a buffer on some worker thread; consume(row, buffer) then gets it
// on the calling thread, rows 1 .. n strictly in order. Buffers are reused (keep their capacity),
// at most a small window of rows is in flight, so memory stays O(threads x row size). An
// exception from produce or consume stops the workers and is rethrown to the caller after all
// threads have ended. With threads <= 1 everything runs on the calling thread.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace relakin {

template <class Buffer>
void ProduceRowsInOrder(unsigned n, unsigned threads,
                        const std::function<void(unsigned, Buffer&)>& produce,
                        const std::function<void(unsigned, Buffer&)>& consume) {
  if (threads <= 1 || n <= 1) {
    Buffer buffer;
    for (unsigned r = 1; r <= n; ++r) {
      produce(r, buffer);
      consume(r, buffer);
    }
    return;
  }
  const unsigned window = 4 * threads;
  std::vector<Buffer> slots(window);
  std::vector<char> ready(window, 0);
  std::mutex m;
  std::condition_variable cv;
  unsigned next = 1, consumed = 0;
  bool stop = false;
  std::exception_ptr error;

  auto worker = [&] {
    for (;;) {
      unsigned r;
      {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return stop || next > n || next <= consumed + window; });
        if (stop || next > n) return;
        r = next++;
      }
      try {
        produce(r, slots[(r - 1) % window]);
      } catch (...) {
        std::lock_guard lock(m);
        if (!error) error = std::current_exception();
        stop = true;
        cv.notify_all();
        return;
      }
      std::lock_guard lock(m);
      ready[(r - 1) % window] = 1;
      cv.notify_all();
    }
  };
  std::vector<std::thread> pool;
  pool.reserve(threads);
  for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);

  for (unsigned r = 1; r <= n; ++r) {
    const unsigned slot = (r - 1) % window;
    {
      std::unique_lock lock(m);
      cv.wait(lock, [&] { return stop || ready[slot]; });
      if (stop) break;
    }
    try {
      consume(r, slots[slot]);
    } catch (...) {
      std::lock_guard lock(m);
      if (!error) error = std::current_exception();
      stop = true;
      cv.notify_all();
      break;
    }
    std::lock_guard lock(m);
    ready[slot] = 0;
    consumed = r;
    cv.notify_all();
  }
  for (std::thread& t : pool) t.join();
  if (error) std::rethrow_exception(error);
}

}  // namespace relakin
