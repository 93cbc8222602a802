#include "analysis/run_context.h"

#include <thread>

namespace relakin {

unsigned ResolveThreads(unsigned requested) {
  if (requested != 0) return requested;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores != 0 ? cores : 1;
}

}  // namespace relakin
