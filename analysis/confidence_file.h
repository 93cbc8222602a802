// The text of the confidence-interval result file (Windows-1252, CR LF).
//
// "Data File name : " + DataTitle; NbLoci + " Locus"; the population count read +
// " Population(s) grouped"; line 4 the estimator heading, left open. With the real-data matrix:
// a line end, then rows i = 1 .. NbInd - 1 of i empty cells (eight blanks and a TAB) and, for
// each j > i, the pair's value 8 wide with Precision decimals (999 when not computed) and a
// TAB. Then the title of the method and an empty line, and the limits: rows i = 1 .. NbInd - 1
// of i empty cells (twelve blanks and a TAB) and one cell per j > i (confidence_limits.h).
// There are no row or column labels.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/estimators.h"
#include "analysis/run_data.h"

namespace relakin {

// Lines 1 to 4, line 4 not ended; `data` as read (NbPopGrouped still the file's count).
std::string ConfidenceHeader(const AnalysisData& data, int Estimator);

// The title line and the empty line after it. Method 0 bootstrap, any other jackknife.
std::string ConfidenceTitle(std::uint16_t Method);

inline constexpr char kMatrixEmptyCell[] = "        \t";
inline constexpr char kLimitsEmptyCell[] = "            \t";

// One cell of the real-data matrix.
void AppendMatrixCell(std::string& out, double value, std::uint16_t Precision);
// i empty cells of the given kind.
void AppendEmptyCells(std::string& out, std::uint32_t i, const char* cell);

// A number as the message boxes of the run write it: general format, at most 15 significant
// digits, no trailing zeros, "." as decimal point (0, 1, 0.5, 0.333333333333333, 1E-6).
std::string GeneralNumberText(double value);

// The one message that reports the Lynch & Ritland loci whose denominator was not positive:
// the first occurrence's "Sab =" .. " Pa=" .. " Pb=" .., then how many there were.
std::string DegenerateLociMessage(const DegenerateLocusTally& tally);

}  // namespace relakin
