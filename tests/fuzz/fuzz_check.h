// What the fuzzing programs need besides the reader they feed: a check that stops the run with a
// message when a property of the reader does not hold (libFuzzer then keeps the input).
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace fuzzing
