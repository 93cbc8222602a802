// The texts that the statistics dialog shows for one computation: its class table and its edits.
// Reals are written by FormatFixed with the caller's decimal separator.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "plotter/stats/histogram.h"

namespace vodave {

// Shown in place of a figure that cannot be computed (see DistributionStats).
inline constexpr std::string_view kUndefinedText = "non défini";

// Row 0 "Lim. > de classe" / "Effectif"; one row per class with its upper limit (4 decimals) and
// its count; last row "Total" and the sum of the counts (N + 1).
std::vector<std::array<std::string, 2>> ClassTableRows(const ClassTable& table,
                                                       std::string_view decimalSeparator);

// One text per edit of the dialog, named after the edit. The left column of percentages
// compares with the observed value, the right one with its opposite.
struct StatisticsTexts {
  std::string val_rel, oval_reel;
  std::string pour100, pourc_egal, pourc_inf;     // left column
  std::string opour100, opourc_egal, opourc_inf;  // right column
  std::string val_min, val_max, val_mean;
  std::string std_dev;  // the edit `std`
  std::string coef_as, coef_ap, class_r;
};

StatisticsTexts MakeStatisticsTexts(const DistributionStats& stats,
                                    std::string_view decimalSeparator);

}  // namespace vodave
