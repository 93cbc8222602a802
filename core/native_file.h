// The native genotype file (.bvt), which is also the whole-table analysis file "temp.tmp".
//
// Single-byte text; CR LF written, LF or CR LF read. Line 1: the locus count, a blank and the
// data file's name; line 2: the population count and "  nombre de pop"; two lines per locus
// (name, allele list); per population a name line, a count line and one line per individual
// (a 10-byte right-justified name field, then a blank and a six-digit genotype per locus).
#pragma once

#include <string>

#include "core/atomic_file.h"
#include "core/data_description.h"
#include "core/document.h"
#include "core/messages.h"

namespace relakin {

// Reads a native file into a new document (table, NbPops, PopFirstRow, PopNames); the caller
// sets CurrentFileName and keeps its own document when this throws.
// Throws Error(NotNativeFile) with "Ce fichier ne semble pas être un fichier au format
// BRAVOLT !" when line 1 does not begin with a number, Error(Io) when the file cannot be read
// or is not a regular file, Error(Input) for any later unreadable number or field (a line end
// inside an individual's 10-character name field included), for a word running across the end
// of the name field (a name longer than the field, or not right-justified in it), for a
// genotype number above 999999, for text after a population's count or an individual's last
// genotype on their line, and for a truncated file (one that ends inside a locus or population
// block it announces), Error(Capacity) past 65534 individuals. A population block with count 0
// reads as one empty row carrying the population's marker. The table grows with what the file
// holds, not with the declared counts.
Document ReadNativeFile(const std::string& FileName);
Document ReadNativeText(const std::string& content, const std::string& name = {});

// Writes the whole table to FileName (unchanged: a bare name goes to the current directory),
// atomically: a temporary file beside the target, renamed over it once complete, flushed to
// disk unless `sync` is kNone (the analysis file, read at once and written again by every
// run). Returns the figures the data-description window shows. Missing locus names are said
// through `messages`. Raises doc.AnalysisFileReady once the file is complete; a folder that
// could not be flushed after it is then a Warning. Throws Error(Conversion) for a bad genotype
// cell before any file is touched, Error(Io) when writing fails (the old file stays, or the
// message says where the new content is: core/atomic_file.h) or when FileName may not be
// written or is not a regular file.
DataDescription SaveNativeFile(Document& doc, const std::string& FileName, Messages& messages,
                               FileReplacement::Sync sync = FileReplacement::Sync::kToDisk);
// The bytes SaveNativeFile writes, without touching any file or AnalysisFileReady. Both also
// grow doc.PopNames to NbPops + 1 entries and rebuild doc.LocusColumnMap and doc.Recorded*.
std::string NativeFileText(Document& doc, Messages& messages,
                           DataDescription* description = nullptr);

}  // namespace relakin
