#include "analysis/random.h"

#include <chrono>
#include <utility>

namespace relakin {
namespace {

TickSource& CurrentTickSource() {
  static TickSource source;
  return source;
}

std::uint64_t ClockTicks() {
  return static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

void SetTickSource(TickSource source) { CurrentTickSource() = std::move(source); }

void RandomGenerator::Randomize() {
  const TickSource& source = CurrentTickSource();
  seed_ = static_cast<std::uint32_t>(source ? source() : ClockTicks());
}

RandomGenerator& ProcessRandom() {
  static RandomGenerator generator;
  return generator;
}

}  // namespace relakin
