// Go to an individual or a population, the dialog's histories, and the population-names table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "core/goto_target.h"
#include "core/population_names.h"
#include "editing_fixture.h"

namespace relakin {
namespace {

using ::testing::ElementsAre;
using testing::MakeTable;
using testing::Names;
using ::testing::Optional;

TEST(Goto, LeadingNumber) {
  struct Case {
    const char* text;
    long n;
  } cases[] = {
      {"7", 7},   {"  7", 7},   {"7x", 7},
      {"007", 7}, {"x7", 0},    {"", 0},
      {"-3", 0},  {"12 5", 12}, {"99999999999999999999999", std::numeric_limits<long>::max()}};
  for (const Case& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.n) << c.text;
}

TEST(Goto, IndividualRow) {
  const Document doc = MakeTable(10, 2, {2, 5});
  EXPECT_THAT(IndividualRowFor(doc, "7"), Optional(8));
  EXPECT_THAT(IndividualRowFor(doc, "7x"), Optional(8));
  EXPECT_THAT(IndividualRowFor(doc, "10"), Optional(11));
  for (const char* text : {"0", "11", "abc", ""}) EXPECT_FALSE(IndividualRowFor(doc, text)) << text;
}

TEST(Goto, PopulationRow) {
  const Document doc = MakeTable(10, 2, {2, 5, 9});
  EXPECT_THAT(PopulationRowFor(doc, "3"), Optional(9));
  EXPECT_THAT(PopulationRowFor(doc, "1"), Optional(2));
  for (const char* text : {"0", "4", "pop"}) EXPECT_FALSE(PopulationRowFor(doc, text)) << text;
}

TEST(Goto, IndividualHistoryReplacesTheTenthOnceFull) {
  std::vector<std::string> items;
  for (int i = 1; i <= 10; ++i) RecordIndividualHistory(items, std::to_string(i));
  RecordIndividualHistory(items, "1");  // duplicates are kept
  RecordIndividualHistory(items, "42");
  EXPECT_THAT(items, ElementsAre("1", "2", "3", "4", "5", "6", "7", "8", "9", "42"));
  std::vector<std::string> few;
  RecordIndividualHistory(few, "3");
  RecordIndividualHistory(few, "3");
  EXPECT_THAT(few, ElementsAre("3", "3"));
}

TEST(Goto, PopulationHistoryStaysSortedAndStopsAtTen) {
  std::vector<std::string> items;
  for (const char* text : {"3", "1", "2", "10"}) RecordPopulationHistory(items, text);
  EXPECT_THAT(items, ElementsAre("1", "10", "2", "3"));
  for (int i = 4; i < 20; ++i) RecordPopulationHistory(items, std::to_string(i));
  EXPECT_EQ(items.size(), 10u);
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
  EXPECT_EQ(std::count(items.begin(), items.end(), "19"), 0);
}

TEST(PopulationNames, SummaryRows) {
  Document doc = MakeTable(28, 1, {2, 12, 20}, {"A", "B"});  // RowCount 30, no name for pop 3
  const auto rows = SummarizePopulations(doc);
  ASSERT_EQ(rows.size(), 3u);
  struct Expected {
    int pop;
    const char* name;
    int first, size;
  } expected[] = {{1, "A", 1, 10}, {2, "B", 11, 8}, {3, "", 19, 10}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].pop, expected[i].pop);
    EXPECT_EQ(rows[i].name, expected[i].name);
    EXPECT_EQ(rows[i].firstIndividual, expected[i].first);
    EXPECT_EQ(rows[i].size, expected[i].size);
  }
}

TEST(PopulationNames, StoreCutsTo25Bytes) {
  Document doc = MakeTable(6, 1, {2, 4}, {"A", "B"});
  StorePopulationNames(doc, {"Nord", std::string(30, 's')});
  EXPECT_THAT(Names(doc), ElementsAre("Nord", std::string(25, 's')));
}

}  // namespace
}  // namespace relakin
