// The GENEPOP reader.
#include "formats/genepop_import.h"

#include "import_test_util.h"

namespace relakin {
namespace {

using test::ErrorOf;
using test::FirstRows;
using test::PopNames;
using test::RowTexts;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

Document Read(const std::string& text) {
  std::istringstream in(text);
  return ImportGenepopFile(in, "t.gen");
}

std::string CrLf(std::string text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

TEST(GenepopImport, PopLineTest) {
  for (const char* yes : {"Pop", "pop", "POP", "pOp", "  Pop\t", "Pop\r", "\nPOP \n"})
    EXPECT_TRUE(IsPopLine(yes)) << yes;
  for (const char* no : {"Pop 2", "Population", "Po", "", "P op", "Pop,", "popx"})
    EXPECT_FALSE(IsPopLine(no)) << no;
}

TEST(GenepopImport, GenotypeTokens) {
  struct Case {
    const char* token;
    const char* code;
  };
  const Case cases[] = {
      {"0101", "001001"},
      {"1203", "003012"},
      {"1200", "012000"},
      {"0", "000000"},
      {"0000", "000000"},
      {"000000", "000000"},
      {"105101", "101105"},
      {"100100", "100100"},
      {"99101", "001991"},
      {"101", "001001"},
      {"+0102", "001002"},
      // Six digits are two three-digit alleles and four digits two two-digit ones, whatever
      // their value.
      {"003003", "003003"},
      {"099101", "099101"},
      {"001002", "001002"},
      {"0099", "000099"},
  };
  for (const Case& c : cases) {
    const std::optional<AllelePair> a = SplitGenepopGenotype(c.token);
    ASSERT_TRUE(a) << c.token;
    EXPECT_EQ(MakeGenotypeCode(a->a1, a->a2), c.code) << c.token;
  }
  for (const char* bad : {"", "-101", "01o1", "+", "6553600000", "99999999999999999999999"})
    EXPECT_FALSE(SplitGenepopGenotype(bad)) << bad;
}

TEST(GenepopImport, ReadsTheLayout) {
  const std::string text =
      "Title, with a comma\nLoc A\n Loc B \nPop\n  ind 1 , 0101 1203\nind2,0000\n100100\n"
      "POP\nlast one,0202 003003 rest of line\n";
  for (const std::string& t : {text, CrLf(text)}) {
    const Document doc = Read(t);
    EXPECT_THAT(RowTexts(doc),
                ElementsAre("||locus1|locus2", "||Loc A| Loc B ", "Pop Ind1|  ind 1 |001001|003012",
                            "    Ind2|ind2|000000|100100", "Pop Ind3|last one|002002|003003"));
    EXPECT_THAT(FirstRows(doc), ElementsAre(2, 4));
    EXPECT_THAT(PopNames(doc), ElementsAre("ind2", "last one"));
  }
}

TEST(GenepopImport, PopulationSeparators) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> names;  // column 1 of the individual rows
    std::vector<int> firstRows;
  };
  const Case cases[] = {
      {"POP lines in any case, with blanks around",
       "T\nL\n pop \na, 1\n\tPOP\t\nb, 1\nPop\nc, 1\n",
       {"a", "b", "c"},
       {2, 3, 4}},
      {"a line starting with Pop and a comma ends the population and is skipped",
       "T\nL\nPop\na, 1\nPop, 9 9 9\nb, 1\n",
       {"a", "b"},
       {2, 3}},
      {"Pop 2 and Population are text of the next name",
       "T\nL\nPop\na, 1\nPop 2\nb, 1\nPopulation\nc, 1\n",
       {"a", "Pop 2b", "Populationc"},
       {2}},
      {"blank lines before an individual or a POP line",
       "T\nL\nPop\n\n\na, 1\n\n\nPop\n\nb, 1\n",
       {"a", "b"},
       {2, 3}},
      {"POP lines in a row and at the end add no population",
       "T\nL\nPop\nPop\na, 1\nPop\n\nPOP\nb, 1\nPop\nPop",
       {"a", "b"},
       {2, 3}},
      {"a Ctrl-Z ends the file",
       "T\nL\nPop\na, 1\n\x1a"
       "b, x\n",
       {"a"},
       {2}},
      {"a name without a comma at the end is dropped", "T\nL\nPop\na, 1\nb 1\n", {"a"}, {2}},
  };
  for (const Case& c : cases) {
    for (const std::string& t : {c.text, CrLf(c.text)}) {
      const Document doc = Read(t);
      std::vector<std::string> names;
      for (int r = 2; r < doc.Cells.RowCount(); ++r) names.push_back(doc.Cells.Cells(1, r));
      EXPECT_EQ(names, c.names) << c.what;
      EXPECT_EQ(FirstRows(doc), c.firstRows) << c.what;
    }
  }
}

TEST(GenepopImport, LocusLists) {
  struct Case {
    const char* what;
    std::string text;
    std::string locusRow;
  };
  const Case cases[] = {
      {"names on one line separated by commas, trimmed", "T\nloc1, loc2 ,\tloc3\nPop\n",
       "||loc1|loc2|loc3"},
      {"a comma at the end adds no locus", "T\nloc1,loc2,\nPop\n", "||loc1|loc2"},
      {"comma lines and single names mixed", "T\na,b\nc\nPop\n", "||a|b|c"},
      {"a blank line is a locus with an empty name", "T\nL1\n\nL3\nPop\n", "||L1||L3"},
      {"no POP line: every line a locus, no individual", "T\nL1\nL2\n", "||L1|L2"},
      {"only a title", "T\n", "|"},
      {"an empty file", "", "|"},
  };
  for (const Case& c : cases) {
    const Document doc = Read(c.text);
    ASSERT_EQ(doc.Cells.RowCount(), 2) << c.what;
    EXPECT_EQ(RowTexts(doc)[1], c.locusRow) << c.what;
    EXPECT_EQ(doc.NbPops, 0) << c.what;
  }
  // One genotype per locus of a comma list.
  const Document doc = Read("T\nA, B, C\nPop\nx, 0101 0202 0303\n");
  EXPECT_EQ(RowTexts(doc)[2], "Pop Ind1|x|001001|002002|003003");
}

TEST(GenepopImport, FailuresNameTheLine) {
  struct Case {
    const char* what;
    std::string text;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"the file ends inside the genotypes", "T\nL1\nL2\nPop\na, 0101\n", 6,
       "génotype du locus 2 de l'individu 1"},
      {"a genotype that is not a number", "T\nL1\nPop\na, 01x1\n", 4, "01x1"},
      {"a short line makes the next name a genotype", "T\nL1\nL2\nPop\na, 0101\nb, 0202 0303\n", 6,
       "b,"},
      {"a negative genotype", "T\nL1\nPop\na, -101\n", 4, "-101"},
  };
  for (const Case& c : cases) {
    const Error e = ErrorOf([&] { Read(c.text); });
    EXPECT_EQ(e.kind(), ErrorKind::Input) << c.what;
    EXPECT_EQ(e.line(), c.line) << c.what;
    EXPECT_THAT(e.what(), HasSubstr(c.says)) << c.what;
    EXPECT_THAT(e.what(), HasSubstr("t.gen, ligne")) << c.what;
  }
}

TEST(GenepopImport, GridRowsLimitTheIndividuals) {
  std::string text = "T\nPop\n";
  for (int k = 1; k <= 65534; ++k) text += "a,\n";
  EXPECT_EQ(Read(text).Cells.RowCount(), 65536);
  const Error e = ErrorOf([&] { Read(text + "a,\n"); });
  EXPECT_EQ(e.kind(), ErrorKind::Capacity);
  EXPECT_EQ(e.line(), 65537);
  EXPECT_THAT(e.what(), HasSubstr("t.gen, ligne 65537 : trop d'individus"));
}

TEST(GenepopImport, C2lineIsReadCompletely) {
  const Document doc = ImportGenepopFile(test::FormatsData("c2line.gen"));
  const std::vector<std::string> rows = RowTexts(doc);
  ASSERT_EQ(rows.size(), 12u + 2u);
  EXPECT_EQ(rows[0], "||locus1|locus2|locus3");
  EXPECT_EQ(rows[1], "||136255903|136257048|136257636");
  EXPECT_EQ(rows[2], "Pop Ind1|1|003003|004004|002002");
  EXPECT_EQ(rows[5], "    Ind4|4|003003|003004|000000");
  EXPECT_EQ(rows[6], "Pop Ind5|b1|000000|004004|002002");
  EXPECT_EQ(rows[11], "    Ind10|3|002003|001001|002002");
  EXPECT_EQ(rows[13], "    Ind12|5|003003|004004|002002");
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 6, 9));
  EXPECT_THAT(PopNames(doc), ElementsAre("4", "b3", "5"));
}

}  // namespace
}  // namespace relakin
