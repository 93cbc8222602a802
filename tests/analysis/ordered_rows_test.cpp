#include "analysis/ordered_rows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace relakin {
namespace {

TEST(ProduceRowsInOrder, HandsRowsOverInOrderForAnyThreadCount) {
  for (unsigned threads : {1u, 2u, 5u, 16u}) {
    for (unsigned n : {0u, 1u, 2u, 97u}) {
      std::string seen;
      ProduceRowsInOrder<std::string>(
          n, threads, [](unsigned r, std::string& b) { b = std::to_string(r) + ","; },
          [&](unsigned, std::string& b) { seen += b; });
      std::string expected;
      for (unsigned r = 1; r <= n; ++r) expected += std::to_string(r) + ",";
      EXPECT_EQ(seen, expected) << threads << " threads, " << n << " rows";
    }
  }
}

// Each consumer, on a thread of its own, sees every row in order, also with a window of one.
TEST(ProduceRowsInOrder, EveryConsumerSeesEveryRowInOrder) {
  for (unsigned threads : {1u, 3u, 8u}) {
    for (unsigned window : {1u, 2u, 7u}) {
      std::string first, second, expected;
      const auto produce = [](unsigned r, std::string& b) { b = std::to_string(r) + ","; };
      ProduceRowsInOrder<std::string>(60, threads, window, produce,
                                      {[&](unsigned, std::string& b) { first += b; },
                                       [&](unsigned, std::string& b) { second += b; }});
      for (unsigned r = 1; r <= 60; ++r) expected += std::to_string(r) + ",";
      EXPECT_EQ(first, expected) << threads << " threads, window " << window;
      EXPECT_EQ(second, expected) << threads << " threads, window " << window;
    }
  }
}

TEST(ProduceRowsInOrder, ErrorsReachTheCallerAndStopTheRows) {
  for (unsigned threads : {1u, 4u}) {
    unsigned consumed = 0;
    EXPECT_THROW(ProduceRowsInOrder<int>(
                     200, threads,
                     [](unsigned r, int&) {
                       if (r == 50) throw std::runtime_error("produce");
                     },
                     [&](unsigned, int&) { ++consumed; }),
                 std::runtime_error);
    EXPECT_LT(consumed, 50u);
    consumed = 0;
    EXPECT_THROW(ProduceRowsInOrder<int>(
                     200, threads, [](unsigned, int&) {},
                     [&](unsigned r, int&) {
                       ++consumed;
                       if (r == 7) throw std::runtime_error("consume");
                     }),
                 std::runtime_error);
    EXPECT_EQ(consumed, 7u);
    // A failing second consumer stops the first one too.
    consumed = 0;
    EXPECT_THROW(ProduceRowsInOrder<int>(200, threads, 2 * threads, [](unsigned, int&) {},
                                         {[&](unsigned, int&) { ++consumed; },
                                          [&](unsigned r, int&) {
                                            if (r == 9) throw std::runtime_error("second");
                                          }}),
                 std::runtime_error);
    EXPECT_LT(consumed, 9u + 2 * threads);
  }
}

}  // namespace
}  // namespace relakin
