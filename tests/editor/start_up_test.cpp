// relakin's start-up seeds the process-wide generator from the high-resolution counter.
#include "editor/start_up.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdint>

#include "analysis/random.h"

namespace relakin {
namespace {

TEST(StartUp, SeedsTheGeneratorFromTheLowBitsOfTheCounter) {
  std::uint64_t ticks = 0;
  SetTickSource([&ticks] { return ticks; });
  // Two sessions started at different ticks draw different sequences.
  std::uint32_t firstDraws[2] = {};
  for (const std::uint64_t at : {0x123456789ABCDEF0ull, 0x123456789ABCDEF1ull}) {
    ProcessRandom().SetSeed(0);
    ticks = at;
    StartUp();
    EXPECT_EQ(ProcessRandom().Seed(), static_cast<std::uint32_t>(at));
    firstDraws[at & 1] = ProcessRandom().Below(1000000);
  }
  EXPECT_NE(firstDraws[0], firstDraws[1]);
  EXPECT_EQ(QCoreApplication::applicationName(), "RELAKIN");
  SetTickSource({});
}

}  // namespace
}  // namespace relakin
