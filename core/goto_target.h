// Going to an individual or a population by the number typed in the go-to dialog, and the
// dialog's histories of the numbers reached (kept for the run only).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"

namespace relakin {

inline constexpr std::string_view kIndividualNotFound = "Ne trouve pas cet individu !";
inline constexpr std::string_view kPopulationNotFound = "Population non trouvée !";
inline constexpr std::size_t kGotoHistoryLength = 10;

// The whole number at the start of text, leading blanks skipped; 0 when it does not start with
// a digit. What follows the number is ignored ("7x" gives 7). Large numbers saturate.
long LeadingNumber(std::string_view text);

// Grid row of the individual numbered at the start of text, or nothing when no such individual.
std::optional<int> IndividualRowFor(const Document& doc, std::string_view text);
// Grid row of the first individual of the population numbered at the start of text, or nothing.
std::optional<int> PopulationRowFor(const Document& doc, std::string_view text);

// Records a reached individual: appended, even when already listed, until the list holds 10
// items; from then on it replaces the tenth.
void RecordIndividualHistory(std::vector<std::string>& items, const std::string& text);
// Records a reached population: inserted in sorted order (case-insensitive text order) while the
// list holds fewer than 10 items; nothing once it is full.
void RecordPopulationHistory(std::vector<std::string>& items, const std::string& text);

}  // namespace relakin
