// The FSTAT reader.
#include "formats/fstat_import.h"

#include <cstring>

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
  return ReadFstatFile(in, "t.dat");
}

TEST(FstatImport, ReadsTheLayout) {
  const Document doc =
      Read("7 2 12 2 rest\r\nloc one\r\n  loc 2 \r\n1 0101 1203 \t\r\n1\t1200\t0\r\n3 0 0\r\n");
  EXPECT_THAT(RowTexts(doc),
              ElementsAre("||locus1|locus2", "||loc one|  loc 2 ", "Pop Ind1|1|001001|003012",
                          "    Ind2|1|012000|000000", "Pop Ind3|3|000000|000000"));
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 4));
  EXPECT_THAT(PopNames(doc), ElementsAre("Population 1", "Population 2"));
}

// Zeros alone are missing at any width.
TEST(FstatImport, DigitsPerAlleleSplitTheGenotypeNumber) {
  struct Case {
    int nd;
    const char* g;
    const char* code;
  };
  const Case cases[] = {
      {1, "12", "001002"},     {2, "1203", "003012"},   {2, "1200", "012000"},
      {3, "101099", "099101"}, {1, "0", "000000"},      {2, "0", "000000"},
      {3, "0", "000000"},      {4, "1203", "003012"},   {0, "0512", "005012"},
      {3, "7", "000007"},      {2, "+0304", "003004"},  {1, "99", "009009"},
      {2, "9999", "099099"},   {3, "999999", "999999"}, {7, "0099", "000099"},
      {2, "000000", "000000"}, {1, "000", "000000"},    {3, "0000000000", "000000"},
      {2, "+00000", "000000"},
  };
  for (const Case& c : cases) {
    const Document doc = Read("1 1 99 " + std::to_string(c.nd) + "\nL\n1 " + c.g + "\n");
    EXPECT_EQ(doc.Cells.Cells(2, 2), c.code) << "nd " << c.nd << ", " << c.g;
  }
}

// Names made of numbers, and a header after blank lines, read as before: only a name line with
// exactly an individual line's numbers is taken for one.
TEST(FstatImport, LocusNamesAreTakenForIndividualsOnlyWithTheirShape) {
  struct Case {
    const char* what;
    std::string text;
    const char* names;
  };
  const Case cases[] = {
      {"numbers as names", "1 2 9 2\n12\n13\n1 0101 0202\n", "||12|13"},
      {"one number short of an individual", "1 2 9 2\n1 0101\nL2\n1 0101 0202\n", "||1 0101|L2"},
      {"one number too many", "1 2 9 2\n1 0101 0202 0303\nL2\n1 0101 0202\n",
       "||1 0101 0202 0303|L2"},
      {"a word among the numbers", "1 2 9 2\n1 0101 x\nL2\n1 0101 0202\n", "||1 0101 x|L2"},
      {"blank lines before the header", "\r\n \r\n1 2 9 2\r\nL1\r\nL2\r\n1 0101 0202\r\n",
       "||L1|L2"},
  };
  for (const Case& c : cases) {
    const Document doc = Read(c.text);
    EXPECT_EQ(RowTexts(doc)[1], c.names) << c.what;
    EXPECT_EQ(RowTexts(doc)[2], "Pop Ind1|1|001001|002002") << c.what;
  }
}

TEST(FstatImport, PopulationsComeFromTheIndividualLines) {
  // np says 1; the lines give three populations, the second run of 1 a population of its own.
  const Document doc = Read("1 1 9 1\nL\n1 11\n1 11\n2 11\n2 11\n1 11\n");
  EXPECT_EQ(doc.NbPops, 3);
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 4, 6));
  EXPECT_THAT(PopNames(doc), ElementsAre("Population 1", "Population 2", "Population 3"));
}

TEST(FstatImport, TheFirstIndividualAlwaysStartsPopulationOne) {
  const Document doc = Read("1 1 9 1\nL\n65500 11\n65500 11\n");
  EXPECT_EQ(doc.Cells.Cells(0, 2), "Pop Ind1");
  EXPECT_EQ(doc.Cells.Cells(1, 2), "65500");
  EXPECT_THAT(FirstRows(doc), ElementsAre(2));
}

TEST(FstatImport, BlankTextAfterTheLastIndividualAddsNobody) {
  for (const char* tail : {"", "\n", "\r\n\r\n", "   \n\t\n  "}) {
    const Document doc = Read(std::string("1 1 9 1\nL\n1 11\n2 12") + tail);
    EXPECT_EQ(doc.Cells.RowCount(), 4) << "tail of " << std::strlen(tail) << " bytes";
    EXPECT_EQ(doc.NbPops, 2);
  }
}

TEST(FstatImport, FailuresNameTheLine) {
  struct Case {
    const char* what;
    std::string text;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"fewer locus names than loci", "1 3 9 2\nL1\nL2\n", 4, "nom du locus 3"},
      {"a last line with fewer genotypes than loci", "1 2 9 2\nL1\nL2\n1 0101\n", 4,
       "la ligne se termine avant le génotype du locus 2 de l'individu 1"},
      {"a short line in mid-file never takes the next line's population as a genotype",
       "1 2 9 2\nL1\nL2\n1 0101\n2 0202 0303\n", 4,
       "la ligne se termine avant le génotype du locus 2 de l'individu 1"},
      {"more genotypes than loci on a line", "1 2 9 2\nL1\nL2\n1 0101 0202 0303\n", 4,
       "« 0303 » après le dernier génotype de l'individu 1 (2 génotypes attendus, un par locus)."},
      {"text after the last genotype", "1 1 9 2\nL1\n1 0101\n2 0202 rest\n", 4,
       "« rest » après le dernier génotype de l'individu 2 (1 génotype attendu"},
      {"a locus count beyond 16 bits", "1 65536 9 2\n", 1, "nombre de locus"},
      {"a header cut short", "1 2\n", 1, "l'en-tête"},
      {"line 1 without its four numbers, locus names after it", "3 2 15\n12\n13\n1 0101 0202\n", 1,
       "t.dat, ligne 1 : l'en-tête n'a que 3 nombres sur sa ligne, 4 attendus : échantillons, "
       "locus, plus grand allèle, chiffres par allèle."},
      {"one number on line 1", "3\r\n2 9 2\r\nL1\r\nL2\r\n1 0101 0202\r\n", 1,
       "l'en-tête n'a que 1 nombre sur sa ligne, 4 attendus"},
      {"the header after a blank line, without its digits", "\n1 1 9\nL\n1 0101\n", 2,
       "t.dat, ligne 2 : l'en-tête n'a que 3 nombres"},
      {"locus names on one line", "1 3 9 2\nLoc1 Loc2 Loc3\n1 0101 0202 0303\n2 0101 0202 0303\n",
       3,
       "t.dat, ligne 3 : « 1 0101 0202 0303 » a la forme d'une ligne d'individu, pas d'un nom de "
       "locus : l'en-tête (ligne 1) annonce 3 locus, un nom par ligne."},
      {"an individual line among the names, TABs and CR LF",
       "1 2 9 2\r\nL1\r\n1\t0101\t0202 \r\n1\t0101\t0202\r\n", 3,
       "a la forme d'une ligne d'individu"},
      {"names on one line after a blank line before the header",
       "\n1 2 9 2\nLoc1 Loc2\n1 0101 0202\n", 4, "l'en-tête (ligne 2) annonce 2 locus"},
      {"a population number beyond 16 bits", "1 1 9 2\nL\n65536 0101\n", 3, "numéro de population"},
      {"a genotype that is not a number", "1 1 9 2\nL\n1 01o1\n", 3, "01o1"},
      {"a negative genotype", "1 1 9 2\nL\n1 -101\n", 3, "-101"},
      {"an allele beyond 16 bits", "1 1 9 2\nL\n1 6553600\n", 3, "génotype « 6553600 » trop long"},
      {"5 digits with 2 per allele", "1 1 9 2\nL\n1 12345\n", 3,
       "t.dat, ligne 3 : génotype « 12345 » trop long au locus 1 de l'individu 1 : 4 chiffres au "
       "plus (2 par allèle)."},
      {"3 digits with 1 per allele, at locus 2 of individual 2",
       "1 2 9 1\nL1\nL2\n1 12 34\n1 12 345\n", 5,
       "génotype « 345 » trop long au locus 2 de l'individu 2 : 2 chiffres au plus (1 par "
       "allèle)."},
      {"an allele of 5 digits with 1 per allele", "1 1 9 1\nL\n1 655359\n", 3,
       "génotype « 655359 » trop long au locus 1 de l'individu 1 : 2 chiffres au plus"},
      {"7 digits with 3 per allele", "1 1 9 3\nL\n1 1001002\n", 3,
       "génotype « 1001002 » trop long au locus 1 de l'individu 1 : 6 chiffres au plus (3 par "
       "allèle)."},
      {"leading zeros count", "1 1 9 2\nL\n1 001203\n", 3, "« 001203 » trop long"},
      {"zeros then alleles, wider than the format", "1 1 9 2\nL\n1 000102\n", 3,
       "« 000102 » trop long"},
      {"an nd the split takes as 2", "1 1 9 4\nL\n1 12341234\n", 3,
       "4 chiffres au plus (2 par allèle)."},
  };
  for (const Case& c : cases) {
    const Error e = ErrorOf([&] { Read(c.text); });
    EXPECT_EQ(e.kind(), ErrorKind::Input) << c.what;
    EXPECT_EQ(e.line(), c.line) << c.what;
    EXPECT_THAT(e.what(), HasSubstr(c.says)) << c.what;
  }
}

TEST(FstatImport, ManyLociAndPopulationsAreReadInFull) {
  std::string text = "300 300 9 1\n";
  for (int l = 1; l <= 300; ++l) {
    text += 'L';  // appended bit by bit: GCC 12 warns about "L" + std::to_string(l)
    text += std::to_string(l);
    text += '\n';
  }
  for (int p = 1; p <= 300; ++p) {
    text += std::to_string(p);
    for (int l = 1; l <= 300; ++l) text += " 12";
    text += "\n";
  }
  const Document doc = Read(text);
  EXPECT_EQ(doc.Cells.ColCount(), 302);
  EXPECT_EQ(doc.Cells.RowCount(), 302);
  EXPECT_EQ(doc.NbPops, 300);
  EXPECT_EQ(doc.Cells.Cells(301, 1), "L300");
  EXPECT_EQ(doc.Cells.Cells(301, 301), "001002");
  EXPECT_EQ(doc.PopNames[300], "Population 300");
}

TEST(FstatImport, NancycatsIsReadCompletely) {
  const Document doc = ReadFstatFile(test::FormatsData("nancycats.dat"));
  EXPECT_EQ(doc.Cells.RowCount(), 237 + 2);
  EXPECT_EQ(doc.Cells.ColCount(), 9 + 2);
  EXPECT_EQ(doc.NbPops, 17);
  EXPECT_EQ(doc.Cells.Cells(2, 1), "fca8");
  EXPECT_EQ(doc.Cells.Cells(10, 1), "fca37");
  EXPECT_THAT(RowTexts(doc)[2],
              "Pop Ind1|1|000000|004009|004004|001003|009009|003006|009009|"
              "008008|010010");
  // The last line has no line end.
  EXPECT_THAT(RowTexts(doc)[238],
              "    Ind237|17|009012|002009|002004|000000|006009|003007|008008|000000|010010");
}

}  // namespace
}  // namespace relakin
