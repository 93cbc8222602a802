// The yardstick of relakin-bench's matrix mode: how long writing a given number of bytes from
// memory takes in the run's folder, with nothing to compute or format.
#pragma once

#include <cstdint>
#include <vector>

namespace relakin::bench {

// Writes one new file per size into the current directory, from one prebuilt buffer in 4 MiB
// blocks, closes them and returns the seconds this took; the files are removed afterwards
// (outside the time). Throws relakin::Error(Io) when a file cannot be written.
double TimeMemoryWrite(const std::vector<std::uint64_t>& sizes);

}  // namespace relakin::bench
