// The program's one random sequence: a 32-bit linear congruential generator.
//
// Each draw replaces the seed by seed * 134775813 + 1 (mod 2^32); a draw below n is the high
// 32 bits of the 64-bit product new seed * n, so it lies in 0 .. n - 1 (0 when n is 0).
// The program keeps one process-wide instance (ProcessRandom), seeded from the clock by relakin's
// start-up (editor/start_up.h) and again by every confidence-interval run before its first draw.
// Runs take the generator by reference, so tests and the benchmark can hand them a seeded one
// and replay a sequence. Not thread-safe: draw from one thread only, in the order the runs
// define.
#pragma once

#include <cstdint>
#include <functional>

namespace relakin {

class RandomGenerator {
 public:
  explicit RandomGenerator(std::uint32_t seed = 0) : seed_(seed) {}

  void SetSeed(std::uint32_t seed) { seed_ = seed; }
  std::uint32_t Seed() const { return seed_; }
  // Seeds from the low 32 bits of the high-resolution counter (TickSource).
  void Randomize();

  // Advances the sequence and returns a number in 0 .. n - 1.
  std::uint32_t Below(std::uint32_t n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * n) >> 32);
  }

 private:
  std::uint32_t seed_;
};

// The process-wide generator; relakin's start-up calls Randomize on it.
RandomGenerator& ProcessRandom();

// The high-resolution counter Randomize reads: by default the ticks of the high-resolution
// clock. Tests put their own counter in to see a seeding happen; an empty function puts the
// clock back. Set it on the thread that seeds, while no run is going on.
using TickSource = std::function<std::uint64_t()>;
void SetTickSource(TickSource source);

}  // namespace relakin
