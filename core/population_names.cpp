#include "core/population_names.h"

#include "core/population_table.h"

namespace relakin {

std::vector<PopulationSummary> SummarizePopulations(const Document& doc) {
  std::vector<PopulationSummary> rows;
  for (std::size_t p = 1; p <= doc.NbPops && p < doc.PopFirstRow.size(); ++p) {
    const int first = doc.PopFirstRow[p];
    rows.push_back(
        {static_cast<int>(p), PopNameOf(doc, p), first - 1, doc.PopLastRow(p) - first + 1});
  }
  return rows;
}

void StorePopulationNames(Document& doc, const std::vector<std::string>& names) {
  for (std::size_t p = 1; p <= doc.NbPops && p <= names.size(); ++p)
    doc.SetPopName(p, names[p - 1]);
}

}  // namespace relakin
