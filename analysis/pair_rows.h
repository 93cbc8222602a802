// The pairs of a data set, numbered 0 .. NbPairs - 1 row by row over the upper triangle
// (i ascending, then j ascending), cut into tasks of whole rows with about the same number of
// pairs, so that a worker pool can fill one slot per pair and the results read in pair order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace relakin {

class PairRows {
 public:
  // `tasks_wanted`: about how many tasks to cut (more than the threads, for balance).
  PairRows(std::uint16_t NbInd, std::size_t tasks_wanted);

  std::uint64_t pairs() const { return pairs_; }
  std::size_t tasks() const { return task_rows_.size() - 1; }
  // Task t covers rows FirstRow(t) .. FirstRow(t + 1) - 1.
  std::uint32_t FirstRow(std::size_t t) const { return task_rows_[t]; }
  // Slot of the pair (i, i + 1), the first of row i (1 <= i < NbInd).
  std::uint64_t RowStart(std::uint32_t i) const {
    return (std::uint64_t{i} - 1) * n_ - std::uint64_t{i} * (i - 1) / 2;
  }
  std::uint16_t NbInd() const { return n_; }

 private:
  std::uint16_t n_;
  std::uint64_t pairs_;
  std::vector<std::uint32_t> task_rows_;
};

}  // namespace relakin
