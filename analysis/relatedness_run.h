// The relatedness matrix run: one analysis file in, one relatedness result file out.
//
// Entry point for the analysis dialog ("Relatedness" mode), after it has had the analysis
// file written:
//
//   RunContext context{messages, progress, ProcessRandom()};
//   RunRelatedness("temp.tmp", result_name, precision, nb_perm, print_pairs, perm_type,
//                  estimator, test_on, context);
//
// The argument list is the permutation test's, so the dialog calls either with the same
// values; this run reads only DataFile, ResultFile, Precision (1 .. 5: Precision + 2 characters
// per value) and Estimator (0 identity index, 1 Queller & Goodnight, 2 Lynch & Ritland, other
// values act as 0), and draws no random number. It runs synchronously on the calling thread:
// with context.threads above 1, rows of both matrices are computed and formatted in chunks on
// worker threads (one fewer than context.threads from 3 on) while the calling thread writes the
// result file and one more thread "ttt.ttt", each in row order. It creates ResultFile (a bare
// name: the current directory) and the scratch file "ttt.ttt" in the current directory, which
// stays there; frequencies are single precision. Progress, from the calling thread: Open,
// Show(NbInd + 1, ""), NbInd + 1 Steps, Close.
// On success it ends with messages.Show("TRAITEMENT FINI !"). On failure (a missing or
// unreadable analysis file, a file that cannot be created, written or closed) it throws
// relakin::Error, leaves the files as far as they got and shows no message: the caller shows
// the error. Memory: O(individuals x loci) and 3 chunks of text per worker (kMatrixChunkBytes
// each, or one row when a row is longer); the matrix is streamed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/run_context.h"
#include "analysis/run_data.h"

namespace relakin {

inline constexpr char kDistanceScratchFile[] = "ttt.ttt";
inline constexpr char kRunFinished[] = "TRAITEMENT FINI !";

void RunRelatedness(const std::string& DataFile, const std::string& ResultFile,
                    std::uint16_t Precision, std::uint16_t NbPerm, bool PrintPairs,
                    std::uint16_t PermType, std::uint16_t Estimator, std::uint16_t TestOn,
                    RunContext& context);

class OutputFile;

// Text of the matrices formatted per chunk of whole rows: about this many bytes per block and
// chunk, at least one row. Chunks in flight: 3 per worker thread.
inline constexpr std::size_t kMatrixChunkBytes = std::size_t{1} << 17;

// Everything from the empty line after the header to the end of the D block; closes `result`.
// Exposed for the benchmark and tests; RunRelatedness calls it. The bytes depend on neither
// the threads nor `chunk_bytes`.
void WriteRelatednessMatrices(const MatrixRunData& data, int Estimator, std::uint16_t Precision,
                              OutputFile& result, RunContext& context,
                              std::size_t chunk_bytes = kMatrixChunkBytes);

}  // namespace relakin
