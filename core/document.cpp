#include "core/document.h"

namespace relakin {

void Document::SetPopName(std::size_t p, const std::string& name) {
  if (PopNames.size() <= p) PopNames.resize(p + 1);
  PopNames[p] = name.substr(0, kPopNameLength);
}

void Document::SetPopFirstRow(std::size_t p, std::uint16_t row) {
  if (PopFirstRow.size() <= p) PopFirstRow.resize(p + 1, 0);
  PopFirstRow[p] = row;
}

int Document::PopLastRow(std::size_t p) const {
  if (p < NbPops && p + 1 < PopFirstRow.size()) return PopFirstRow[p + 1] - 1;
  return Cells.RowCount() - 1;
}

}  // namespace relakin
