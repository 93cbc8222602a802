// A table exported to GENEPOP or FSTAT by our writers reads back through our readers with the
// same populations (those with data) and the same genotypes, alleles renumbered by rank.
#include <map>
#include <set>

#include "core/genotype_code.h"
#include "core/table_builder.h"
#include "formats/exports.h"
#include "formats/fstat_import.h"
#include "formats/genepop_import.h"
#include "import_test_util.h"

namespace relakin {
namespace {

using test::FirstRows;
using test::PopNames;
using test::RowTexts;
using ::testing::ElementsAre;

Document ReadBack(ExportFormat format, Document doc) {
  RecordedMessages quiet;
  std::istringstream in(BuildExport(format, doc, quiet).bytes);
  return format == ExportFormat::Genepop ? ImportGenepopFile(in) : ReadFstatFile(in);
}

// Missing and half-typed cells, an empty cell, a population without data, a population whose
// marked row is empty, names with commas or that read as a POP line, an unused locus column,
// and data on the grid's last row (the file then ends without a line end).
Document Awkward() {
  return test::MakeDoc(
      {"Loc A", "Loc, B", "Unused"},
      {{"North, bay",
        {{"i1", {"101105", "210214"}}, {"i2", {"105105", "214000"}}, {"i3", {"000000", ""}}}},
       {"Empty", {{"", {}}}},
       {"", {{"", {}}, {"i4", {"105000", "210210"}}}},
       {"Pop", {{"i5", {"101101", "000214"}}}}});
}

TEST(ExportImportRoundTrip, GenepopNamesEachPopulationByItsNumberWhereItsNameCannotBeWritten) {
  const Document doc = ReadBack(ExportFormat::Genepop, Awkward());
  // Ranks: Loc A 101 -> 1, 105 -> 2; Loc B 210 -> 1, 214 -> 2. A locus name with a comma would
  // read back as two loci: it is written under its default name.
  EXPECT_THAT(RowTexts(doc),
              ElementsAre("||locus1|locus2", "||Loc A|Locus 2", "Pop Ind1|pop1|001002|001002",
                          "    Ind2|pop1|002002|002000", "    Ind3|pop1|000000|000000",
                          "Pop Ind4|pop3|002000|001001", "Pop Ind5|pop4|001001|000002"));
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 5, 6));
  EXPECT_THAT(PopNames(doc), ElementsAre("pop1", "pop3", "pop4"));
}

TEST(ExportImportRoundTrip, FstatNamesEachIndividualByItsPopulationNumber) {
  const Document doc = ReadBack(ExportFormat::Fstat, Awkward());
  EXPECT_THAT(RowTexts(doc),
              ElementsAre("||locus1|locus2", "||Loc A|Loc, B", "Pop Ind1|1|001002|001002",
                          "    Ind2|1|002002|002000", "    Ind3|1|000000|000000",
                          "Pop Ind4|3|002000|001001", "Pop Ind5|4|001001|000002"));
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 5, 6));
  EXPECT_THAT(PopNames(doc), ElementsAre("Population 1", "Population 2", "Population 3"));
}

// Each cell of `doc` with its alleles replaced by their ranks among the alleles of complete
// genotypes of their locus (0 for an allele of none).
std::vector<std::string> RankedCells(const Document& doc) {
  std::vector<std::string> cells;
  for (int c = 2; c < doc.Cells.ColCount(); ++c) {
    std::set<int> alleles;
    for (int r = 2; r < doc.Cells.RowCount(); ++r) {
      const AllelePair a = GenotypeAlleles(doc.Cells.Cells(c, r));
      if (a.a1 != 0 && a.a2 != 0) alleles.insert({a.a1, a.a2});
    }
    std::map<int, std::uint16_t> rank;
    for (int allele : alleles) rank[allele] = static_cast<std::uint16_t>(rank.size() + 1);
    const auto of = [&rank](int allele) { return allele == 0 ? std::uint16_t{0} : rank[allele]; };
    for (int r = 2; r < doc.Cells.RowCount(); ++r) {
      const AllelePair a = GenotypeAlleles(doc.Cells.Cells(c, r));
      cells.push_back(MakeGenotypeCode(of(a.a1), of(a.a2)));
    }
  }
  return cells;
}

std::vector<std::string> Cells(const Document& doc, int firstCol, int firstRow) {
  std::vector<std::string> cells;
  for (int c = firstCol; c < doc.Cells.ColCount(); ++c) {
    for (int r = firstRow; r < doc.Cells.RowCount(); ++r) cells.push_back(doc.Cells.Cells(c, r));
  }
  return cells;
}

TEST(ExportImportRoundTrip, RealFilesReadBackWithTheirAllelesAsRanks) {
  const Document c2line = ImportGenepopFile(test::FormatsData("c2line.gen"));
  const Document cats = ReadFstatFile(test::FormatsData("nancycats.dat"));
  for (const Document* original : {&c2line, &cats}) {
    for (const ExportFormat format : {ExportFormat::Genepop, ExportFormat::Fstat}) {
      SCOPED_TRACE(original->Cells.RowCount());
      SCOPED_TRACE(format == ExportFormat::Genepop ? "GENEPOP" : "FSTAT");
      const Document back = ReadBack(format, *original);
      EXPECT_EQ(RowTexts(back)[1], RowTexts(*original)[1]);  // the locus names
      EXPECT_EQ(FirstRows(back), FirstRows(*original));
      EXPECT_EQ(Cells(back, 2, 2), RankedCells(*original));
    }
  }
}

}  // namespace
}  // namespace relakin
