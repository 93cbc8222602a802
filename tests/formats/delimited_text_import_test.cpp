// The delimited-text reader, its genotype fields and the dialog's preview rows.
#include "formats/delimited_text_import.h"

#include "formats/delimited_preview.h"
#include "formats/text_fields.h"
#include "import_test_util.h"

namespace relakin {
namespace {

using test::ErrorOf;
using test::FirstRows;
using test::PopNames;
using test::RowTexts;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

DelimitedTextOptions Options(const char* separator, int digits = 2, bool loci = true,
                             bool ind = true, bool pop = true) {
  return {separator, loci, ind, pop, static_cast<std::uint8_t>(digits)};
}

Document Read(const std::string& text, const DelimitedTextOptions& o) {
  std::istringstream in(text);
  return ReadDelimitedText(in, o, "t.txt");
}

TEST(DelimitedTextImport, WorkedExample) {
  const Document doc = Read("L1;L2\r\nP1;i1;0101;0203\r\n", Options(";"));
  EXPECT_THAT(RowTexts(doc),
              ElementsAre("||locus1|locus2", "||L1|L2", "Pop Ind1|i1|001001|002003"));
  EXPECT_EQ(doc.NbPops, 1);
  EXPECT_THAT(PopNames(doc), ElementsAre("P1"));
}

TEST(DelimitedTextImport, EachChangeOfIdentifierStartsAPopulation) {
  const Document doc = Read("L\nP1 a 11\nP1 b 11\nP2 c 11\nP1 d 11\np1 e 11\n", Options(" ", 1));
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 4, 5, 6));
  EXPECT_THAT(PopNames(doc), ElementsAre("P1", "P2", "P1", "p1"));
  EXPECT_EQ(doc.Cells.Cells(0, 3), "    Ind2");
  EXPECT_EQ(doc.Cells.Cells(0, 4), "Pop Ind3");
}

TEST(DelimitedTextImport, IdentityColumnsAndLocusLine) {
  struct Case {
    const char* what;
    DelimitedTextOptions o;
    std::string text;
    std::vector<std::string> rows;
    std::vector<std::string> popNames;
  };
  const Case cases[] = {
      {"no population column: one population with an empty name",
       Options(",", 2, true, true, false),
       "A,B\ni1,0101,0202\ni2,0303,0404\n",
       {"||locus1|locus2", "||A|B", "Pop Ind1|i1|001001|002002", "    Ind2|i2|003003|004004"},
       {""}},
      {"no individual column: the name column stays empty",
       Options(",", 2, true, false, true),
       "A,B\np,0101,0202\n",
       {"||locus1|locus2", "||A|B", "Pop Ind1||001001|002002"},
       {"p"}},
      {"no locus line: row 1 stays empty",
       Options(",", 2, false, true, true),
       "p,i1,0101\np,i2,0202\n",
       {"||locus1", "||", "Pop Ind1|i1|001001", "    Ind2|i2|002002"},
       {"p"}},
      {"no identity column at all",
       Options(",", 3, false, false, false),
       "101099,7\n",
       {"||locus1|locus2", "|||", "Pop Ind1||099101|007007"},
       {""}},
      {"blank and separator-only lines are no record",
       Options(";"),
       "\n  \nA;B\n\t\np;i1;0101;0202\n;;;\n ; ;\np;i2;0303;0404\n\r\n\r\n",
       {"||locus1|locus2", "||A|B", "Pop Ind1|i1|001001|002002", "    Ind2|i2|003003|004004"},
       {"p"}},
      {"runs of separators count as one",
       Options(" "),
       "  A   B\n p   i1  0101     0202   \n",
       {"||locus1|locus2", "||A|B", "Pop Ind1|i1|001001|002002"},
       {"p"}},
      {"a tab separator keeps blanks inside fields",
       Options("\t"),
       "Locus A\tLocus B\nPop 1\tInd one\t0101\t0202\n",
       {"||locus1|locus2", "||Locus A|Locus B", "Pop Ind1|Ind one|001001|002002"},
       {"Pop 1"}},
      {"shorter lines leave their last cells empty",
       Options(","),
       "A,B,C\np,i1,0101\np,i2,0101,0202,0303,0404\n",
       {"||locus1|locus2|locus3|locus4", "||A|B|C|", "Pop Ind1|i1|001001|||",
        "    Ind2|i2|001001|002002|003003|004004"},
       {"p"}},
      {"an empty separator: each line is one field, an identifier alone",
       Options(""),
       "A B\nP1 i1 0101\n",
       {"||locus1", "||A B", "Pop Ind1||"},
       {"P1 i1 0101"}},
      {"no line at all: one empty population", Options(";"), "", {"|", "|"}, {""}},
  };
  for (const Case& c : cases) {
    const Document doc = Read(c.text, c.o);
    EXPECT_EQ(RowTexts(doc), c.rows) << c.what;
    EXPECT_EQ(PopNames(doc), c.popNames) << c.what;
    EXPECT_EQ(doc.PopFirstRow[1], 2) << c.what;
  }
}

TEST(DelimitedTextImport, PopulationNamesKeepTwentyFiveCharacters) {
  const Document doc = Read("p123456789012345678901234567890;i;11\n", Options(";", 1, false));
  EXPECT_EQ(doc.PopNames[1], "p123456789012345678901234");
}

TEST(DelimitedTextImport, GenotypeFields) {
  struct Case {
    const char* text;
    int digits;
    const char* code;
  };
  const Case cases[] = {
      {"1203", 2, "003012"},   {"0000", 2, "000000"}, {"12", 2, "012012"},   {"123", 2, "012023"},
      {"101099", 3, "099101"}, {"12", 1, "001002"},   {"0", 1, "000000"},    {"0", 2, "000000"},
      {"000000", 3, "000000"}, {"1x2", 1, "001002"},  {" 1 2", 2, "001002"}, {"7", 3, "007007"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitGenotypeText(c.text, static_cast<std::uint8_t>(c.digits)), c.code) << c.text;
  for (const char* bad : {"a1", "1a", "-1", " ", "1 "}) {
    const Error e = ErrorOf([&] { SplitGenotypeText(bad, 1); });
    EXPECT_EQ(e.kind(), ErrorKind::Conversion) << bad;
  }
}

TEST(DelimitedTextImport, FailuresNameTheLine) {
  const Error letter = ErrorOf([] { Read("A;B\n\np;i;0101;01b1\n", Options(";")); });
  EXPECT_EQ(letter.kind(), ErrorKind::Conversion);
  EXPECT_EQ(letter.line(), 3);
  EXPECT_THAT(letter.what(), HasSubstr("t.txt, ligne 3 : « 01b1 »"));
  EXPECT_THAT(letter.what(), HasSubstr("locus 2"));

  EXPECT_THROW(Read("x", Options(";", 4)), std::invalid_argument);
  EXPECT_THROW(Read("x", Options(";;")), std::invalid_argument);
}

TEST(DelimitedTextImport, LinesOfWildlyUnequalLengthAreRefusedBeforeTheTableIsMade) {
  // 3000 locus names, then 3000 individuals with no genotype: 9 million cells from 18 kB.
  std::string text;
  for (int l = 1; l <= 3000; ++l) text += "L;";
  text += "\n";
  for (int k = 1; k <= 3000; ++k) text += "p;i\n";
  const Error e = ErrorOf([&] { Read(text, Options(";")); });
  EXPECT_EQ(e.kind(), ErrorKind::Capacity);
  EXPECT_THAT(e.what(), HasSubstr("3000 individus sur 3000 locus"));
}

TEST(DelimitedTextImport, FieldCutting) {
  EXPECT_THAT(CutFields(";;a;;b;c;", ";"), ElementsAre("a", "b", "c"));
  EXPECT_THAT(CutFields(" a ;b", ";"), ElementsAre(" a ", "b"));
  EXPECT_THAT(CutFields("a,b", ""), ElementsAre("a,b"));
  EXPECT_THAT(CutFields(";;;", ";"), ElementsAre());
  EXPECT_THAT(SplitTextLines("a\r\nb\rc\n\nd"), ElementsAre("a", "b", "c", "", "d"));
  EXPECT_THAT(SplitTextLines("a\n"), ElementsAre("a"));
}

TEST(DelimitedTextImport, PreviewShowsRawFields) {
  const std::string text = "L1,L2\n\n,p1,,i1,0101,0202\n";
  using Row = std::vector<std::string>;
  EXPECT_THAT(PreviewDelimitedText(text, ",", 2),
              ElementsAre(Row{"", "", "L1", "L2"}, Row{}, Row{"p1", "i1", "0101", "0202"}));
  EXPECT_THAT(PreviewDelimitedText(text, ",", 0),
              ElementsAre(Row{"L1", "L2"}, Row{}, Row{"p1", "i1", "0101", "0202"}));
  EXPECT_THAT(PreviewDelimitedText(text, "", 0),
              ElementsAre(Row{"L1,L2"}, Row{}, Row{",p1,,i1,0101,0202"}));
  EXPECT_THAT(RawLinePreview(text), ElementsAre(Row{"L1,L2"}, Row{""}, Row{",p1,,i1,0101,0202"}));
}

}  // namespace
}  // namespace relakin
