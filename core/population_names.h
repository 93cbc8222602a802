// What the population-names dialog shows and stores: one row per population with its name, its
// first individual and its size.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"

namespace relakin {

struct PopulationSummary {
  int pop = 0;              // 1 .. NbPops
  std::string name;         // PopNames[pop], empty when the table has no entry
  int firstIndividual = 0;  // PopFirstRow[pop] - 1
  int size = 0;             // grid rows of the population, empty rows included
};

std::vector<PopulationSummary> SummarizePopulations(const Document& doc);

// names[i] becomes the name of population i + 1 (its first 25 bytes), for i < NbPops.
void StorePopulationNames(Document& doc, const std::vector<std::string>& names);

}  // namespace relakin
