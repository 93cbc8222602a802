// The subset chooser's locus list and the selection file ("temp.tmp" for chosen populations
// and loci), byte for byte.
#include "core/selection_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/errors.h"
#include "table_builder.h"

namespace relakin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Loc A .. Loc C; North on rows 2 and 3, South on rows 4 and 5.
Document WorkedTable() {
  return test::MakeDoc(
      {"Loc A", "Loc B", "Loc C"},
      {{"North",
        {{"Ind01", {"101103", "210212", "300300"}}, {"Ind02", {"103103", "210210", "302304"}}}},
       {"South",
        {{"Ind03", {"105105", "212212", "302302"}}, {"Ind04", {"101000", "210210", "300302"}}}}});
}

// Flags from the numbers given; slot 0 unused.
std::vector<bool> Flags(std::size_t size, std::initializer_list<std::size_t> chosen) {
  std::vector<bool> flags(size + 1, false);
  for (std::size_t n : chosen) flags[n] = true;
  return flags;
}

void Choose(Document& doc, std::initializer_list<std::size_t> pops,
            std::initializer_list<std::size_t> loci) {
  doc.PopSelection = Flags(doc.NbPops, pops);
  doc.LocusSelection = Flags(doc.Cells.ColCount() - 2, loci);
}

TEST(SelectionFile, WorkedExampleByteForByte) {
  test::ScratchDir dir(/*enter=*/true);
  Document doc = WorkedTable();
  Choose(doc, {2}, {1, 3});
  RecordedMessages said;
  EXPECT_TRUE(WriteSelectionFile(doc, said));
  EXPECT_TRUE(doc.AnalysisFileReady);
  EXPECT_THAT(said.texts, IsEmpty());
  const std::string expected =
      "2 Untitled\r\n"
      "1\r\n"
      "Loc A\r\n"
      "1 105 \r\n"
      "Loc C\r\n"
      "2 300 302 \r\n"
      "South\r\n"
      "2\r\n"
      "     Ind03 105105 302302\r\n"
      "     Ind04 000000 300302\r\n";
  EXPECT_EQ(test::ReadBytes(dir / "temp.tmp"), expected);
  EXPECT_THAT(doc.LocusColumnMap, ElementsAre(0, 1, 3));
  EXPECT_THAT(dir.Entries(), ElementsAre("temp.tmp"));
}

TEST(SelectionFile, PopulationsInNumberOrderWhateverTheChoiceOrder) {
  Document doc = test::MakeDoc(
      {"L1"},
      {{"P1", {{"a", {"101101"}}}}, {"P2", {{"b", {"102102"}}}}, {"P3", {{"c", {"103103"}}}}});
  doc.PopSelection = Flags(3, {3, 1});
  doc.LocusSelection = Flags(1, {1});
  SilentMessages quiet;
  EXPECT_EQ(SelectionFileText(doc, quiet),
            test::CrLf({"1 Untitled", "2", "L1", "2 101 103 ", "P1", "1", "         a 101101", "P3",
                        "1", "         c 103103"},
                       true));
}

TEST(SelectionFile, EmptyLocusColumnIsSkippedAndNumbersStayThoseOfTheGrid) {
  Document doc =
      test::MakeDoc({"Adh", "", "Pgm"}, {{"North", {{"Ind01", {"101101", "", "301302"}}}}});
  RecordedMessages said;
  EXPECT_THAT(FillLocusList(doc, said), ElementsAre("1-Adh", "3-Pgm"));
  EXPECT_THAT(said.texts, IsEmpty());  // the unnamed column 3 holds no data: not offered
  Choose(doc, {1}, {1, 3});
  EXPECT_EQ(SelectionFileText(doc, said),
            test::CrLf({"2 Untitled", "1", "Adh", "1 101 ", "Pgm", "2 301 302 ", "North", "1",
                        "     Ind01 101101 301302"},
                       true));
}

TEST(SelectionFile, UnnamedLocusIsSaidInTheListAndAgainWhenWrittenWithAnEmptyNameLine) {
  Document doc =
      test::MakeDoc({"Adh", "", "Pgm"}, {{"North", {{"Ind01", {"101101", "202202", "301302"}}}}});
  RecordedMessages said;
  EXPECT_THAT(FillLocusList(doc, said), ElementsAre("1-Adh", "2-Locus 2", "3-Pgm"));
  EXPECT_THAT(said.texts, ElementsAre("Nom du 2 ° Locus manquant !"));
  said.texts.clear();
  Choose(doc, {1}, {2});
  EXPECT_EQ(SelectionFileText(doc, said),
            test::CrLf({"1 Untitled", "1", "", "1 202 ", "North", "1", "     Ind01 202202"}, true));
  EXPECT_THAT(said.texts, ElementsAre("Nom du 2 ° Locus manquant !"));
}

TEST(SelectionFile, LocusTypedOnlyOutsideTheChoiceIsSaidAndWrittenMissing) {
  Document doc = test::MakeDoc({"L1", "L2"},
                               {{"North", {{"a", {"101101", "201202"}}}},
                                {"South", {{"b", {"102102", ""}}, {"c", {"103103", "201000"}}}}});
  Choose(doc, {2}, {1, 2});
  RecordedMessages said;
  EXPECT_EQ(SelectionFileText(doc, said),
            test::CrLf({"2 Untitled", "1", "L1", "2 102 103 ", "L2", "0 ", "South", "2",
                        "         b 102102 000000", "         c 103103 000000"},
                       true));
  EXPECT_THAT(said.texts,
              ElementsAre("Le locus 2 est 000000 pour toutes les populations séléctionnées !!!"));
}

TEST(SelectionFile, EmptyRowsAreSkippedAndAnEmptyPopulationHasCountZero) {
  Document doc = test::MakeDoc(
      {"L1"},
      {{"North", {{"a", {"101101"}}, {"", {""}}, {"b", {"102102"}}}}, {"Empty", {{"", {""}}}}});
  Choose(doc, {1, 2}, {1});
  SilentMessages quiet;
  EXPECT_EQ(SelectionFileText(doc, quiet),
            test::CrLf({"1 Untitled", "2", "L1", "2 101 102 ", "North", "2", "         a 101101",
                        "         b 102102", "Empty", "0"},
                       true));
}

TEST(SelectionFile, HeaderCarriesTheTablesPathAndNamesKeepTheirBytes) {
  Document doc =
      test::MakeDoc({"L\xe9"}, {{"For\xeat", {{"Ind\xe9long-name", {"101101"}}}}}, "/data/pop.bvt");
  Choose(doc, {1}, {1});
  SilentMessages quiet;
  EXPECT_EQ(SelectionFileText(doc, quiet), test::CrLf({"1 /data/pop.bvt", "1", "L\xe9", "1 101 ",
                                                       "For\xeat", "1", "Ind\xe9long-n 101101"},
                                                      true));
}

TEST(SelectionFile, FailedWriteKeepsTheFlagDownAndTheOldFile) {
  test::ScratchDir dir(/*enter=*/true);
  test::WriteBytes(dir / "temp.tmp", "old");
  Document doc = WorkedTable();
  Choose(doc, {2}, {1});
  SilentMessages quiet;
  // South's first genotype at Loc A: not a number, or not six characters once trimmed.
  for (const char* cell : {"10x105", "10105", " 1010105 "}) {
    doc.Cells.SetCell(2, 4, cell);
    try {
      WriteSelectionFile(doc, quiet);
      ADD_FAILURE() << cell << ": a bad cell must stop the write";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Conversion);
      EXPECT_EQ(e.what(), "« " + std::string(cell) +
                              " » n'est pas un génotype valide (locus 1, individu 3).");
    }
    EXPECT_FALSE(doc.AnalysisFileReady);
    EXPECT_EQ(test::ReadBytes(dir / "temp.tmp"), "old");
  }

  // A folder that takes no new file, with no old file to write in place.
  doc.Cells.SetCell(2, 4, "105105");
  std::filesystem::remove(dir / "temp.tmp");
  ASSERT_EQ(chmod(dir.path().c_str(), 0500), 0);
  if (geteuid() != 0) {
    EXPECT_THROW(WriteSelectionFile(doc, quiet), Error);
    EXPECT_FALSE(doc.AnalysisFileReady);
  }
}

TEST(SelectionFile, LocusListRecordsTheSurveysFigures) {
  Document doc = WorkedTable();
  SilentMessages quiet;
  EXPECT_THAT(FillLocusList(doc, quiet), ElementsAre("1-Loc A", "2-Loc B", "3-Loc C"));
  EXPECT_EQ(doc.RecordedLastRow, 5);
  EXPECT_EQ(doc.RecordedLocusCount, 3);
  EXPECT_EQ(doc.RecordedPopCount, 2);
}

TEST(SelectionFile, NameWithDashesKeepsThemAfterTheNumber) {
  Document doc = test::MakeDoc({"A-B"}, {{"North", {{"a", {"101101"}}}}});
  SilentMessages quiet;
  EXPECT_THAT(FillLocusList(doc, quiet), ElementsAre("1-A-B"));
}

}  // namespace
}  // namespace relakin
