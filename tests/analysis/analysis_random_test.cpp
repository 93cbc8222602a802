#include <gtest/gtest.h>

#include "analysis/random.h"

namespace relakin {
namespace {

TEST(RandomGenerator, FollowsTheLinearCongruence) {
  RandomGenerator r(0);
  EXPECT_EQ(r.Below(10), 0u);  // seed 1: 1 * 10 >> 32
  EXPECT_EQ(r.Seed(), 1u);
  EXPECT_EQ(r.Below(10), 0u);  // seed 134775814
  EXPECT_EQ(r.Seed(), 134775814u);
  r.SetSeed(0xFFFFFFFFu);
  // 0xFFFFFFFF * 134775813 + 1 = -134775812 mod 2^32
  EXPECT_EQ(r.Below(1000),
            static_cast<std::uint32_t>((std::uint64_t{0u - 134775812u} * 1000) >> 32));
  EXPECT_EQ(r.Seed(), 0u - 134775812u);
}

TEST(RandomGenerator, DrawsStayBelowNAndReplay) {
  RandomGenerator a(12345), b(12345);
  for (std::uint32_t n : {1u, 2u, 7u, 65535u, 4000000000u}) {
    for (int k = 0; k < 200; ++k) {
      const std::uint32_t v = a.Below(n);
      EXPECT_LT(v, n);
      EXPECT_EQ(v, b.Below(n));
    }
  }
  EXPECT_EQ(a.Below(0), 0u);
}

TEST(RandomGenerator, ProcessWideInstanceIsShared) {
  ProcessRandom().SetSeed(77);
  EXPECT_EQ(ProcessRandom().Seed(), 77u);
}

}  // namespace
}  // namespace relakin
