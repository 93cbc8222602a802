// The native genotype file as text: the writer's bytes, the reader's table, and round trips.
#include "core/native_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bounded_child.h"
#include "core/errors.h"
#include "table_builder.h"

namespace relakin {
namespace {

using test::CrLf;
using test::MakeDoc;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kGolden = std::string(RELAKIN_TEST_DATA) + "/core/worked_example.bvt";

Document WorkedExample() {
  return MakeDoc({"Loc A", "Loc B"},
                 {{"North", {{"Ind01", {"101105", "210210"}}, {"Ind02", {"", "210210"}}}}});
}

std::string Text(Document doc) {
  SilentMessages quiet;
  return NativeFileText(doc, quiet);
}

TEST(NativeFile, WorkedExampleIsWrittenByteForByte) {
  Document doc = WorkedExample();
  EXPECT_EQ(Text(doc), test::ReadBytes(kGolden));
}

TEST(NativeFile, WorkedExampleReadsBack) {
  const Document doc = ReadNativeFile(kGolden);
  ASSERT_EQ(doc.Cells.ColCount(), 4);
  ASSERT_EQ(doc.Cells.RowCount(), 4);
  EXPECT_EQ(doc.Cells.Cells(2, 0), "locus1");
  EXPECT_EQ(doc.Cells.Cells(3, 0), "locus2");
  EXPECT_EQ(doc.Cells.Cells(2, 1), "Loc A");
  EXPECT_EQ(doc.Cells.Cells(3, 1), "Loc B");
  EXPECT_EQ(doc.Cells.Cells(0, 2), "Pop Ind1");
  EXPECT_EQ(doc.Cells.Cells(0, 3), "    Ind2");
  EXPECT_EQ(doc.Cells.Cells(1, 2), "     Ind01");
  EXPECT_EQ(doc.Cells.Cells(1, 3), "     Ind02");
  EXPECT_EQ(doc.Cells.Cells(2, 2), "101105");
  EXPECT_EQ(doc.Cells.Cells(3, 2), "210210");
  EXPECT_EQ(doc.Cells.Cells(2, 3), "000000");
  EXPECT_EQ(doc.Cells.Cells(3, 3), "210210");
  EXPECT_EQ(doc.NbPops, 1);
  EXPECT_EQ(doc.PopFirstRow[1], 2);
  EXPECT_EQ(doc.PopNames[1], "North");
  EXPECT_TRUE(doc.CurrentFileName.empty());
  EXPECT_FALSE(doc.AnalysisFileReady);
}

TEST(NativeFile, LfAndCrLfFilesReadAlike) {
  std::string lf = test::ReadBytes(kGolden);
  std::erase(lf, '\r');
  const Document a = ReadNativeFile(kGolden);
  Document b = ReadNativeText(lf);
  EXPECT_EQ(a.Cells, b.Cells);
  EXPECT_EQ(a.PopNames, b.PopNames);
  // An editor's byte order mark is no part of line 1.
  const Document c = ReadNativeText("\xEF\xBB\xBF" + test::ReadBytes(kGolden));
  EXPECT_EQ(a.Cells, c.Cells);
  b.CurrentFileName = "Untitled";
  EXPECT_EQ(Text(b), test::ReadBytes(kGolden));  // CR LF always written
}

// Writer cases: a table and the exact text it saves to.
struct WriteCase {
  const char* what;
  Document doc;
  std::string text;
  // Reads back to a table that saves to the same bytes (an unsorted genotype or an empty last
  // row does not: the reader puts alleles smaller first and drops rows without data).
  bool stable = true;
};

std::vector<WriteCase> WriteCases() {
  std::vector<WriteCase> cases;
  cases.push_back({"empty locus column between two used ones",
                   MakeDoc({"A", "B", "C"}, {{"P", {{"i1", {"101101", "", "303305"}}}}}),
                   CrLf({"2 Untitled", "1  nombre de pop", "A", "1 101 ", "C", "2 303 305 ", "P",
                         "1", "        i1 101101 303305"},
                        false)});
  cases.push_back({"population whose marked row is empty",
                   MakeDoc({"A"}, {{"P", {{"i1", {"101101"}}}},
                                   {"Q", {{"", {""}}, {"i3", {"102102"}}, {"i4", {"101102"}}}}}),
                   CrLf({"1 Untitled", "2  nombre de pop", "A", "2 101 102 ", "P", "1",
                         "        i1 101101", "Q", "2", "        i3 102102", "        i4 101102"},
                        false)});
  cases.push_back({"population without data rows, last grid row empty",
                   MakeDoc({"A"}, {{"P", {{"i1", {"101101"}}}}, {"Empty", {{"", {}}, {" ", {}}}}}),
                   CrLf({"1 Untitled", "2  nombre de pop", "A", "1 101 ", "P", "1",
                         "        i1 101101", "Empty", "0"},
                        true)});
  cases.push_back(
      {"last grid row empty after a data row",
       MakeDoc({"A"}, {{"P", {{"i1", {"101101"}}, {"", {}}}}}),
       CrLf({"1 Untitled", "1  nombre de pop", "A", "1 101 ", "P", "1", "        i1 101101"}, true),
       false});
  cases.push_back(
      {"names cut to 10 and right-justified, population name cut to 25",
       MakeDoc({"A"}, {{"A population name of 30 chars",
                        {{"Abcdefghijkl", {"101101"}}, {"Abc", {"101101"}}}}}),
       CrLf({"1 Untitled", "1  nombre de pop", "A", "1 101 ", "A population name of 30 c", "2",
             "Abcdefghij 101101", "       Abc 101101"},
            false)});
  cases.push_back(
      {"genotypes as normalised, in the order typed",
       MakeDoc({"A"}, {{"P", {{"a", {"105101"}}, {"b", {"101000"}}, {"c", {" 12 345 "}}}}}),
       CrLf({"1 Untitled", "1  nombre de pop", "A", "4 101 105 120 345 ", "P", "3",
             "         a 105101", "         b 000000", "         c 120345"},
            false),
       false});
  cases.push_back({"locus without complete genotype",
                   MakeDoc({"A", "B"}, {{"P", {{"a", {"101000", "202202"}}}}}),
                   CrLf({"2 Untitled", "1  nombre de pop", "A", "0 ", "B", "1 202 ", "P", "1",
                         "         a 000000 202202"},
                        false)});
  cases.push_back(
      {"no used locus: only name fields",
       MakeDoc({"A", "B"}, {{"P", {{"a", {}}, {"b", {"", " "}}}}}),
       CrLf({"0 Untitled", "1  nombre de pop", "P", "2", "         a", "         b"}, false)});
  cases.push_back(
      {"no population", MakeDoc({"A"}, {}), CrLf({"0 Untitled", "0  nombre de pop"}, true)});
  cases.push_back({"unnamed locus gets its default name",
                   MakeDoc({"A", ""}, {{"P", {{"a", {"101101", "202202"}}}}}),
                   CrLf({"2 Untitled", "1  nombre de pop", "A", "1 101 ", "Locus 2", "1 202 ", "P",
                         "1", "         a 101101 202202"},
                        false)});
  cases.push_back({"file name outside the code page or with control characters",
                   MakeDoc({"A"}, {{"P", {{"a", {"101101"}}}}}, "/d/\xce\xa9-cr\r\nt\tb\x7f.bvt"),
                   CrLf({"1 /d/?-cr  t b .bvt", "1  nombre de pop", "A", "1 101 ", "P", "1",
                         "         a 101101"},
                        false)});
  cases.push_back({"file name in the code page",
                   MakeDoc({}, {},
                           "/d/donn\xc3\xa9"
                           "es.bvt"),
                   CrLf({"0 /d/donn\xe9"
                         "es.bvt",
                         "0  nombre de pop"},
                        true)});
  return cases;
}

TEST(NativeFile, WritesEveryLayoutCase) {
  for (WriteCase& c : WriteCases()) EXPECT_EQ(Text(c.doc), c.text) << c.what;
}

// Line 1 aside (the header holds the converted name), a save of what was read gives the same
// bytes; after one more trip every table is stable.
TEST(NativeFile, EveryWrittenCaseReadsBackAndSavesAgain) {
  auto trip = [](const std::string& text, const std::string& name) {
    Document back = ReadNativeText(text);
    back.CurrentFileName = name;
    return Text(back);
  };
  auto body = [](const std::string& text) { return text.substr(text.find('\n')); };
  for (WriteCase& c : WriteCases()) {
    const std::string once = trip(c.text, c.doc.CurrentFileName);
    if (c.stable) {
      EXPECT_EQ(body(once), body(c.text)) << c.what;
    }
    EXPECT_EQ(trip(once, c.doc.CurrentFileName), once) << c.what;
  }
}

TEST(NativeFile, RoundTripKeepsDataRowsPopulationsAndNormalisedGenotypes) {
  Document doc = MakeDoc(
      {"A", "", "C"},
      {{"North",
        {{"Ind01", {"105101", "", "   "}}, {"", {}}, {"Ind0000003x", {"101000", "", "300302"}}}},
       {"South", {{"", {"", "", "302302"}}}}});
  const Document back = ReadNativeText(Text(doc));
  ASSERT_EQ(back.Cells.ColCount(), 4);  // the empty locus column is gone
  ASSERT_EQ(back.Cells.RowCount(), 5);  // the empty row is gone
  EXPECT_EQ(back.Cells.Cells(2, 1), "A");
  EXPECT_EQ(back.Cells.Cells(3, 1), "C");
  EXPECT_EQ(back.Cells.Cells(1, 2), "     Ind01");
  EXPECT_EQ(back.Cells.Cells(1, 3), "Ind0000003");
  EXPECT_EQ(back.Cells.Cells(1, 4), "          ");
  EXPECT_EQ(back.Cells.Cells(2, 2), "101105");  // read back smaller first
  EXPECT_EQ(back.Cells.Cells(3, 2), "000000");  // a blank cell is missing
  EXPECT_EQ(back.Cells.Cells(2, 3), "000000");
  EXPECT_EQ(back.Cells.Cells(3, 3), "300302");
  EXPECT_EQ(back.Cells.Cells(3, 4), "302302");
  EXPECT_THAT(std::vector<std::string>(
                  {back.Cells.Cells(0, 2), back.Cells.Cells(0, 3), back.Cells.Cells(0, 4)}),
              ElementsAre("Pop Ind1", "    Ind2", "Pop Ind3"));
  EXPECT_EQ(back.NbPops, 2);
  EXPECT_THAT(back.PopFirstRow, ElementsAre(0, 2, 4));
  EXPECT_THAT(back.PopNames, ElementsAre("", "North", "South"));
}

TEST(NativeFile, WriterGrowsPopNamesAndLeavesTheGridAlone) {
  Document doc = MakeDoc({"A"}, {{"P", {{"a", {"101101"}}}}, {"Q", {{"b", {"102102"}}}}});
  doc.PopNames.resize(2);  // population 2 has no name entry
  const GenotypeTable before = doc.Cells;
  EXPECT_THAT(Text(doc), HasSubstr("\r\n\r\n1\r\n         b 102102"));
  SilentMessages quiet;
  NativeFileText(doc, quiet);
  EXPECT_THAT(doc.PopNames, ElementsAre("", "P", ""));
  EXPECT_EQ(doc.Cells, before);
  EXPECT_FALSE(doc.AnalysisFileReady);  // only a save raises it
}

TEST(NativeFile, MissingLocusNamesAreSaidDuringTheWrite) {
  Document doc = MakeDoc({"", "B", " "}, {{"P", {{"a", {"101101", "", "202202"}}}}});
  RecordedMessages said;
  NativeFileText(doc, said);
  EXPECT_THAT(said.texts,
              ElementsAre("Nom du 1 ° Locus manquant !", "Nom du 3 ° Locus manquant !"));
}

// Six characters that are not a number, and a typing of any other length once trimmed: the
// write stops with the cell named instead of writing it as missing.
TEST(NativeFile, BadCellStopsTheWriteBeforeAnyMessage) {
  for (const char* cell : {"10a101", "12345", "1234567", "3 3", "101105x"}) {
    Document doc = MakeDoc({""}, {{"P", {{"a", {"101101"}}, {"b", {cell}}}}});
    RecordedMessages said;
    try {
      NativeFileText(doc, said);
      ADD_FAILURE() << cell << " was written";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Conversion) << cell;
      EXPECT_EQ(e.what(), "« " + std::string(cell) +
                              " » n'est pas un génotype valide (locus 1, individu 2).");
    }
    EXPECT_TRUE(said.texts.empty()) << cell;
  }
}

TEST(NativeFile, PopulationOfMoreThan65535DataRowsCannotBeWritten) {
  Document doc = MakeDoc({"A"}, {{"P", {{"a", {"101101"}}}}});
  doc.Cells.SetRowCount(2 + 65536);
  for (int r = 3; r < doc.Cells.RowCount(); ++r) doc.Cells.SetCell(1, r, "x");
  SilentMessages quiet;
  try {
    NativeFileText(doc, quiet);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Capacity);
  }
}

// Reader cases: a file's text and what the table holds after reading it.
TEST(NativeFile, CountZeroBlockReadsAsOneEmptyMarkedRow) {
  const std::string text = CrLf({"1 x", "3  nombre de pop", "A", "1 101 ", "P", "1",
                                 "         a 101101", "Empty", "0", "Q", "1", "         b 101101"},
                                false);
  const Document doc = ReadNativeText(text);
  ASSERT_EQ(doc.Cells.RowCount(), 5);
  EXPECT_EQ(doc.NbPops, 3);
  EXPECT_THAT(doc.PopFirstRow, ElementsAre(0, 2, 3, 4));
  EXPECT_THAT(doc.PopNames, ElementsAre("", "P", "Empty", "Q"));
  EXPECT_EQ(doc.Cells.Cells(0, 3), "Pop Ind2");
  EXPECT_EQ(doc.Cells.Cells(1, 3), "");
  EXPECT_EQ(doc.Cells.Cells(2, 3), "");
  EXPECT_EQ(doc.Cells.Cells(0, 4), "Pop Ind3");
  Document again = doc;
  again.CurrentFileName = "x";
  EXPECT_EQ(Text(again), text);
}

TEST(NativeFile, EmptyFileIsAnEmptyTable) {
  for (const char* text : {"", "\r\n", "   \n\n", "\xEF\xBB\xBF", "\r\n\x1a"}) {
    const Document doc = ReadNativeText(text);
    EXPECT_EQ(doc.Cells.ColCount(), 2);
    EXPECT_EQ(doc.Cells.RowCount(), 2);
    EXPECT_EQ(doc.NbPops, 0);
    EXPECT_THAT(doc.PopNames, ElementsAre(""));
  }
}

// A block the file announces but does not hold is refused, with the line where the file ends:
// nothing is made up for it, so what the reader builds grows with what the file holds.
TEST(NativeFile, TruncatedFilesAreRefusedWhereTheyEnd) {
  const std::string head = "1 x\r\n1  nombre de pop\r\nA\r\n1 101 \r\nP\r\n";
  const struct {
    const char* what;
    std::string text;
    int line;
  } cases[] = {
      {"line 1 only", "1 x\r\n", 2},
      {"locus block without its allele line", "2 x\r\n0\r\nA\r\n1 101 \r\nB\r\n", 6},
      {"population without its count line", head, 6},
      {"fewer individuals than the count", head + "2\r\n         a 101101\r\n", 8},
      {"name field cut by the end", head + "1\r\n    a", 7},
      {"genotype missing at the end",
       "2 x\r\n1\r\nA\r\n1 101 \r\nB\r\n1 202 \r\nP\r\n1\r\n         a 101101", 9},
      {"fewer population blocks than line 2",
       "1 x\r\n2  nombre de pop\r\nA\r\n1 101 \r\nP\r\n1\r\n         a 101101\r\n", 8},
  };
  for (const auto& c : cases) {
    try {
      ReadNativeText(c.text, "f.bvt");
      ADD_FAILURE() << c.what;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Input) << c.what;
      EXPECT_EQ(e.line(), c.line) << c.what << ": " << e.what();
      EXPECT_THAT(e.what(), HasSubstr("f.bvt, ligne " + std::to_string(c.line) +
                                      " : fichier tronqué : la fin du fichier arrive avant "))
          << c.what;
    }
  }
}

// Hostile files read or fail in a child process limited to 1 GB and 10 seconds (a table sized
// from the declared counts would take about 137 GB).
TEST(NativeFile, MemoryAndTimeGrowWithWhatTheFileHolds) {
  if (test::kAddressSanitizer) GTEST_SKIP() << "no address-space limit under AddressSanitizer";
  std::string empty_loci, empty_pops;
  for (int l = 0; l < 65535; ++l) empty_loci += "\r\n0 \r\n";
  for (int p = 0; p < 65534; ++p) empty_pops += "\r\n0\r\n";
  const std::string empty_blocks = "65535 x\r\n65534  nombre de pop\r\n" + empty_loci + empty_pops;
  const std::string one_name = "65535 x\r\n1\r\n" + empty_loci + "P\r\n65535\r\n         a";
  const struct {
    const char* what;
    std::string text;
    int refused_on;  // 0: reads
    std::string says;
  } cases[] = {
      {"the 12-byte file", "65535\n65535\n", 3,
       "f.bvt, ligne 3 : fichier tronqué : la fin du fichier arrive avant le locus 1 "
       "(65535 annoncés)."},
      {"65535 empty loci and 65534 empty populations", empty_blocks, 0, ""},
      {"65535 loci and 65535 individuals declared, one name present", one_name, 2 + 2 * 65535 + 3,
       "f.bvt, ligne 131075 : fichier tronqué : la fin du fichier arrive avant le génotype du "
       "locus 1 de l'individu 1 de la population 1 (65535 annoncés)."},
  };
  for (const auto& c : cases) {
    const test::ChildOutcome outcome = test::RunInBoundedChild(
        [&]() -> std::string {
          try {
            const Document doc = ReadNativeText(c.text, "f.bvt");
            if (c.refused_on != 0) return "read without an error";
            if (doc.Cells.RowCount() != 65536 || doc.Cells.ColCount() != 65537 ||
                doc.NbPops != 65534 || doc.Cells.Cells(0, 65535) != "Pop Ind65534")
              return "wrong table";
          } catch (const Error& e) {
            if (e.kind() != ErrorKind::Input || e.line() != c.refused_on || e.what() != c.says)
              return e.what();
          }
          return "";
        },
        test::kOneGigabyte, 10);
    EXPECT_TRUE(outcome.ok) << c.what << ": " << outcome.what;
  }
}

TEST(NativeFile, ReaderTakesFieldsAsTheLayoutSays) {
  // Locus names whole with their blanks, population names cut to 25, blanks after a count or
  // a last genotype, genotypes over several lines and separated by TABs, the widest genotype
  // number.
  const std::string text = CrLf({"2 whatever follows", "1 trailing words", "  Loc A  ", "junk", "",
                                 "junk", "A very long population name indeed", "2 \t",
                                 "  Ind01   105101\t999999", "Ind02     ", " 0 \t 7 \t"},
                                false);
  const Document doc = ReadNativeText(text);
  EXPECT_EQ(doc.Cells.Cells(2, 1), "  Loc A  ");
  EXPECT_EQ(doc.Cells.Cells(3, 1), "");
  EXPECT_EQ(doc.PopNames[1], "A very long population na");
  EXPECT_EQ(doc.Cells.Cells(1, 2), "  Ind01   ");
  EXPECT_EQ(doc.Cells.Cells(2, 2), "101105");
  EXPECT_EQ(doc.Cells.Cells(3, 2), "999999");
  EXPECT_EQ(doc.Cells.Cells(1, 3), "Ind02     ");
  EXPECT_EQ(doc.Cells.Cells(2, 3), "000000");
  EXPECT_EQ(doc.Cells.Cells(3, 3), "000007");
}

// Text after a population's count or an individual's last genotype, on their line, would be
// gone at the next save: refused with the line and what the line holds.
TEST(NativeFile, TextAfterWhatALineHoldsIsRefused) {
  const std::string two = "2 x\r\n1  nombre de pop\r\nLoc A\r\n0 \r\nLoc B\r\n0 \r\nNorth\r\n";
  const std::string one = "1 x\n2  nombre de pop\nA\n0 \nP\n1\n         a 101101\nQ\n";
  const struct {
    const char* what;
    std::string text;
    int line;
    std::string says;
  } cases[] = {
      {"a third genotype for two loci", two + "1\r\n     Ind01 101105 210210 105105", 9,
       "« 105105 » après le dernier génotype de l'individu 1 de la population 1 (2 génotypes "
       "attendus, un par locus)."},
      {"a second number on a count line", two + "2 1\r\n     Ind01 101105 210210", 8,
       "« 1 » après le nombre d'individus de la population 1 (un seul nombre attendu)."},
      {"a count 0 with more", one + "0 5\n", 9,
       "« 5 » après le nombre d'individus de la population 2 (un seul nombre attendu)."},
      {"text after a mid-file individual, LF line ends",
       one + "2\n         b 101101 x\n         c 101101", 10,
       "« x » après le dernier génotype de l'individu 1 de la population 2 (1 génotype attendu, "
       "un par locus)."},
      {"genotypes over two lines, text after the last", two + "1\r\n     Ind01 101105\r\n 7 8", 10,
       "« 8 » après le dernier génotype de l'individu 1 de la population 1 (2 génotypes "
       "attendus, un par locus)."},
      {"text after the name field without loci", "0 x\r\n1\r\nP\r\n1\r\n         a 101101", 5,
       "« 101101 » après le nom de l'individu 1 de la population 1 (aucun génotype attendu, 0 "
       "locus)."},
  };
  for (const auto& c : cases) {
    try {
      ReadNativeText(c.text, "f.bvt");
      ADD_FAILURE() << c.what;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Input) << c.what;
      EXPECT_EQ(e.line(), c.line) << c.what;
      EXPECT_EQ(e.what(), "f.bvt, ligne " + std::to_string(c.line) + " : " + c.says) << c.what;
    }
  }
}

// The writer puts a blank after the 10-character name field. A file made by hand with a name that
// overflows the field would otherwise lose the name's end and a genotype's first digits; a field
// that ends in a blank cuts no word.
TEST(NativeFile, ANameThatOverflowsItsFieldIsRefused) {
  const std::string two = "2 x\r\n1  nombre de pop\r\nA\r\n0 \r\nB\r\n0 \r\nP\r\n";
  const struct {
    const char* what;
    std::string text;
    int line;          // 0: reads
    std::string says;  // the name read, or the message
  } cases[] = {
      {"not right-justified", two + "1\r\nmother 101102 103104", 9,
       "f.bvt, ligne 9 : le nom de l'individu 1 de la population 1 déborde de ses 10 caractères : "
       "« mother 101102 » (un nom a au plus 10 caractères, cadrés à droite, suivis d'un blanc)."},
      {"longer than 10 characters, second individual",
       two + "2\r\n    father 101102 103104\r\nAbcdefghijkl 101102 103104", 10,
       "f.bvt, ligne 10 : le nom de l'individu 2 de la population 1 déborde de ses 10 caractères : "
       "« Abcdefghijkl » (un nom a au plus 10 caractères, cadrés à droite, suivis d'un blanc)."},
      {"without loci", "0 x\n1\nP\n1\nabcdefghijk\n", 5,
       "f.bvt, ligne 5 : le nom de l'individu 1 de la population 1 déborde de ses 10 caractères : "
       "« abcdefghijk » (un nom a au plus 10 caractères, cadrés à droite, suivis d'un blanc)."},
      {"left-justified, filling its field", two + "1\r\nmother     101102 103104", 0, "mother    "},
      {"a TAB after the field", two + "1\r\n    mother\t101102 103104", 0, "    mother"},
      {"a field ending in a blank, a genotype right after it", two + "1\r\n  mother  101102 103104",
       0, "  mother  "},
      {"the genotypes on the next line", two + "1\r\nmotherhood\r\n101102 103104", 0, "motherhood"},
  };
  for (const auto& c : cases) {
    try {
      const Document doc = ReadNativeText(c.text, "f.bvt");
      EXPECT_EQ(c.line, 0) << c.what;
      EXPECT_EQ(doc.Cells.Cells(1, 2), c.says) << c.what;
      EXPECT_EQ(doc.Cells.Cells(2, 2), "101102") << c.what;
      EXPECT_EQ(doc.Cells.Cells(3, 2), "103104") << c.what;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Input) << c.what;
      EXPECT_EQ(e.line(), c.line) << c.what;
      EXPECT_EQ(e.what(), c.says) << c.what;
    }
  }
}

// Whatever the writer wrote reads, with its CR LF or with LF alone, and gives the same table.
TEST(NativeFile, WrittenFilesReadWithEitherLineEnd) {
  for (WriteCase& c : WriteCases()) {
    std::string lf = c.text;
    std::erase(lf, '\r');
    const Document crlf = ReadNativeText(c.text);
    const Document bare = ReadNativeText(lf);
    EXPECT_EQ(crlf.Cells, bare.Cells) << c.what;
    EXPECT_EQ(crlf.PopNames, bare.PopNames) << c.what;
  }
}

TEST(NativeFile, ThreeHundredLociReadCompletely) {
  std::vector<std::string> lines = {"300 big", "1  nombre de pop"};
  std::string individual = "     Ind01";
  for (int l = 1; l <= 300; ++l) {
    lines.push_back(std::string(1, 'L').append(std::to_string(l)));
    lines.push_back("1 101 ");
    individual.append(" ").append(std::to_string(100000 + l));
  }
  lines.insert(lines.end(), {"P", "1", individual});
  const Document doc = ReadNativeText(CrLf(lines, false));
  ASSERT_EQ(doc.Cells.ColCount(), 302);
  EXPECT_EQ(doc.Cells.Cells(301, 1), "L300");
  EXPECT_EQ(doc.Cells.Cells(301, 0), "locus300");
  EXPECT_EQ(doc.Cells.Cells(2, 2), "001100");
  EXPECT_EQ(doc.Cells.Cells(301, 2), "100300");
}

struct FailCase {
  const char* what;
  std::string text;
  ErrorKind kind;
  int line;
};

TEST(NativeFile, UnreadableFilesFailWithTheirKindAndLine) {
  const std::string head = "1 x\r\n1  nombre de pop\r\nA\r\n1 101 \r\nP\r\n";
  const FailCase cases[] = {
      {"letters on line 1", "abc 2\r\n", ErrorKind::NotNativeFile, 1},
      {"a number glued to letters", "2x\r\n", ErrorKind::NotNativeFile, 1},
      {"locus count too large", "70000 x\r\n", ErrorKind::Input, 1},
      {"population count not a number", "1 x\r\nmany\r\n", ErrorKind::Input, 2},
      {"population count negative", "1 x\r\n-1\r\n", ErrorKind::Input, 2},
      {"individual count too large", head + "65536\r\n", ErrorKind::Input, 6},
      {"genotype not a number", head + "1\r\n         a 10x101", ErrorKind::Input, 7},
      {"negative genotype", head + "1\r\n         a -101101", ErrorKind::Input, 7},
      {"genotype beyond 16-bit alleles", head + "1\r\n         a 65536000", ErrorKind::Input, 7},
      {"genotype of an allele above 999", head + "1\r\n         a 1000005", ErrorKind::Input, 7},
      {"name longer than 10 characters", head + "1\r\nAbcdefghijkl 101101", ErrorKind::Input, 7},
      {"line end inside the name field", head + "2\r\n    a\r\n     b 101101", ErrorKind::Input, 7},
      {"LF inside the name field", "1 x\n1\nA\n1 101 \nP\n1\nshort\n 101101", ErrorKind::Input, 7},
      {"empty individual line", head + "1\r\n\r\n         a 101101", ErrorKind::Input, 7},
      {"4 KB of NUL bytes", std::string(4096, '\0'), ErrorKind::NotNativeFile, 1},
      {"control characters before line 1's number", "\x01\x02 2 x\r\n", ErrorKind::NotNativeFile,
       1},
      {"a population holding more individuals than its count",
       head + "1\r\n         a 101101\r\n         b 101101", ErrorKind::Input, 8},
      {"text after the last population block", "0 x\r\n0  nombre de pop\r\n\r\nP\r\n",
       ErrorKind::Input, 4},
  };
  for (const FailCase& c : cases) {
    try {
      ReadNativeText(c.text, "f.bvt");
      ADD_FAILURE() << c.what;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), c.kind) << c.what;
      EXPECT_EQ(e.line(), c.line) << c.what << ": " << e.what();
      if (c.kind == ErrorKind::Input) {
        EXPECT_THAT(e.what(), HasSubstr("f.bvt, ligne " + std::to_string(c.line))) << c.what;
      }
    }
  }
}

TEST(NativeFile, MoreIndividualsThanGridRowsIsACapacityError) {
  // Individual k stands on grid row k + 1, a 16-bit number: 65534 individuals at most. An
  // empty population still takes a row.
  std::string full = "0 x\r\n1\r\nP\r\n65534\r\n";
  for (int i = 0; i < 65534; ++i) full += "         a\r\n";
  EXPECT_EQ(ReadNativeText(full).Cells.RowCount(), 65536);
  full.replace(full.find("1\r\nP"), 1, "2");
  try {
    ReadNativeText(full + "Q\r\n0\r\n", "f.bvt");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Capacity);
    EXPECT_EQ(e.line(), 65540);
    EXPECT_STREQ(e.what(), "f.bvt, ligne 65540 : Trop d'individus : 65534 au plus.");
  }
}

TEST(NativeFile, NotNativeMessageIsTheProgramsOwn) {
  try {
    ReadNativeText("Population data\r\n");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Ce fichier ne semble pas être un fichier au format BRAVOLT !");
  }
}

TEST(NativeFile, FailedReadLeavesTheCallersTableAlone) {
  Document doc = WorkedExample();
  doc.CurrentFileName = "/data/kept.bvt";
  const Document before = doc;
  for (const char* bad : {"abc", "1 x\r\n1\r\nA\r\n\r\nP\r\n1\r\nshort\r\n"}) {
    try {
      doc = ReadNativeText(bad);
      ADD_FAILURE() << bad;
    } catch (const Error&) {
    }
    EXPECT_EQ(doc.Cells, before.Cells);
    EXPECT_EQ(doc.CurrentFileName, before.CurrentFileName);
    EXPECT_EQ(doc.PopNames, before.PopNames);
    EXPECT_EQ(doc.NbPops, before.NbPops);
  }
}

TEST(NativeFile, MissingFileIsAnInputOutputError) {
  try {
    ReadNativeFile("/nonexistent/dir/none.bvt");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
    EXPECT_THAT(e.what(), HasSubstr("/nonexistent/dir/none.bvt"));
  }
}

}  // namespace
}  // namespace relakin
