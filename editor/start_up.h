// What relakin does as it starts, before its main window is made: the process-wide random
// generator seeded from the high-resolution counter (analysis/random.h), so that two sessions
// draw different permutations, and the application's title "RELAKIN", the caption of the plain
// message boxes. Call once, after the QApplication is made.
#pragma once

namespace relakin {

void StartUp();

}  // namespace relakin
