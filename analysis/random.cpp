#include "analysis/random.h"

#include <chrono>

namespace relakin {

void RandomGenerator::Randomize() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  seed_ = static_cast<std::uint32_t>(ticks);
}

RandomGenerator& ProcessRandom() {
  static RandomGenerator generator;
  return generator;
}

}  // namespace relakin
