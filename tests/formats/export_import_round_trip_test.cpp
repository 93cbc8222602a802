// A table exported to GENEPOP or FSTAT by our writers reads back through our readers with the
// same loci, the same populations (those with data) and the same genotypes, alleles renumbered
// by rank.
#include "core/table_builder.h"
#include "export_round_trip.h"
#include "formats/import_file.h"
#include "import_test_util.h"

namespace relakin {
namespace {

using test::FirstRows;
using test::GenotypeCells;
using test::PopNames;
using test::RankedCells;
using test::RowTexts;
using ::testing::ElementsAre;

Document ReadBack(ExportFormat format, Document doc) {
  RecordedMessages quiet;
  return test::ExportedAndReadBack(format, std::move(doc), quiet);
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

// Tables as each reader gives them, with locus names the other format's reader would take for
// something else: blank ones (blanks, TABs), a POP line, a comma, a Ctrl-Z, an individual's line.
// Where a name would not read back as that locus, its default name is written.
TEST(ExportImportRoundTrip, ImportedTablesReadBackWithTheirLociWhateverTheirNames) {
  struct Case {
    const char* what;
    ImportFormat format;
    std::string bytes;
    std::vector<std::string> genepopNames, fstatNames;  // the locus names read back
    std::vector<int> genepopNotices, fstatNotices;      // the loci announced without a name
  };
  const DelimitedTextOptions tabs{"\t", true, true, true, 2};
  const Case cases[] = {
      {"FSTAT, a locus named by a lone TAB",
       ImportFormat::Fstat,
       "2 2 9 2\n\t\nL2\n1 0101 0202\n2 0303 0400\n",
       {"Locus 1", "L2"},
       {"\t", "L2"},
       {1},
       {}},
      {"FSTAT, names of blanks, of TABs and blanks, of a blank and a TAB",
       ImportFormat::Fstat,
       "1 3 9 2\n   \n\t \t\n \t\n1 0101 0202 0303\n1 0102 0000 0103\n",
       {"Locus 1", "Locus 2", "Locus 3"},
       {"Locus 1", "\t \t", " \t"},
       {1, 1, 2, 3},
       {1, 1}},
      {"FSTAT, a Ctrl-Z inside a name",
       ImportFormat::Fstat,
       "1 2 9 2\nL\x1a" "1\nL2\n1 0101 0202\n",
       {"Locus 1", "L2"},
       {"L\x1a" "1", "L2"},
       {},
       {}},
      {"text, a POP line, a comma and an individual's line as names",
       ImportFormat::DelimitedText,
       "Pop\ta, b\t7 0101 0202 0303\nP1\ti1\t0101\t0202\t0303\nP2\ti2\t0102\t0000\t0101\n",
       {"Locus 1", "Locus 2", "7 0101 0202 0303"},
       {"Pop", "a, b", "Locus 3"},
       {},
       {}},
      {"older pair, a blank name", ImportFormat::OlderPair,
       "2 2\r\n\r\n\r\n\r\nA001 101102 103103\r\nB001 102102 0\r\n", {"L01", "Locus 2"},
       {"L01", "Locus 2"}, {2, 2}, {2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFiles files;
    files.Write("t.mod", "  L01\r\n     \r\n");
    const Document original = ImportForeignFile(
        c.format, files.Write(c.format == ImportFormat::OlderPair ? "t.don" : "t.txt", c.bytes),
        tabs);
    for (const ExportFormat format : {ExportFormat::Genepop, ExportFormat::Fstat}) {
      const bool genepop = format == ExportFormat::Genepop;
      SCOPED_TRACE(genepop ? "GENEPOP" : "FSTAT");
      RecordedMessages said;
      const Document back = test::ExportedAndReadBack(format, original, said);
      std::vector<std::string> names;
      for (int col = 2; col < back.Cells.ColCount(); ++col) names.push_back(back.Cells.Cells(col, 1));
      EXPECT_EQ(names, genepop ? c.genepopNames : c.fstatNames);
      EXPECT_EQ(FirstRows(back), FirstRows(original));
      EXPECT_EQ(GenotypeCells(back), RankedCells(original));
      std::vector<std::string> notices;
      for (const int l : genepop ? c.genepopNotices : c.fstatNotices)
        notices.push_back("Nom du " + std::to_string(l) + " ° Locus manquant !");
      EXPECT_EQ(said.texts, notices);
    }
  }
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
      EXPECT_EQ(GenotypeCells(back), RankedCells(*original));
    }
  }
}

}  // namespace
}  // namespace relakin
