// What the perm and ci modes of relakin-bench share: messages go to standard output, and the
// peak resident memory of the process is reported after the run.
#pragma once

#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "core/messages.h"

namespace relakin::bench {

class PrintedMessages : public Messages {
 public:
  void Show(const std::string& text) override { std::printf("%s\n", text.c_str()); }
  void Information(const std::string& text) override { Show(text); }
};

inline void PrintPeakMemory() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
}

}  // namespace relakin::bench
