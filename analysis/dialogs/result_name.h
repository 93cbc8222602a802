// The result file name an analysis dialog proposes, and the names it refuses because the run
// would overwrite its own input or the user's table with them.
#pragma once

#include <QString>

namespace relakin {

// The bare file name in `currentFileName` (no directory; "/" and "\" both delimit) with its
// extension replaced by ".res", or with "res" appended without a dot when the stem left still
// holds a dot: "Untitled" -> "Untitled.res", "C:\data\pop.bvt" -> "pop.res",
// "pop.old.bvt" -> "pop.oldres", "" -> ".res".
QString DefaultResultName(const QString& currentFileName);

// The scratch files a run writes in the current directory beside its result file.
enum class RunScratch {
  kNone,         // the confidence intervals
  kDistances,    // the relatedness matrix: "ttt.ttt"
  kPairVectors,  // the permutation test: "vector<n>.txt"
};

// Why `name` (as typed, relative to the current directory) may not name the result file of a
// run that writes `scratch`: it resolves to the analysis file "temp.tmp", to one of that run's
// scratch files in the current directory, or to `tableFile` (the table's own file; empty or
// "Untitled" for none). Paths are compared resolved: absolute, cleaned, links followed.
// Returns the message to show, or an empty text when the name may be used.
QString RefusedResultName(const QString& name, const QString& tableFile, RunScratch scratch);

}  // namespace relakin
