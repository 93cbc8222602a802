// The GENEPOP reader.
#include "formats/genepop_import.h"

#include <algorithm>

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
    int width;  // the file's: 4, 6, or 0 for none
    const char* code;
  };
  const Case cases[] = {
      {"0101", 0, "001001"},
      {"1203", 0, "003012"},
      {"1200", 0, "012000"},
      {"0", 0, "000000"},
      {"00", 6, "000000"},
      {"0000", 0, "000000"},
      {"000000", 0, "000000"},
      {"105101", 0, "101105"},
      {"100100", 0, "100100"},
      {"+0102", 0, "001002"},
      // Six digits are two three-digit alleles and four digits two two-digit ones, whatever
      // their value and the file's width.
      {"003003", 4, "003003"},
      {"099101", 0, "099101"},
      {"001002", 0, "001002"},
      {"0099", 6, "000099"},
      // Shorter numbers lost leading zeros: the file's width restores them.
      {"99101", 6, "099101"},
      {"101", 4, "001001"},
      {"101", 6, "000101"},
      {"5", 4, "000005"},
      {"12", 0, "000012"},
      {"012", 0, "000012"},
  };
  for (const Case& c : cases) {
    const std::optional<AllelePair> a = SplitGenepopGenotype(c.token, c.width);
    ASSERT_TRUE(a) << c.token << " " << c.width;
    EXPECT_EQ(MakeGenotypeCode(a->a1, a->a2), c.code) << c.token << " " << c.width;
  }
  struct Bad {
    const char* token;
    int width;
  };
  const Bad bad[] = {{"", 4},        {"-101", 4},       {"01o1", 0},
                     {"+", 6},       {"6553600000", 0}, {"99999999999999999999999", 6},
                     {"1234567", 6}, {"0001001", 0},    {"99101", 4},
                     {"99101", 0},   {"101", 0},        {"00001", 4}};
  for (const Bad& b : bad)
    EXPECT_FALSE(SplitGenepopGenotype(b.token, b.width)) << b.token << " " << b.width;
}

TEST(GenepopImport, ReadsTheLayout) {
  const std::string text =
      "Title, with a comma\nLoc A\n Loc B \nPop\n  ind 1 , 0101 1203\nind2,0000\n1010\n"
      "POP\nlast one,0202 0303  \t\n";
  for (const std::string& t : {text, CrLf(text)}) {
    const Document doc = Read(t);
    EXPECT_THAT(RowTexts(doc),
                ElementsAre("||locus1|locus2", "||Loc A| Loc B ", "Pop Ind1|  ind 1 |001001|003012",
                            "    Ind2|ind2|000000|010010", "Pop Ind3|last one|002002|003003"));
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
       "T\nL\n pop \na, 0101\n\tPOP\t\nb, 0101\nPop\nc, 0101\n",
       {"a", "b", "c"},
       {2, 3, 4}},
      {"\"Pop,\" with nothing after ends the population",
       "T\nL\nPop\na, 0101\npop , \t\nb, 0101\n",
       {"a", "b"},
       {2, 3}},
      {"blank lines before an individual or a POP line",
       "T\nL\nPop\n\n\na, 0101\n\n\nPop\n\nb, 0101\n",
       {"a", "b"},
       {2, 3}},
      {"POP lines in a row and at the end add no population",
       "T\nL\nPop\nPop\na, 0101\nPop\n\nPOP\nb, 0101\nPop\nPop",
       {"a", "b"},
       {2, 3}},
      {"a Ctrl-Z with nothing but blanks, line ends and more Ctrl-Z after it ends the file",
       "T\nL\nPop\na, 0101\n\x1a\n \t\n\x1a\x1a",
       {"a"},
       {2}},
      {"a Ctrl-Z right after the last genotype", "T\nL\nPop\na, 0101\x1a", {"a"}, {2}},
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
      {"blank lines name no locus", "T\n\nL1\n\n \t\nL3\n\nPop\n", "||L1|L3"},
  };
  for (const Case& c : cases) {
    // After the list, one individual with a genotype per locus.
    std::string individual = "x,";
    const auto loci = std::count(c.locusRow.begin(), c.locusRow.end(), '|') - 1;
    for (auto l = loci; l > 0; --l) individual += " 0101";
    const Document doc = Read(c.text + individual + "\n");
    ASSERT_EQ(doc.Cells.RowCount(), 3) << c.what;
    EXPECT_EQ(RowTexts(doc)[1], c.locusRow) << c.what;
    EXPECT_EQ(doc.NbPops, 1) << c.what;
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
      {"the file ends inside the genotypes", "T\nL1\nL2\nPop\na, 0101\n", 5,
       "l'individu 1 « a », qui commence à cette ligne, n'a que 1 génotype sur 2 attendus (un "
       "par locus) : le fichier se termine."},
      {"a genotype that is not a number", "T\nL1\nPop\na, 01x1\n", 4, "01x1"},
      {"a short line never takes the next name for a genotype",
       "T\nL1\nL2\nPop\na, 0101\nb, 0202 0303\n", 5, "la ligne 6 commence un autre individu."},
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

// Files an import once changed or cut without a word: each is read as it means, or refused with
// its line named and a message that quotes no field whole.
TEST(GenepopImport, ReadAsTheyMeanOrRefusedAtTheirLine) {
  std::string junk;
  for (int i = 0; i < 600; ++i) {
    const int byte = (i * 37 + 11) % 256;
    junk += static_cast<char>(byte == 26 ? 0 : byte);  // a Ctrl-Z would end it early
  }
  const std::string longLine(100000, 'x');
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> rows;  // from row 2, when read
    std::vector<int> firstRows;
    int line = 0;                // where refused
    const char* says = nullptr;  // nullptr: read
  };
  const Case cases[] = {
      {"genotypes run on over lines of numbers alone, blank lines between",
       "T\nL1\nL2\nL3\nPop\na, 0101\n0202\n\n 0303 \nb, 0404 0505\n0606\n",
       {"Pop Ind1|a|001001|002002|003003", "    Ind2|b|004004|005005|006006"},
       {2}},
      {"a six-digit file restores the zeros a spreadsheet dropped, the width known after",
       "T\nL1\nL2\nPop\na, 99101 101\nb, 0 00\nPop\nc, 100100 012013\n",
       {"Pop Ind1|a|099101|000101", "    Ind2|b|000000|000000", "Pop Ind3|c|100100|012013"},
       {2, 4}},
      {"zeros alone are missing whatever their length, and tell no width",
       "T\nL1\nL2\nPop\na, 101103 0000\nb, 000000 102102\nc, 0 00\n",
       {"Pop Ind1|a|101103|000000", "    Ind2|b|000000|102102", "    Ind3|c|000000|000000"},
       {2}},
      {"a four-digit file reads shorter numbers as four digits",
       "T\nL1\nL2\nPop\na, 101 5\nb, 0 0202\n",
       {"Pop Ind1|a|001001|000005", "    Ind2|b|000000|002002"},
       {2}},
      {"a file of zeros alone: every genotype missing, whatever its length",
       "T\nL1\nL2\nPop\na, 0 00\nb, 000 0000\nc, 000000 0\n",
       {"Pop Ind1|a|000000|000000", "    Ind2|b|000000|000000", "    Ind3|c|000000|000000"},
       {2}},
      {"a blank line in the locus list names no locus",
       "T\nL1\nL2\n\nPop\na, 0101 0202\nb, 0303 0404\n",
       {"Pop Ind1|a|001001|002002", "    Ind2|b|003003|004004"},
       {2}},
      {"a UTF-8 name after a byte order mark, in the code page",
       "\xEF\xBB\xBFT\nL1\nPop\nB\xC3\xA9lier, 0101\n",
       {"Pop Ind1|B\xE9lier|001001"},
       {2}},
      {"a genotype short, the next name all digits",
       "T\nL1\nL2\nPop\nA1 , 0101\n2 , 0202 0303\n3 , 0404 0505\n",
       {},
       {},
       5,
       "t.gen, ligne 5 : l'individu 1 « A1 », qui commence à cette ligne, n'a que 1 génotype sur 2 "
       "attendus (un par locus) : la ligne 6 commence un autre individu."},
      {"genotypes that stop short at a POP line",
       "T\nL1\nL2\nPop\na, 0101\nPop\nb, 0202 0303\n",
       {},
       {},
       5,
       "la ligne 6 est une ligne POP."},
      {"genotypes that stop short on a following line",
       "T\nL1\nL2\nL3\nPop\na, 0101\n0202\nb, 1 2 3\n",
       {},
       {},
       6,
       "n'a que 2 génotypes sur 3 attendus"},
      {"no genotype at all",
       "T\nL1\nPop\na,\nb, 0101\n",
       {},
       {},
       4,
       "n'a aucun génotype sur 1 attendu"},
      {"Pop 2 among the individuals",
       "T\nL\nPop\na, 1\nPop 2\nb, 1\n",
       {},
       {},
       5,
       "t.gen, ligne 5 : « Pop 2 » n'est pas une ligne POP : une ligne de population porte « Pop » "
       "seul."},
      {"Population among the individuals",
       "T\nL\nPop\na, 1\nPopulation\nb, 1\n",
       {},
       {},
       5,
       "« Population » n'est pas une ligne POP"},
      {"POP site A among the individuals",
       "T\nL\nPop\na, 1\n  POP site A\nb, 1\n",
       {},
       {},
       5,
       "« POP site A » n'est pas une ligne POP"},
      {"Pop 2 while genotypes are due",
       "T\nL1\nL2\nPop\na, 0101\nPop 2\n",
       {},
       {},
       6,
       "« Pop 2 » n'est pas une ligne POP"},
      {"Pop, followed by text",
       "T\nL\nPop\na, 1\nPop, 9 9 9\nb, 1\n",
       {},
       {},
       5,
       "« Pop, 9 9 9 » : une ligne de population porte « Pop » seul, sans texte après."},
      {"an individual without its comma",
       "T\nL\nPop\na, 0101\nb 0202\n",
       {},
       {},
       5,
       "t.gen, ligne 5 : ligne sans virgule « b 0202 » : un individu s'écrit « nom, génotypes »."},
      {"an individual without its comma while genotypes are due",
       "T\nL1\nL2\nPop\na, 0101\nb 0202\n",
       {},
       {},
       6,
       "ligne sans virgule « b 0202 »"},
      {"numbers alone when no genotype is due",
       "T\nL\nPop\na, 0101\n0202\n",
       {},
       {},
       5,
       "ligne sans virgule « 0202 »"},
      {"more numbers alone than genotypes due",
       "T\nL1\nL2\nPop\nA1 , 0101\n2 0202 0303\n",
       {},
       {},
       6,
       "ligne sans virgule « 2 0202 0303 » : 3 nombres, plus que le génotype que l'individu 1 "
       "attend encore."},
      {"no POP line",
       "T\nL1\nL2\n",
       {},
       {},
       0,
       "t.gen : aucune ligne POP : ce n'est pas un fichier GENEPOP."},
      {"only a title", "T\n", {}, {}, 0, "t.gen : aucune ligne POP"},
      {"an empty file", "", {}, {}, 0, "t.gen : aucune ligne POP"},
      {"binary junk", junk, {}, {}, 0, "t.gen : aucune ligne POP"},
      {"five digits in a four-digit file",
       "T\nL1\nL2\nPop\na, 0101 0202\nb, 0303 99101\n",
       {},
       {},
       6,
       "t.gen, ligne 6 : génotype de 5 chiffres « 99101 » dans un fichier dont les génotypes ont 4 "
       "chiffres."},
      {"seven digits",
       "T\nL1\nPop\na, 1001001\n",
       {},
       {},
       4,
       "génotype de 7 chiffres « 1001001 » : un génotype s'écrit en 4 ou 6 chiffres."},
      {"a short number in a file without a width",
       "T\nL1\nL2\nPop\na, 101 99101\n",
       {},
       {},
       5,
       "génotype de 3 chiffres « 101 » : ce fichier n'écrit pas ses génotypes tous en 4 ou tous en "
       "6 chiffres, rien ne dit comment le compléter (0101 ou 000101 ?)."},
      {"haploid genotypes, one allele each",
       "Haploid\nL1\nL2\nL3\nPop\nh1 , 03 04 01\nh2 , 02 04 01\n",
       {},
       {},
       6,
       "t.gen, ligne 6 : génotype de 2 chiffres « 03 » : aucun génotype de ce fichier n'a plus de "
       "3 chiffres (données haploïdes, ou zéros de tête tous perdus ?) : un génotype s'écrit avec "
       "ses deux allèles, en 4 ou 6 chiffres."},
      {"every leading zero lost",
       "T\nL1\nL2\nPop\na, 101 202\nb, 5 303\n",
       {},
       {},
       5,
       "« 101 » : aucun génotype de ce fichier n'a plus de 3 chiffres"},
      {"numbers below 100, zeros of four digits around them",
       "T\nL1\nL2\nPop\na, 0000 0\nb, 000000 12\n",
       {},
       {},
       6,
       "« 12 » : aucun génotype de ce fichier n'a plus de 3 chiffres"},
      {"a Ctrl-Z between two files joined end to end",
       "T\nL1\nPop\na, 0101\n\x1aT2\nL1\nPop\nb, 0202\n",
       {},
       {},
       5,
       "t.gen, ligne 5 : caractère Ctrl-Z (fin de fichier) suivi de texte, qui ne serait pas lu : "
       "deux fichiers mis bout à bout ? Retirez ce caractère."},
      {"a Ctrl-Z with genotypes after it on its line",
       "T\nL1\nL2\nPop\na, 0101\x1a 0202\n",
       {},
       {},
       5,
       "caractère Ctrl-Z (fin de fichier) suivi de texte"},
      {"a Ctrl-Z in the locus list", "T\nL1\x1a\nPop\na, 0101\n", {}, {}, 2, "Ctrl-Z"},
      {"a Ctrl-Z in a file of lone CR line ends",
       "T\rL1\rPop\ra, 0101\r\r\x1a\rb, 0202\r",
       {},
       {},
       6,
       "Ctrl-Z"},
      {"six-digit genotypes among four-digit ones",
       "T\nL1\nL2\nPop\na, 0101 0202\nb, 100100 0202\n",
       {},
       {},
       6,
       "t.gen, ligne 6 : génotype de 6 chiffres « 100100 » parmi des génotypes de 4 chiffres : des "
       "zéros perdus ne se devinent pas."},
      {"a six-digit file whose zeros dropped to four digits",
       "T\nL1\nL2\nPop\na, 001002 100100\nb, 1002 099101\n",
       {},
       {},
       6,
       "génotype de 4 chiffres « 1002 » parmi des génotypes de 6 chiffres"},
      {"as many of each width: the later one",
       "T\nL1\nL2\nPop\na, 0101 100100\nb, 99101 0202\n",
       {},
       {},
       5,
       "génotype de 6 chiffres « 100100 » parmi des génotypes de 4 chiffres"},
      {"more genotypes than loci on an individual's line",
       "T\nL1\nL2\nPop\na, 0101 0202 0303\n",
       {},
       {},
       5,
       "t.gen, ligne 5 : « 0303 » après le dernier génotype de l'individu 1 (2 génotypes attendus, "
       "un par locus)."},
      {"a file without its title line: one genotype too many each",
       "L1\nL2\nPop\na, 0101 0202\n",
       {},
       {},
       4,
       "« 0202 » après le dernier génotype de l'individu 1 (1 génotype attendu, un par locus)."},
      {"text after the last genotype",
       "T\nL1\nPop\na, 0101 rest of line\n",
       {},
       {},
       4,
       "« rest » après le dernier génotype"},
      {"a long line without a comma is quoted cut",
       "T\nL\nPop\na, 0101\n" + longLine + "\n",
       {},
       {},
       5,
       "ligne sans virgule « xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx… »"},
  };
  for (const Case& c : cases) {
    for (const std::string& t : {c.text, CrLf(c.text)}) {
      SCOPED_TRACE(c.what);
      if (c.says == nullptr) {
        const Document doc = Read(t);
        std::vector<std::string> rows = RowTexts(doc);
        rows.erase(rows.begin(), rows.begin() + 2);
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(FirstRows(doc), c.firstRows);
        continue;
      }
      const Error e = ErrorOf([&] { Read(t); });
      EXPECT_EQ(e.kind(), ErrorKind::Input);
      EXPECT_EQ(e.line(), c.line);
      EXPECT_THAT(e.what(), HasSubstr(c.says));
      EXPECT_THAT(e.what(), HasSubstr(c.line == 0 ? "t.gen : " : "t.gen, ligne "));
      EXPECT_LT(std::string(e.what()).size(), 300u);
    }
  }
}

TEST(GenepopImport, GridRowsLimitTheIndividuals) {
  std::string text = "T\nL\nPop\n";
  for (int k = 1; k <= 65534; ++k) text += "a, 0101\n";
  EXPECT_EQ(Read(text).Cells.RowCount(), 65536);
  const Error e = ErrorOf([&] { Read(text + "a, 0101\n"); });
  EXPECT_EQ(e.kind(), ErrorKind::Capacity);
  EXPECT_EQ(e.line(), 65538);
  EXPECT_THAT(e.what(), HasSubstr("t.gen, ligne 65538 : trop d'individus"));
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
