#include "core/goto_target.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace relakin {

long LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  long n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (n > (std::numeric_limits<long>::max() - 9) / 10) return std::numeric_limits<long>::max();
    n = n * 10 + (text[i] - '0');
  }
  return n;
}

std::optional<int> IndividualRowFor(const Document& doc, std::string_view text) {
  const long n = LeadingNumber(text);
  if (n < 1 || n > doc.Cells.RowCount() - 2) return std::nullopt;
  return static_cast<int>(n + 1);
}

std::optional<int> PopulationRowFor(const Document& doc, std::string_view text) {
  const long n = LeadingNumber(text);
  if (n < 1 || n > doc.NbPops || static_cast<std::size_t>(n) >= doc.PopFirstRow.size())
    return std::nullopt;
  return doc.PopFirstRow[n];
}

void RecordIndividualHistory(std::vector<std::string>& items, const std::string& text) {
  if (items.size() >= kGotoHistoryLength)
    items[kGotoHistoryLength - 1] = text;
  else
    items.push_back(text);
}

void RecordPopulationHistory(std::vector<std::string>& items, const std::string& text) {
  if (items.size() >= kGotoHistoryLength) return;
  auto lessNoCase = [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) <
             std::tolower(static_cast<unsigned char>(y));
    });
  };
  items.insert(std::upper_bound(items.begin(), items.end(), text, lessNoCase), text);
}

}  // namespace relakin
