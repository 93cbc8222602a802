#include "core/allele_tables.h"

#include "core/errors.h"
#include "core/genotype_code.h"

namespace relakin {

void AlleleTables::MarkUsedLoci(const GenotypeTable& cells) {
  LocusUsed.assign(cells.ColCount(), false);
  NbLocUsed = 0;
  for (int c = 2; c < cells.ColCount(); ++c) {
    for (int r = 2; r < cells.RowCount(); ++r) {
      if (!IsBlankText(cells.Cells(c, r))) {
        if (NbLocUsed == UINT16_MAX)
          throw Error(ErrorKind::Capacity, "Trop de locus : 65535 au plus.");
        LocusUsed[c - 1] = true;
        ++NbLocUsed;
        break;
      }
    }
  }
}

void AlleleTables::SetUsedLoci(const std::vector<bool>& chosen) {
  NbLocUsed = 0;
  for (std::size_t l = 1; l < LocusUsed.size(); ++l) {
    LocusUsed[l] = l < chosen.size() && chosen[l] && l + 1 < LocusUsed.size();
    if (LocusUsed[l]) ++NbLocUsed;
  }
}

void AlleleTables::AllocAlleleTables(Document& doc) {
  MarkUsedLoci(doc.Cells);
  doc.RecordedLastRow = doc.Cells.RowCount() - 1;
  doc.RecordedPopCount = doc.NbPops;
  doc.RecordedLocusCount = NbLocUsed;
  PopMeanAlleles.assign(doc.NbPops + 1, 0.0f);
  SampleSize.assign(doc.NbPops + 1, 0);
  const std::size_t loci = doc.Cells.ColCount() > 0 ? doc.Cells.ColCount() - 1 : 1;
  AlleleCount.assign(loci, 0);
  AlleleList.assign(loci, std::vector<std::uint16_t>(1, 0));
  OutLocusNames.assign(NbLocUsed + 1, std::string());
}

void AlleleTables::ResetAlleleTables() {
  for (std::size_t l = 0; l < AlleleCount.size(); ++l) {
    AlleleCount[l] = 0;
    AlleleList[l].resize(1);
  }
}

void AlleleTables::AddAllele(std::uint16_t allele, std::uint16_t l) {
  std::vector<std::uint16_t>& list = AlleleList[l];
  for (std::size_t j = 1; j <= AlleleCount[l]; ++j) {
    if (list[j] == allele) return;
  }
  if (AlleleCount[l] == UINT16_MAX)
    throw Error(ErrorKind::Capacity, "Trop d'allèles au locus " + std::to_string(l) + ".");
  ++AlleleCount[l];
  list.push_back(allele);
}

void AlleleTables::CollectRowAlleles(const GenotypeTable& cells, int row) {
  for (std::size_t l = 1; l + 1 < LocusUsed.size(); ++l) {
    if (!LocusUsed[l]) continue;
    const int col = static_cast<int>(l) + 1;
    const AllelePair a = GenotypeAlleles(NormalizeGenotype(cells.Cells(col, row), col, row));
    if (a.a1 == 0 || a.a2 == 0) continue;
    const auto locus = static_cast<std::uint16_t>(l);
    AddAllele(a.a1, locus);
    if (a.a2 != a.a1) AddAllele(a.a2, locus);
  }
}

void QuickSortWords(std::vector<std::uint16_t>& list, std::int32_t L, std::int32_t R) {
  if (R < L) return;
  std::int32_t i = L;
  std::int32_t j = R;
  const std::uint16_t pivot = list[(L + R) / 2];
  do {
    while (list[i] < pivot) ++i;
    while (pivot < list[j]) --j;
    if (i <= j) {
      std::swap(list[i], list[j]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (L < j) QuickSortWords(list, L, j);
  if (i < R) QuickSortWords(list, i, R);
}

void AlleleTables::SortAlleleLists() {
  for (std::size_t l = 1; l < LocusUsed.size() && l < AlleleCount.size(); ++l) {
    if (LocusUsed[l]) QuickSortWords(AlleleList[l], 1, AlleleCount[l]);
  }
}

void AlleleTables::CollectLocusNames(Document& doc, Messages& messages) {
  doc.LocusColumnMap.assign(1, 0);
  OutLocusNames.assign(1, std::string());
  for (int c = 2; c < doc.Cells.ColCount(); ++c) {
    if (!LocusUsed[c - 1]) continue;
    const std::string number = std::to_string(c - 1);
    doc.LocusColumnMap.push_back(static_cast<std::uint16_t>(c - 1));
    const std::string& name = doc.Cells.Cells(c, 1);
    if (IsBlankText(name)) {
      messages.Information("Nom du " + number + " ° Locus manquant !");
      OutLocusNames.push_back("Locus " + number);
    } else {
      OutLocusNames.push_back(name);
    }
  }
}

std::vector<std::uint16_t> AlleleTables::Alleles(std::uint16_t l) const {
  return std::vector<std::uint16_t>(AlleleList[l].begin() + 1,
                                    AlleleList[l].begin() + 1 + AlleleCount[l]);
}

}  // namespace relakin
