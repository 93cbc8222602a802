// What a run needs from its caller besides its arguments: where messages and progress go, the
// random generator it draws from, and how it may compute.
#pragma once

#include <string>

#include "analysis/random.h"
#include "core/messages.h"

namespace relakin {

// The run's progress window. The run opens it once, may Show it again (a new maximum and
// label for each pass of a multi-pass run), steps it, and closes it when its loop ends, also
// when an error leaves that loop. All calls come from the thread that called the run.
class Progress {
 public:
  virtual ~Progress() = default;
  // The window is created.
  virtual void Open() {}
  // Sets the bar's maximum and, when `label` is not empty, the label's text; shows the window
  // and repaints it. An empty label keeps the window's design text.
  virtual void Show(unsigned maximum, const std::string& label) {
    (void)maximum;
    (void)label;
  }
  // Advances the bar by one.
  virtual void Step() {}
  // The window is freed.
  virtual void Close() {}
};

struct RunContext {
  Messages& messages;
  Progress& progress;
  RandomGenerator& random;  // the runs that draw (permutation test, confidence intervals)
  // Worker threads for the pair values; 0 means one per core. Results do not depend on it.
  unsigned threads = 0;
  // The literal single-thread estimators instead of the fast kernel (the benchmark's
  // reference). Results are the same bytes.
  bool reference = false;
};

// Progress::Open at construction, Progress::Close at destruction (normal or by an error).
class ProgressScope {
 public:
  explicit ProgressScope(Progress& p) : p_(p) { p_.Open(); }
  ~ProgressScope() { Close(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
  void Close() {
    if (open_) p_.Close();
    open_ = false;
  }

 private:
  Progress& p_;
  bool open_ = true;
};

unsigned ResolveThreads(unsigned requested);

}  // namespace relakin
