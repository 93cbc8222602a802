#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "plotter/stats/statistics_texts.h"

namespace vodave {
namespace {

using Rows = std::vector<std::array<std::string, 2>>;

DistributionFile File(double observed, std::vector<double> permuted) {
  return DistributionFile{"", observed, std::move(permuted)};
}

TEST(VodaveStatisticsTextsTest, WritesTheClassTableWithItsTotal) {
  const Histogram h = ComputeHistogram(File(10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 5);
  EXPECT_EQ(ClassTableRows(h.Classes, ","), (Rows{{"Lim. > de classe", "Effectif"},
                                                  {"2,0000", "3"},
                                                  {"4,0000", "2"},
                                                  {"6,0000", "2"},
                                                  {"8,0000", "2"},
                                                  {"10,0000", "2"},
                                                  {"Total", "11"}}));
  const Histogram one = ComputeHistogram(File(-0.125, {}), 20);
  const Rows rows = ClassTableRows(one.Classes, ".");
  ASSERT_EQ(rows.size(), 22u);
  EXPECT_EQ(rows[1], (std::array<std::string, 2>{"-0.1250", "1"}));
  EXPECT_EQ(rows[21], (std::array<std::string, 2>{"Total", "1"}));
}

// The left column compares with the observed value, the right one with its opposite.
TEST(VodaveStatisticsTextsTest, PutsEachShareInTheColumnOfItsReference) {
  struct Case {
    double observed;
    std::vector<double> permuted;
    std::array<const char*, 8> texts;  // val_rel, oval_reel, left triple, right triple
  } cases[] = {
      {0.5,
       {0.2, 0.5, 0.7, 0.9},
       {"0.5000", "-0.5000", "50.00", "25.00", "25.00", "100.00", "0.00", "0.00"}},
      {-0.5,
       {0.2, 0.5, 0.7, 0.9},
       {"-0.5000", "0.5000", "100.00", "0.00", "0.00", "50.00", "25.00", "25.00"}},
      {0,
       {-0.1, 0, 0, 0.2},
       {"0.0000", "0.0000", "25.00", "50.00", "25.00", "25.00", "50.00", "25.00"}},
  };
  for (const Case& c : cases) {
    const StatisticsTexts t =
        MakeStatisticsTexts(ComputeHistogram(File(c.observed, c.permuted), 10).Stats, ".");
    const std::array<std::string, 8> got = {t.val_rel,   t.oval_reel, t.pour100,     t.pourc_egal,
                                            t.pourc_inf, t.opour100,  t.opourc_egal, t.opourc_inf};
    for (std::size_t i = 0; i < got.size(); ++i)
      EXPECT_EQ(got[i], c.texts[i]) << c.observed << " " << i;
  }
}

TEST(VodaveStatisticsTextsTest, WritesTheMomentsWithTheUsersSeparator) {
  const StatisticsTexts t =
      MakeStatisticsTexts(ComputeHistogram(File(0.5, {0.2, 0.5, 0.7, 0.9}), 5).Stats, ",");
  EXPECT_EQ(t.val_min, "0,2000");
  EXPECT_EQ(t.val_max, "0,9000");
  EXPECT_EQ(t.val_mean, "0,7000");
  EXPECT_EQ(t.std_dev, "0,3041");  // sqrt(0.0925)
  EXPECT_EQ(t.coef_as, "-1,1819");
  EXPECT_EQ(t.coef_ap, "1,9664");
  EXPECT_EQ(t.class_r, "3");
  EXPECT_EQ(t.pour100, "50,00");
}

TEST(VodaveStatisticsTextsTest, SaysWhatCannotBeComputed) {
  const StatisticsTexts none =
      MakeStatisticsTexts(ComputeHistogram(File(-0.125, {}), 10).Stats, ".");
  for (const std::string* text :
       {&none.pour100, &none.pourc_egal, &none.pourc_inf, &none.opour100, &none.opourc_egal,
        &none.opourc_inf, &none.val_mean, &none.std_dev, &none.coef_as, &none.coef_ap})
    EXPECT_EQ(*text, "non défini");
  EXPECT_EQ(none.val_min, "-0.1250");
  EXPECT_EQ(none.class_r, "1");

  const StatisticsTexts flat =
      MakeStatisticsTexts(ComputeHistogram(File(0, {0, 0}), 10).Stats, ".");
  EXPECT_EQ(flat.std_dev, "0.0000");
  EXPECT_EQ(flat.coef_as, "non défini");
  EXPECT_EQ(flat.coef_ap, "non défini");
  EXPECT_EQ(flat.pourc_egal, "100.00");
}

}  // namespace
}  // namespace vodave
