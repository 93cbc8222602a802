// Row renumbering, the population-table routines and the Ctrl+click marker toggle.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

#include "core/population_marker.h"
#include "core/population_table.h"
#include "editing_fixture.h"

namespace relakin {
namespace {

using ::testing::ElementsAre;
using testing::MakeTable;
using testing::Names;
using testing::Starts;

TEST(RenumberRows, RebuildsLabelsAndTablesFromMarkers) {
  Document doc;
  doc.Cells.Resize(3, 7);
  doc.Cells.SetCell(0, 1, "junk");
  doc.Cells.SetCell(0, 2, "    Ind1");  // row 2 is always a start
  doc.Cells.SetCell(0, 3, "xxPopyy");   // "Pop" anywhere marks
  doc.Cells.SetCell(0, 4, "pop Ind3");  // lower case does not
  doc.Cells.SetCell(0, 5, "    Ind4");  // reader's four-blank form
  doc.Cells.SetCell(0, 6, "Pop Ind9");
  doc.PopFirstRow = {0, 9, 9, 9, 9, 9};  // stale entries beyond NbPops stay
  RenumberRows(doc);
  EXPECT_THAT(testing::Column(doc, 0, 1),
              ElementsAre("", "Pop Ind1", "Pop Ind2", "      Ind3", "      Ind4", "Pop Ind5"));
  EXPECT_EQ(doc.NbPops, 3);
  EXPECT_THAT(doc.PopFirstRow, ElementsAre(0, 2, 3, 6, 9, 9));
}

TEST(RenumberRows, TableWithoutIndividualsHasNoPopulation) {
  Document doc;
  doc.Cells.Resize(4, 2);
  doc.NbPops = 3;
  RenumberRows(doc);
  EXPECT_EQ(doc.NbPops, 0);
  EXPECT_EQ(doc.Cells.Cells(0, 1), "");
}

TEST(PopulationRoutines, FindPopsAround) {
  const Document doc = MakeTable(12, 1, {2, 5, 9});
  struct Case {
    int row, prev, next;
  } cases[] = {{2, 1, 2}, {4, 1, 2}, {5, 2, 3}, {8, 2, 3}, {9, 3, 0}, {13, 3, 0}};
  for (const Case& c : cases) {
    const PopsAround around = FindPopsAround(doc, c.row);
    EXPECT_EQ(around.prev, c.prev) << "row " << c.row;
    EXPECT_EQ(around.next, c.next) << "row " << c.row;
  }
}

TEST(PopulationRoutines, FindPopOfStartRow) {
  const Document doc = MakeTable(12, 1, {2, 5, 9});
  EXPECT_EQ(FindPopOfStartRow(doc, 2), 1);
  EXPECT_EQ(FindPopOfStartRow(doc, 9), 3);
  EXPECT_EQ(FindPopOfStartRow(doc, 6), 0);
}

TEST(PopulationRoutines, InsertPopName) {
  struct Case {
    std::uint16_t position;
    std::vector<std::string> expected;  // slots 1 .. 4
  } cases[] = {
      {2, {"A", "X", "B", "C"}},
      {1, {"X", "A", "B", "C"}},
      {0, {"A", "B", "C", "X"}},
      {4, {"A", "B", "C", "X"}},
  };
  for (const Case& c : cases) {
    Document doc = MakeTable(6, 1, {2, 4, 6}, {"A", "B", "C"});
    InsertPopName(doc, "X", c.position);
    ASSERT_GE(doc.PopNames.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(doc.PopNames.begin() + 1, doc.PopNames.begin() + 5),
              c.expected)
        << "position " << c.position;
  }
  Document doc = MakeTable(6, 1, {2, 4, 6}, {"A", "B", "C"});
  InsertPopName(doc, std::string(30, 'n'), 1);
  EXPECT_EQ(doc.PopNames[1], std::string(25, 'n'));
}

TEST(PopulationRoutines, DeletePopNameMovesLaterNamesDown) {
  Document doc = MakeTable(6, 1, {2, 4, 6}, {"A", "B", "C"});
  DeletePopName(doc, 2);
  EXPECT_THAT(Names(doc), ElementsAre("A", "C", ""));
  DeletePopName(doc, 4);  // beyond NbPops: nothing
  EXPECT_THAT(Names(doc), ElementsAre("A", "C", ""));
  Document shortNames = MakeTable(6, 1, {2, 4, 6}, {"A"});
  DeletePopName(shortNames, 1);  // entries past the table count as empty
  EXPECT_THAT(Names(shortNames), ElementsAre("", "", ""));
}

// Answers in order; records every text it was given.
class ScriptedPrompts : public MarkerPrompts {
 public:
  ScriptedPrompts(std::deque<bool> answers, std::string name = {})
      : answers_(std::move(answers)), name_(std::move(name)) {}
  bool AskYesNo(const std::string& question) override {
    questions.push_back(question);
    const bool yes = !answers_.empty() && answers_.front();
    if (!answers_.empty()) answers_.pop_front();
    return yes;
  }
  std::string AskPopulationName() override {
    ++nameAsked;
    return name_;
  }
  void Show(const std::string& text) override { shown.push_back(text); }

  std::vector<std::string> questions, shown;
  int nameAsked = 0;

 private:
  std::deque<bool> answers_;
  std::string name_;
};

TEST(ToggleMarker, InsertBetweenTwoPopulations) {
  Document doc = MakeTable(10, 2, {2, 8}, {"Nord", "Sud"});
  ScriptedPrompts prompts({true}, "X");
  ToggleMarkerAt(doc, 5, prompts);
  EXPECT_THAT(prompts.questions, ElementsAre("Insérer une nouvelle pop entre Nord et Sud"));
  EXPECT_EQ(prompts.nameAsked, 1);
  EXPECT_THAT(Starts(doc), ElementsAre(2, 5, 8));
  EXPECT_THAT(Names(doc), ElementsAre("Nord", "X", "Sud"));
  EXPECT_EQ(doc.Cells.Cells(0, 5), "Pop Ind4");
}

TEST(ToggleMarker, AppendAfterTheLastPopulation) {
  Document doc = MakeTable(10, 2, {2, 8}, {"Nord", "Sud"});
  ScriptedPrompts prompts({true}, "Été");  // UTF-8 in, Windows-1252 in the table
  ToggleMarkerAt(doc, 10, prompts);
  EXPECT_THAT(prompts.questions, ElementsAre("Ajouter une nouvelle pop après Sud"));
  EXPECT_THAT(Starts(doc), ElementsAre(2, 8, 10));
  EXPECT_THAT(Names(doc), ElementsAre("Nord", "Sud", "\xC9t\xE9"));
}

TEST(ToggleMarker, RemoveAStartJoinsThePopulationBefore) {
  Document doc = MakeTable(12, 2, {2, 5, 9}, {"A", "B\xE9", "C"});
  ScriptedPrompts prompts({true});
  ToggleMarkerAt(doc, 9, prompts);
  EXPECT_THAT(prompts.questions,
              ElementsAre("Supprimer cette pop. (ses indiv. feront partie de la pop Bé"));
  EXPECT_THAT(Starts(doc), ElementsAre(2, 5));
  EXPECT_THAT(Names(doc), ElementsAre("A", "B\xE9"));
  EXPECT_EQ(doc.Cells.Cells(0, 9), "      Ind8");

  prompts = ScriptedPrompts({true});
  ToggleMarkerAt(doc, 5, prompts);  // removing a middle start moves the later names down
  EXPECT_THAT(Starts(doc), ElementsAre(2));
  EXPECT_THAT(Names(doc), ElementsAre("A"));
  EXPECT_EQ(PopNameOf(doc, 2), "");
}

TEST(ToggleMarker, NoChangesNothingButRenumbers) {
  struct Case {
    int row;
  } cases[] = {{5}, {8}};  // inside a population, a start
  for (const Case& c : cases) {
    Document doc = MakeTable(10, 2, {2, 8}, {"Nord", "Sud"});
    const Document before = doc;
    ScriptedPrompts prompts({false}, "X");
    ToggleMarkerAt(doc, c.row, prompts);
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.nameAsked, 0);
    EXPECT_EQ(doc.Cells, before.Cells);
    EXPECT_EQ(Starts(doc), Starts(before));
    EXPECT_EQ(Names(doc), Names(before));
  }
}

TEST(ToggleMarker, RowTwoAsksNothing) {
  Document doc = MakeTable(10, 2, {2, 8}, {"Nord", "Sud"});
  ScriptedPrompts prompts({true});
  ToggleMarkerAt(doc, 2, prompts);
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_THAT(Starts(doc), ElementsAre(2, 8));
}

TEST(ToggleMarker, FullTablesRefuseAnInsertion) {
  Document doc = MakeTable(10, 2, {2, 8}, {"Nord", "Sud"});
  ScriptedPrompts prompts({true}, "X");
  ToggleMarkerAt(doc, 5, prompts, 2);
  EXPECT_THAT(prompts.shown,
              ElementsAre("Nombre de pop max. autorisé dans le tableur 2 populations !"));
  EXPECT_EQ(prompts.nameAsked, 0);
  EXPECT_THAT(Starts(doc), ElementsAre(2, 8));
  EXPECT_EQ(doc.Cells.Cells(0, 5), "      Ind4");
}

TEST(ToggleMarker, CapacityIsTheSixteenBitCount) {
  // Every row but the last marked: one more population still fits.
  Document doc = MakeTable(65534, 0, {});
  for (int r = 2; r < doc.Cells.RowCount() - 1; ++r) doc.Cells.SetCell(0, r, "Pop");
  RenumberRows(doc);
  ASSERT_EQ(doc.NbPops, 65533);
  ScriptedPrompts prompts({true}, "last");
  ToggleMarkerAt(doc, doc.Cells.RowCount() - 1, prompts);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(doc.NbPops, 65534);
  EXPECT_EQ(doc.PopFirstRow[65534], 65535);
  EXPECT_EQ(PopNameOf(doc, 65534), "last");
}

}  // namespace
}  // namespace relakin
