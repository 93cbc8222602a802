// The three export layouts, byte for byte: the worked example and the edge cases of the
// population and locus tables.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/genotype_code.h"
#include "core/table_builder.h"
#include "formats/biosys_export.h"
#include "formats/exports.h"
#include "formats/genepop_export.h"

namespace relakin {
namespace {

using test::CrLf;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Loc A and Loc B; North with two individuals, an unnamed population with one on the last row.
Document WorkedExample() {
  return test::MakeDoc({"Loc A", "Loc B"},
                       {{"North", {{"i1", {"101105", "210214"}}, {"i2", {"105105", "214000"}}}},
                        {"", {{"i3", {"000000", "210210"}}}}});
}

std::string Bytes(ExportFormat format, Document doc, RecordedMessages* said = nullptr) {
  RecordedMessages quiet;
  return BuildExport(format, doc, said ? *said : quiet).bytes;
}

TEST(ExportLayouts, WorkedExample) {
  EXPECT_EQ(Bytes(ExportFormat::Genepop, WorkedExample()),
            CrLf({"Vous pouvez \xE9"
                  "diter cette ligne !",
                  "Loc A", "Loc B", "Pop", "North, 0102 0102", "North, 0202 0200", "Pop",
                  "pop2, 0000 0101"},
                 false));
  EXPECT_EQ(
      Bytes(ExportFormat::Fstat, WorkedExample()),
      CrLf({"2 2 2 2", "Loc A", "Loc B", "   1  0102 0102", "   1  0202 0200", "   2  0000 0101"},
           false));
  EXPECT_EQ(Bytes(ExportFormat::Biosys, WorkedExample()),
            CrLf({"SINGLE INDIVIDUAL GENOTYPE INPUT ", "NOTU=2,NLOC=2,NALL=2;", "(2(1X,A5))",
                  " Loc A Loc B", "", "STEP DATA:", "DATYP=1;", "(A4,7X,2(1X,I2,I2))",
                  "p  1  North", "   1        0102 0102", "   1        0202 0200", "NEXT",
                  "p  2  Pop n\xB0"
                  "2",
                  "   2        0000 0101", "NEXT", "END;"},
                 true));
}

TEST(ExportLayouts, LeavesTheTablesAndRecordsTheSurvey) {
  Document doc = WorkedExample();
  doc.CurrentFileName = "/data/pop.bvt";
  const Document before = doc;
  RecordedMessages said;
  BuildExport(ExportFormat::Biosys, doc, said);
  EXPECT_EQ(doc.Cells, before.Cells);
  EXPECT_EQ(doc.NbPops, before.NbPops);
  EXPECT_EQ(doc.PopFirstRow, before.PopFirstRow);
  EXPECT_EQ(doc.PopNames, before.PopNames);
  EXPECT_EQ(doc.CurrentFileName, before.CurrentFileName);
  EXPECT_EQ(doc.RecordedLastRow, 4);
  EXPECT_EQ(doc.RecordedLocusCount, 2);
  EXPECT_EQ(doc.RecordedPopCount, 2);
  EXPECT_THAT(said.texts, IsEmpty());
}

// Population 1: a marked empty row, then a data row; population 2: only an empty row, which is
// the grid's last; population 3 beyond the name table.
Document EmptyRows() {
  Document doc = test::MakeDoc(
      {"A"}, {{"One", {{"", {}}, {"x", {"101101"}}}}, {"Two", {{"", {}}}}, {"", {{"", {}}}}});
  doc.PopNames.resize(3);
  return doc;
}

TEST(ExportLayouts, PopulationsKeepTheirNumbersWhateverTheirEmptyRows) {
  EXPECT_EQ(Bytes(ExportFormat::Genepop, EmptyRows()), CrLf({"Vous pouvez \xE9"
                                                             "diter cette ligne !",
                                                             "A", "Pop", "One, 0101", "Pop", "Pop"},
                                                            true));
  EXPECT_EQ(Bytes(ExportFormat::Fstat, EmptyRows()), CrLf({"3 1 1 2", "A", "   1  0101"}, true));
  EXPECT_EQ(Bytes(ExportFormat::Biosys, EmptyRows()),
            CrLf({"SINGLE INDIVIDUAL GENOTYPE INPUT ", "NOTU=3,NLOC=1,NALL=1;", "(1(1X,A5))",
                  "     A", "", "STEP DATA:", "DATYP=1;", "(A4,7X,1(1X,I2,I2))", "p  1  One",
                  "   1        0101", "NEXT", "p  2  Two", "NEXT",
                  "p  3  Pop n\xB0"
                  "3",
                  "", "NEXT", "END;"},
                 true));
}

TEST(ExportLayouts, TableWithoutUsedLocusWritesThePopulationPartsOnly) {
  const Document doc = test::MakeDoc({"A", "B"}, {{"P", {{"x", {}}, {"y", {" ", ""}}}}});
  EXPECT_EQ(Bytes(ExportFormat::Genepop, doc), CrLf({"Vous pouvez \xE9"
                                                     "diter cette ligne !",
                                                     "Pop", "P,", "P,"},
                                                    false));
  EXPECT_EQ(Bytes(ExportFormat::Fstat, doc), CrLf({"1 0 0 2", "   1 ", "   1 "}, false));
  EXPECT_EQ(Bytes(ExportFormat::Biosys, doc),
            CrLf({"SINGLE INDIVIDUAL GENOTYPE INPUT ", "NOTU=1,NLOC=0,NALL=0;", ")", "",
                  "STEP DATA:", "DATYP=1;", "(A4,7X,0(1X,I2,I2))", "p  1  P", "   1       ",
                  "   1       ", "NEXT", "END;"},
                 true));
}

// A blank name at grid locus 3 (column 3 empty): told once at the survey and once where it is
// written, with the grid number; each format writes its default name.
TEST(ExportLayouts, BlankLocusNameIsToldTwiceAndGetsTheDefault) {
  const Document doc = test::MakeDoc({"A", "B", " "}, {{"P", {{"x", {"101101", "", "202202"}}}}});
  const std::string told = "Nom du 3 ° Locus manquant !";
  const struct {
    ExportFormat format;
    std::string nameLines;
  } cases[] = {
      {ExportFormat::Genepop, "\r\nA\r\nLocus 3\r\nPop\r\n"},
      {ExportFormat::Fstat, "\r\nA\r\nLocus 3\r\n"},
      {ExportFormat::Biosys, "\r\n     A Loc3\r\n\r\n"},
  };
  for (const auto& c : cases) {
    RecordedMessages said;
    EXPECT_NE(Bytes(c.format, doc, &said).find(c.nameLines), std::string::npos);
    EXPECT_THAT(said.texts, ElementsAre(told, told));
  }
}

TEST(ExportLayouts, BiosysNameRecordsOfTenNames) {
  const struct {
    int loci;
    std::vector<int> blank;  // grid locus numbers left without a name
    const char* format;
    std::vector<std::string> records;  // then the empty line
  } cases[] = {
      {10, {}, "(10(1X,A5))", {"    L1    L2    L3    L4    L5    L6    L7    L8    L9   L10"}},
      {10, {9, 10}, "(10(1X,A5))", {"    L1    L2    L3    L4    L5    L6    L7    L8 Loc9 Loc10"}},
      {12,
       {11},
       "(10(1X,A5)/2(1X,A5))",
       {"    L1    L2    L3    L4    L5    L6    L7    L8    L9   L10", " Loc11   L12"}},
      {5, {}, "(5(1X,A5))", {"    L1    L2    L3    L4    L5"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    std::vector<std::string> cells;
    for (int l = 1; l <= c.loci; ++l) {
      const bool blank = std::find(c.blank.begin(), c.blank.end(), l) != c.blank.end();
      names.push_back(blank ? "" : "L" + std::to_string(l));
      cells.push_back("101101");
    }
    const std::string text =
        Bytes(ExportFormat::Biosys, test::MakeDoc(names, {{"P", {{"x", cells}}}}));
    std::vector<std::string> lines = {"SINGLE INDIVIDUAL GENOTYPE INPUT ",
                                      "NOTU=1,NLOC=" + std::to_string(c.loci) + ",NALL=1;",
                                      c.format};
    lines.insert(lines.end(), c.records.begin(), c.records.end());
    lines.insert(lines.end(), {"", "STEP DATA:"});
    EXPECT_EQ(text.substr(0, CrLf(lines, true).size()), CrLf(lines, true)) << c.loci;
  }
}

TEST(ExportLayouts, BiosysNameFormat) {
  const struct {
    std::size_t loci;
    const char* format;
  } cases[] = {
      {0, ")"},
      {5, "(5(1X,A5))"},
      {10, "(10(1X,A5))"},
      {12, "(10(1X,A5)/2(1X,A5))"},
      {20, "(10(1X,A5)/10(1X,A5))"},
      {23, "(10(1X,A5)/10(1X,A5)/3(1X,A5))"},
  };
  for (const auto& c : cases) EXPECT_EQ(BiosysNameFormat(c.loci), c.format) << c.loci;
}

// Alleles 1 .. 100 at locus A, so its 100th cannot be written.
Document HundredAlleles() {
  std::vector<test::IndRow> rows;
  for (int i = 1; i <= 50; ++i) {
    rows.push_back({"x", {PadAllele3(2 * i - 1) + PadAllele3(2 * i), "101101"}});
  }
  rows.push_back({"y", {"099100", "101101"}});
  return test::MakeDoc({"A", "B"}, {{"P", rows}});
}

TEST(ExportLayouts, HundredthAlleleIsWrittenAsMissingAndCountedInTheHeaders) {
  const std::string genepop = Bytes(ExportFormat::Genepop, HundredAlleles());
  EXPECT_TRUE(genepop.ends_with("\r\nP, 9900 0101")) << genepop.substr(genepop.size() - 40);
  EXPECT_TRUE(Bytes(ExportFormat::Fstat, HundredAlleles()).starts_with("1 2 100 2\r\n"));
  EXPECT_NE(Bytes(ExportFormat::Biosys, HundredAlleles()).find("NALL=100;"), std::string::npos);
}

TEST(GenepopIndividualPrefix, NameThatWouldNotReadBackBecomesPopAndItsNumber) {
  const struct {
    std::string name;
    const char* prefix;
  } cases[] = {
      {"North", "North,"},
      {"North,", "North,"},  // no second comma
      {"", "pop3,"},
      {"  ", "  ,"},
      {"pop", "pop3,"},
      {" POP\t", "pop3,"},
      {"Pop,", "pop3,"},
      {"Popx", "Popx,"},
      {"pop 2", "pop 2,"},
      {"A,B", "pop3,"},
      {",", "pop3,"},
      {"A,,", "pop3,"},
      {"North\x1a", "pop3,"},  // a Ctrl-Z would end the file read back
      {"\t", "\t,"},
      {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxy,"},  // 25 characters kept
  };
  for (const auto& c : cases) {
    Document doc =
        test::MakeDoc({"A"}, {{"1", {{"x", {}}}}, {"2", {{"x", {}}}}, {"", {{"x", {}}}}});
    doc.PopNames[3] = c.name;
    EXPECT_EQ(GenepopIndividualPrefix(doc, 3), c.prefix) << "[" << c.name << "]";
  }
}

TEST(ExportLayouts, GenepopLocusNameThatWouldNotReadBackAsOneLocusGetsTheDefault) {
  const Document doc = test::MakeDoc({"pop", " Pop ", "A, B", "Popx"},
                                     {{"P", {{"x", {"101101", "101101", "101101", "101101"}}}}});
  EXPECT_TRUE(Bytes(ExportFormat::Genepop, doc)
                  .starts_with(CrLf({"Vous pouvez \xE9"
                                     "diter cette ligne !",
                                     "Locus 1", "Locus 2", "Locus 3", "Popx", "Pop"},
                                    true)));
  EXPECT_TRUE(Bytes(ExportFormat::Fstat, doc)
                  .starts_with(CrLf({"1 4 1 2", "pop", " Pop ", "A, B", "Popx"}, true)));
}

// Names that one reader skips as blank (TABs), refuses (a Ctrl-Z) or takes for an individual's
// line (a population number and one genotype per locus, to FSTAT) are written under the default
// name in that format only; a blank one of TABs is announced as a blank one is.
TEST(ExportLayouts, LocusNamesThatOneReaderWouldNotReadBackGetTheDefaultThere) {
  const std::vector<std::string> names = {"\t", " \t ", "L\x1aZ", "5 1 2 3 4 5 6", "1 2", "\x01"};
  const Document doc = test::MakeDoc(names, {{"P", {{"x", std::vector<std::string>(6, "101101")}}}});
  const auto told = [](int l) { return "Nom du " + std::to_string(l) + " ° Locus manquant !"; };
  const struct {
    ExportFormat format;
    std::vector<std::string> lines;
    std::vector<std::string> said;
  } cases[] = {
      {ExportFormat::Genepop,
       {"Vous pouvez \xE9"
        "diter cette ligne !",
        "Locus 1", "Locus 2", "Locus 3", "5 1 2 3 4 5 6", "1 2", "Locus 6", "Pop"},
       {told(1), told(2), told(6)}},
      {ExportFormat::Fstat, {"1 6 1 2", "\t", " \t ", "L\x1aZ", "Locus 4", "1 2", "\x01"}, {}},
  };
  for (const auto& c : cases) {
    RecordedMessages said;
    EXPECT_TRUE(Bytes(c.format, doc, &said).starts_with(CrLf(c.lines, true)));
    EXPECT_EQ(said.texts, c.said);
  }
}

}  // namespace
}  // namespace relakin
