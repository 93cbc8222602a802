#include "core/genotype_code.h"

#include <algorithm>

#include "core/errors.h"
#include "core/quoted_text.h"

namespace relakin {

std::string PadAllele3(std::uint16_t n) {
  std::string s = std::to_string(n);
  if (s.size() < 3) s.insert(0, 3 - s.size(), '0');
  return s;
}

std::string MakeGenotypeCode(std::uint16_t a1, std::uint16_t a2) {
  if (a1 != 0 && a2 != 0 && a2 < a1) std::swap(a1, a2);
  return PadAllele3(a1) + PadAllele3(a2);
}

std::string_view TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

void FailGenotypeCell(std::string_view cell, int col, int row) {
  std::string where;
  if (col >= 2 && row >= 2)
    where = " (locus " + std::to_string(col - 1) + ", individu " + std::to_string(row - 1) + ")";
  throw Error(ErrorKind::Conversion,
              QuotedText(cell) + " n'est pas un génotype valide" + where + ".");
}

std::string NormalizeGenotype(std::string_view cell, int col, int row) {
  std::string_view trimmed = TrimBlanks(cell);
  if (trimmed.empty()) return std::string(kMissingGenotype);
  if (trimmed.size() != kMissingGenotype.size()) FailGenotypeCell(cell, col, row);
  std::string code(trimmed);
  for (char& c : code) {
    if (c == ' ') c = '0';
    if (c < '0' || c > '9') FailGenotypeCell(cell, col, row);
  }
  const AllelePair a = GenotypeAlleles(code);
  if ((a.a1 == 0) != (a.a2 == 0)) return std::string(kMissingGenotype);
  return code;
}

AllelePair GenotypeAlleles(std::string_view code) {
  auto number = [](std::string_view d) {
    return static_cast<std::uint16_t>((d[0] - '0') * 100 + (d[1] - '0') * 10 + (d[2] - '0'));
  };
  return {number(code.substr(0, 3)), number(code.substr(3, 3))};
}

bool IsBlankText(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

bool RowHasData(const Document& doc, int row) {
  for (int c = 1; c < doc.Cells.ColCount(); ++c) {
    if (!IsBlankText(doc.Cells.Cells(c, row))) return true;
  }
  return false;
}

std::string LeftChars(std::string_view s, std::uint16_t n) { return std::string(s.substr(0, n)); }

std::string RightChars(std::string_view s, std::uint16_t n) {
  return std::string(s.size() <= n ? s : s.substr(s.size() - n));
}

void HeapSortDoubles(std::uint32_t n, std::span<double> a) {
  if (n < 2) return;
  std::uint32_t l = n / 2 + 1;
  std::uint32_t ir = n;
  for (;;) {
    double v;
    if (l > 1) {
      --l;
      v = a[l];
    } else {
      v = a[ir];
      a[ir] = a[1];
      if (--ir == 1) {
        a[1] = v;
        return;
      }
    }
    std::uint32_t i = l;
    std::uint64_t j = 2ull * l;  // 64 bits: 2l must not wrap for the largest n
    while (j <= ir) {
      if (j < ir && a[j] < a[j + 1]) ++j;
      if (v < a[j]) {
        a[i] = a[j];
        i = static_cast<std::uint32_t>(j);
        j *= 2;
      } else {
        break;
      }
    }
    a[i] = v;
  }
}

}  // namespace relakin
