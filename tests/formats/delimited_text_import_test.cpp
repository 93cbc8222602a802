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
      {"an empty separator: each line is one genotype field",
       Options("", 2, false, false, false),
       "0101\n0202\n",
       {"||locus1", "||", "Pop Ind1||001001", "    Ind2||002002"},
       {""}},
  };
  for (const Case& c : cases) {
    const Document doc = Read(c.text, c.o);
    EXPECT_EQ(RowTexts(doc), c.rows) << c.what;
    EXPECT_EQ(PopNames(doc), c.popNames) << c.what;
    EXPECT_EQ(doc.PopFirstRow[1], 2) << c.what;
  }
}

// What reading a fixture must give: the table (rows as RowTexts gives them, population names,
// the one warning due if any), or the refusal (kind, line and part of the message).
struct Outcome {
  std::vector<std::string> rows;
  std::vector<std::string> popNames;
  const char* warning = nullptr;
  ErrorKind kind = ErrorKind::Input;
  int line = 0;
  const char* message = nullptr;
};

Outcome Reads(std::vector<std::string> rows, std::vector<std::string> popNames,
              const char* warning = nullptr) {
  return {std::move(rows), std::move(popNames), warning};
}

Outcome Refused(ErrorKind kind, int line, const char* message) {
  return {{}, {}, nullptr, kind, line, message};
}

// Files as spreadsheets and editors write them: each is read as it means, or refused naming
// the line where the reading went wrong.
TEST(DelimitedTextImport, ReadAsItMeansOrRefusedNamingTheLine) {
  struct Case {
    const char* what;
    DelimitedTextOptions o;
    std::string text;
    Outcome expected;
  };
  std::string tooManyLoci;
  for (int l = 0; l < 65535; ++l) tooManyLoci += "L;";
  const Case cases[] = {
      {"blanks around fields are trimmed", Options(";"),
       "L1 ; L2\nP1; i1; 0101; 1213\nP1;\ti2 \t;\t0101 ;1213\t\n",
       Reads(
           {"||locus1|locus2", "||L1|L2", "Pop Ind1|i1|001001|012013", "    Ind2|i2|001001|012013"},
           {"P1"})},
      {"a TAB separator trims blanks, and an empty field is a missing genotype", Options("\t"),
       "L1\tL2\n P1 \t i 1 \t 0101 \t0202\nP1\ti2\t\t0303\nP1\ti3\t \t0303\n",
       Reads({"||locus1|locus2", "||L1|L2", "Pop Ind1|i 1|001001|002002",
              "    Ind2|i2|000000|003003", "    Ind3|i3|000000|003003"},
             {"P1"})},
      {"an empty field between two separators is a missing genotype in its own column",
       Options(";"), "L1;L2;L3\nP1;i1;0101;;0303\nP1;i2;0101; ;0303\n",
       Reads({"||locus1|locus2|locus3", "||L1|L2|L3", "Pop Ind1|i1|001001|000000|003003",
              "    Ind2|i2|001001|000000|003003"},
             {"P1"})},
      {"a separator at the end: the empty last field is a missing genotype where it fits",
       Options(";"), "L1;L2\na;b;0101;\na;c;0101;0202;\n",
       Reads({"||locus1|locus2", "||L1|L2", "Pop Ind1|b|001001|000000", "    Ind2|c|001001|002002"},
             {"a"})},
      {"rows padded with empty cells, the locus line too", Options(","),
       "L1,L2,,\np,i1,0101,0202,,\np,i2,0303,,,\n",
       Reads(
           {"||locus1|locus2", "||L1|L2", "Pop Ind1|i1|001001|002002", "    Ind2|i2|003003|000000"},
           {"p"})},
      {"no locus line: the widest individual, padding off, gives the count", Options(";", 2, false),
       "P;i1;0101;;\nP;i2;0303;0404;;\n",
       Reads({"||locus1|locus2", "|||", "Pop Ind1|i1|001001|000000", "    Ind2|i2|003003|004004"},
             {"P"})},
      {"genotypes whose leading zeros a spreadsheet dropped", Options(";", 3, false),
       "P;i1;99101;1002;7\nP;i2;0;100100;12345\n",
       Reads({"||locus1|locus2|locus3", "||||", "Pop Ind1|i1|099101|001002|007007",
              "    Ind2|i2|000000|100100|012345"},
             {"P"})},
      {"a byte order mark is no part of the first locus name", Options(";"),
       "\xEF\xBB\xBFL1;L2\nP;i;0101;0202\n",
       Reads({"||locus1|locus2", "||L1|L2", "Pop Ind1|i|001001|002002"}, {"P"})},
      {"a Ctrl-Z right after the last field ends the file", Options(";"),
       "L1;L2\r\nP;i;0101;0708\x1a",
       Reads({"||locus1|locus2", "||L1|L2", "Pop Ind1|i|001001|007008"}, {"P"})},
      {"a Ctrl-Z on a line of its own, line ends, blanks and Ctrl-Z after it", Options("\t"),
       "L1\nP\ti\t0101\n\x1a\r\n \t\x1a\x1a\n",
       Reads({"||locus1", "||L1", "Pop Ind1|i|001001"}, {"P"})},
      {"UTF-8 names after a byte order mark are put into the code page", Options(";", 2, false),
       "\xEF\xBB\xBF"
       "B\xC3\xA9lier;B\xC3\xA9lier 1;0101\n",
       Reads({"||locus1", "||", "Pop Ind1|B\xE9lier 1|001001"}, {"B\xE9lier"})},

      {"more genotype fields than loci", Options(";"),
       "L1;L2\nP1;i1;0101;0202\nP1;i2;0101;0202;0303\n",
       Refused(ErrorKind::Input, 3, "t.txt, ligne 3 : 3 génotypes trouvés, 2 attendus.")},
      {"fewer genotype fields than loci", Options(";"), "L1;L2\n\nP1;i1;0101\n",
       Refused(ErrorKind::Input, 3, "t.txt, ligne 3 : 1 génotype trouvé, 2 attendus.")},
      {"a heading over every column", Options(";"), "Pop;Ind;L1;L2\nP1;i1;0101;0202\n",
       Refused(ErrorKind::Input, 2,
               "t.txt, ligne 2 : 2 génotypes trouvés, 4 attendus ; la ligne 1 ne doit nommer que "
               "les locus, sans les colonnes d'identifiants.")},
      {"a heading over every column with one identity column", Options(";", 2, true, false, true),
       "Site;L1;L2\nP1;0101;0202\n",
       Refused(ErrorKind::Input, 2,
               "ligne 2 : 2 génotypes trouvés, 3 attendus ; la ligne 1 ne doit nommer que")},
      {"locus names whose individuals lack two genotypes are no heading", Options(";"),
       "L1;L2;L3;L4\nP1;i1;0101;0202\n",
       Refused(ErrorKind::Input, 2, "ligne 2 : 2 génotypes trouvés, 4 attendus ; la ligne 1")},
      {"a filled field past the padding", Options(";"), "L1;L2\nP;i;0101;0202;;0303\n",
       Refused(ErrorKind::Input, 2, "ligne 2 : 4 génotypes trouvés, 2 attendus.")},
      {"a blank inside a name with the blank as separator", Options(" "),
       "L1 L2\nP1 i 1 0102 0304\n",
       Refused(ErrorKind::Input, 2, "ligne 2 : 3 génotypes trouvés, 2 attendus.")},
      {"no locus line: a line short of the widest one's genotypes", Options(";", 2, false),
       "p;i;0101\np;j;0101;0202\n",
       Refused(ErrorKind::Input, 1,
               "ligne 1 : 1 génotype trouvé, 2 attendus (la ligne 2 en porte 2).")},
      {"digits between the alleles would be lost", Options(";", 2, false), "p;i;010203\n",
       Refused(ErrorKind::Conversion, 1,
               "ligne 1 : « 010203 » n'est pas un génotype valide (locus 1).")},
      {"no locus line and no genotype on the first individual", Options(";", 2, false),
       "p;i\np;j;0101\n",
       Refused(ErrorKind::Input, 1,
               "t.txt, ligne 1 : aucun génotype trouvé, 1 attendu (la ligne 2 en porte 1).")},
      {"no locus line and no genotype at all", Options(";", 2, false), "p;i\np;j\n",
       Refused(ErrorKind::Input, 1, "t.txt, ligne 1 : aucun génotype trouvé.")},
      {"an empty population field", Options(";"), "L1\n;i1;0101\n",
       Refused(ErrorKind::Input, 2, "t.txt, ligne 2 : identifiant de population absent.")},
      {"an empty name field", Options(";"), "L1\nP1;i1;0101\nP1; ;0101\n",
       Refused(ErrorKind::Input, 3, "t.txt, ligne 3 : nom de l'individu absent.")},
      {"an empty name field without a population column", Options(";", 2, true, true, false),
       "L1\n;0101\n", Refused(ErrorKind::Input, 2, "ligne 2 : nom de l'individu absent.")},
      {"an empty separator with identity columns: no field past the identifier", Options(""),
       "A B\nP1 i1 0101\n", Refused(ErrorKind::Input, 2, "ligne 2 : nom de l'individu absent.")},
      {"an empty separator without a locus line", Options("", 2, false, false, true), "P1 0101\n",
       Refused(ErrorKind::Input, 1, "ligne 1 : aucun génotype trouvé.")},
      {"a bad genotype comes after the counts of the lines before it", Options(";"),
       "L1;L2\nP;i;0101;x\nP;j;0101\n",
       Refused(ErrorKind::Conversion, 2,
               "ligne 2 : « x » n'est pas un génotype valide (locus 2).")},
      {"a Ctrl-Z followed by text: two files joined end to end", Options(";"),
       "L1\nP;i;0101\n\x1aL1\nP;j;0202\n",
       Refused(ErrorKind::Input, 3,
               "t.txt, ligne 3 : caractère Ctrl-Z (fin de fichier) suivi de texte, qui ne serait "
               "pas lu : deux fichiers mis bout à bout ? Retirez ce caractère.")},
      {"a Ctrl-Z inside a field", Options(";"), "L1;L2\nP;i;07\x1a" "08;0101\n",
       Refused(ErrorKind::Input, 2, "t.txt, ligne 2 : caractère Ctrl-Z (fin de fichier) suivi")},
      {"a control character in a genotype is named", Options(";"), "L1;L2\nP;i;0101;07\x01\n",
       Refused(ErrorKind::Conversion, 2,
               "ligne 2 : « 07[Ctrl-A] » n'est pas un génotype valide (locus 2).")},
      {"a TAB in a genotype is named", Options(";"), "L1\nP;i;0\t7\n",
       Refused(ErrorKind::Conversion, 2, "ligne 2 : « 0[TAB]7 » n'est pas un génotype valide")},
      {"more loci than columns", Options(";"), tooManyLoci + "\nP;i;0101\n",
       Refused(ErrorKind::Capacity, 1, "t.txt, ligne 1 : trop de champs : 65534 locus au plus.")},
      {"no line at all", Options(";"), "",
       Refused(ErrorKind::Input, 0, "t.txt : aucun individu : ce fichier n'a rien à importer.")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome& x = c.expected;
    std::istringstream in(c.text);
    ImportWarnings warnings;
    if (x.message) {
      const Error e = ErrorOf([&] { ReadDelimitedText(in, c.o, "t.txt", &warnings); });
      EXPECT_EQ(e.kind(), x.kind);
      EXPECT_EQ(e.line(), x.line);
      EXPECT_THAT(e.what(), HasSubstr(x.message));
      continue;
    }
    const Document doc = ReadDelimitedText(in, c.o, "t.txt", &warnings);
    EXPECT_EQ(RowTexts(doc), x.rows);
    EXPECT_EQ(PopNames(doc), x.popNames);
    if (x.warning) {
      ASSERT_EQ(warnings.size(), 1u);
      EXPECT_THAT(warnings[0], HasSubstr(x.warning));
    } else {
      EXPECT_THAT(warnings, ElementsAre());
    }
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
      {"1203", 2, "003012"},    {"0000", 2, "000000"},   {"12", 2, "012012"},
      {"123", 2, "001023"},     {"101099", 3, "099101"}, {"12", 1, "001002"},
      {"0", 1, "000000"},       {"0", 2, "000000"},      {"000000", 3, "000000"},
      {"1x2", 1, "001002"},     {" 1 2", 2, "001002"},   {"7", 3, "007007"},
      {"99101", 3, "099101"},   {"1002", 3, "001002"},   {"01/02", 2, "001002"},
      {"01 - 02", 2, "001002"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitGenotypeText(c.text, static_cast<std::uint8_t>(c.digits)), c.code) << c.text;
  const struct {
    const char* text;
    int digits;
  } bad[] = {{"a1", 1},  {"1a", 1},    {"-1", 1},     {" ", 1},       {"1 ", 1},
             {"123", 1}, {"01203", 2}, {"0102/3", 2}, {"1000100", 3}, {"0101010", 3}};
  for (const auto& b : bad) {
    const Error e =
        ErrorOf([&] { SplitGenotypeText(b.text, static_cast<std::uint8_t>(b.digits)); });
    EXPECT_EQ(e.kind(), ErrorKind::Conversion) << b.text;
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
  EXPECT_EQ(e.kind(), ErrorKind::Input);
  EXPECT_EQ(e.line(), 2);
  EXPECT_THAT(e.what(), HasSubstr("aucun génotype trouvé, 3000 attendus"));
}

TEST(DelimitedTextImport, FieldCutting) {
  struct Case {
    const char* line;
    const char* S;
    std::vector<std::string_view> fields;
  };
  const Case cases[] = {
      {";;a;;b;c;", ";", {"", "", "a", "", "b", "c", ""}},
      {" a ;\tb\t; ", ";", {"a", "b", ""}},
      {";;;", ";", {"", "", "", ""}},
      {" a b \t\t c ", "\t", {"a b", "", "c"}},
      {"  a  b\tc  ", " ", {"a", "b\tc"}},
      {"   ", " ", {}},
      {"a,b", "", {"a,b"}},
      {"", ";", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(CutFields(c.line, c.S), c.fields) << c.line;
  EXPECT_THAT(SplitTextLines("a\r\nb\rc\n\nd"), ElementsAre("a", "b", "c", "", "d"));
  EXPECT_THAT(SplitTextLines("a\n"), ElementsAre("a"));
}

TEST(DelimitedTextImport, PreviewShowsTheFieldsAsTheImportCutsThem) {
  const std::string text = "L1,L2\n\np1, i1 ,,0202\n";
  using Row = std::vector<std::string>;
  EXPECT_THAT(PreviewDelimitedText(text, ",", 2),
              ElementsAre(Row{"", "", "L1", "L2"}, Row{}, Row{"p1", "i1", "", "0202"}));
  EXPECT_THAT(PreviewDelimitedText(text, ",", 0),
              ElementsAre(Row{"L1", "L2"}, Row{}, Row{"p1", "i1", "", "0202"}));
  EXPECT_THAT(PreviewDelimitedText(text, "", 0),
              ElementsAre(Row{"L1,L2"}, Row{}, Row{"p1, i1 ,,0202"}));
  EXPECT_THAT(RawLinePreview(text), ElementsAre(Row{"L1,L2"}, Row{""}, Row{"p1, i1 ,,0202"}));

  // A Ctrl-Z that ends the file is no part of the last field; one followed by text is shown, and
  // the import refuses it.
  EXPECT_THAT(PreviewDelimitedText("L\np;i;0708\x1a\r\n", ";", 2),
              ElementsAre(Row{"", "", "L"}, Row{"p", "i", "0708"}));
  EXPECT_THAT(RawLinePreview("L\np;i;0708\x1a"), ElementsAre(Row{"L"}, Row{"p;i;0708"}));
  EXPECT_THAT(RawLinePreview("L\x1aM"), ElementsAre(Row{"L\x1aM"}));
}

}  // namespace
}  // namespace relakin
