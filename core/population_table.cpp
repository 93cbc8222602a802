#include "core/population_table.h"

#include <algorithm>

namespace relakin {

bool HasPopMarker(std::string_view label) { return label.find("Pop") != std::string_view::npos; }

std::string PopStartLabel(int row) { return "Pop Ind" + std::to_string(row - 1); }

std::string IndividualLabel(int row) { return "      Ind" + std::to_string(row - 1); }

std::string LocusHeading(int col) { return "Loc." + std::to_string(col - 1); }

void RewriteHeadings(Document& doc, int first, int last) {
  if (doc.Cells.RowCount() < 1) return;
  last = std::min(last, doc.Cells.ColCount() - 1);
  for (int c = std::max(first, 2); c <= last; ++c) doc.Cells.SetCell(c, 0, LocusHeading(c));
}

void RenumberRows(Document& doc) {
  GenotypeTable& t = doc.Cells;
  std::uint16_t count = 0;
  if (t.RowCount() > 1) t.SetCell(0, 1, "");
  if (t.RowCount() > 2) t.SetCell(0, 2, "Pop Ind");
  for (int r = 2; r < t.RowCount(); ++r) {
    if (HasPopMarker(t.Cells(0, r))) {
      ++count;
      t.SetCell(0, r, PopStartLabel(r));
      doc.SetPopFirstRow(count, static_cast<std::uint16_t>(r));
    } else {
      t.SetCell(0, r, IndividualLabel(r));
    }
  }
  doc.NbPops = count;
}

PopsAround FindPopsAround(const Document& doc, int row) {
  for (std::uint16_t q = 1; q <= doc.NbPops && q < doc.PopFirstRow.size(); ++q) {
    if (row < doc.PopFirstRow[q]) return {static_cast<std::uint16_t>(q - 1), q};
  }
  return {doc.NbPops, 0};
}

std::uint16_t FindPopOfStartRow(const Document& doc, int row) {
  for (std::uint16_t q = 1; q <= doc.NbPops && q < doc.PopFirstRow.size(); ++q) {
    if (doc.PopFirstRow[q] == row) return q;
  }
  return 0;
}

std::string PopNameOf(const Document& doc, std::size_t p) {
  return p < doc.PopNames.size() ? doc.PopNames[p] : std::string();
}

void InsertPopName(Document& doc, const std::string& name, std::uint16_t position) {
  const std::size_t n = doc.NbPops;
  if (position == 0) {
    doc.SetPopName(n + 1, name);
    return;
  }
  if (position > n) {
    doc.SetPopName(position, name);
    return;
  }
  if (doc.PopNames.size() < n + 2) doc.PopNames.resize(n + 2);
  for (std::size_t i = n; i >= position; --i) doc.PopNames[i + 1] = doc.PopNames[i];
  doc.SetPopName(position, name);
}

void DeletePopName(Document& doc, std::uint16_t pop) {
  const std::size_t n = doc.NbPops;
  if (pop == 0 || pop > n) return;
  if (doc.PopNames.size() < n + 1) doc.PopNames.resize(n + 1);
  for (std::size_t i = pop; i <= n; ++i) doc.PopNames[i] = PopNameOf(doc, i + 1);
}

}  // namespace relakin
