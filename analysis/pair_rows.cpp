#include "analysis/pair_rows.h"

#include <algorithm>

namespace relakin {

PairRows::PairRows(std::uint16_t NbInd, std::size_t tasks_wanted)
    : n_(NbInd), pairs_(std::uint64_t{NbInd} * (NbInd > 0 ? NbInd - 1 : 0) / 2) {
  const std::uint64_t target =
      std::max<std::uint64_t>(64, pairs_ / std::max<std::size_t>(1, tasks_wanted));
  task_rows_.push_back(1);
  std::uint64_t in_task = 0;
  for (std::uint32_t i = 1; i < n_; ++i) {
    in_task += n_ - i;
    if (in_task >= target && i + 1 < n_) {
      task_rows_.push_back(i + 1);
      in_task = 0;
    }
  }
  task_rows_.push_back(n_ > 1 ? n_ : 1);
  if (n_ <= 1) task_rows_.assign(1, 1);  // no pair: no task
}

}  // namespace relakin
