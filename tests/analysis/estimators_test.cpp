#include "analysis/estimators.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "analysis/analysis_file.h"
#include "analysis/fixed_format.h"
#include "analysis_test_data.h"

namespace relakin {
namespace {

using testing::MakeRunData;
using testing::WorkedExampleFile;

std::string Six(double v) { return FormatFixed(v, 0, 6); }

template <class Real>
class WorkedExample : public ::testing::Test {
 protected:
  RunData<Real> data = PrepareRunData<Real>(ReadAnalysisText(WorkedExampleFile()));
  std::vector<std::uint16_t> list112{0, 1, 1, 2};
};
using FrequencyTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(WorkedExample, FrequencyTypes);

TYPED_TEST(WorkedExample, FrequenciesAreThoseOfTheExample) {
  const auto& f = this->data.AlleleFreqs;
  EXPECT_EQ(f[1][1], TypeParam(0.5));
  EXPECT_EQ(f[1][2], TypeParam(0.3));
  EXPECT_EQ(f[1][3], TypeParam(0.2));
  EXPECT_EQ(f[2][1], TypeParam(0.6));
  EXPECT_EQ(f[2][2], TypeParam(0.4));
}

// A value of the example: its exact fraction and the six decimals shown.
struct Expected {
  double exact;
  const char* shown;
};

// The double path gives the shown decimals; the float path carries its frequencies' rounding
// (about 1e-8), which may move the sixth decimal of a value lying near a rounding boundary
// (11/21 gives 0.523809 there), so it is held to the exact value within 2e-7.
template <class Real>
void ExpectValue(double v, Expected e) {
  if (std::is_same_v<Real, double>) {
    EXPECT_EQ(Six(v), e.shown);
    EXPECT_NEAR(v, e.exact, 1e-12);
  } else {
    EXPECT_NEAR(v, e.exact, 2e-7) << e.shown;
  }
}

TYPED_TEST(WorkedExample, BothColumnsToSixDecimals) {
  struct Column {
    LocusSet loci;
    Expected ixy, self, index, qg, lr_xy, lr_yx, lr_pair;
  };
  const Column columns[] = {
      {LocusSet::All(2),
       {17. / 30, "0.566667"},
       {32. / 45, "0.711111"},
       {51. / 64, "0.796875"},
       {11. / 21, "0.523810"},
       {1. / 6, "0.166667"},
       {2. / 17, "0.117647"},
       {29. / 204, "0.142157"}},
      {LocusSet::FirstEntries(this->list112, 3),
       {32. / 71, "0.450704"},
       {45. / 71, "0.633803"},
       {32. / 45, "0.711111"},
       {3. / 13, "0.230769"},
       {-1. / 4, "-0.250000"},
       {-2. / 13, "-0.153846"},
       {-21. / 104, "-0.201923"}},
  };
  const auto& d = this->data;
  using Real = TypeParam;
  for (const Column& c : columns) {
    SCOPED_TRACE(c.ixy.shown);
    std::vector<double> self;
    FillSelfIdentity(d, c.loci, self);
    ExpectValue<Real>(IdentityIxy(d, 1, 2, c.loci), c.ixy);
    ExpectValue<Real>(self[1], c.self);
    ExpectValue<Real>(self[2], c.self);
    ExpectValue<Real>(IdentityIndex(d, 1, 2, c.loci, self), c.index);
    ExpectValue<Real>(QuellerGoodnightRxy(d, 1, 2, c.loci), c.qg);
    ExpectValue<Real>(LynchRitlandRxy(d, 1, 2, c.loci), c.lr_xy);
    ExpectValue<Real>(LynchRitlandRxy(d, 2, 1, c.loci), c.lr_yx);
    ExpectValue<Real>(LynchRitlandPair(d, 1, 2, c.loci), c.lr_pair);
    EXPECT_EQ(PairRelatedness(d, 1, 2, kIdentityIndex, c.loci, self),
              IdentityIndex(d, 1, 2, c.loci, self));
    EXPECT_EQ(PairRelatedness(d, 1, 2, 7, c.loci, self), IdentityIndex(d, 1, 2, c.loci, self));
    EXPECT_EQ(PairRelatedness(d, 1, 2, kQuellerGoodnight, c.loci, self),
              QuellerGoodnightRxy(d, 1, 2, c.loci));
    EXPECT_EQ(PairRelatedness(d, 1, 2, kLynchRitland, c.loci, self),
              LynchRitlandPair(d, 1, 2, c.loci));
  }
}

TYPED_TEST(WorkedExample, LynchRitlandWeightsPerLocus) {
  const auto& d = this->data;
  ExpectValue<TypeParam>(LynchRitlandWeight(d, 1, 1), {2. / 3, "0.666667"});
  ExpectValue<TypeParam>(LynchRitlandWeight(d, 2, 1), {3. / 2, "1.500000"});
  ExpectValue<TypeParam>(LynchRitlandWeight(d, 1, 2), {4. / 3, "1.333333"});
  ExpectValue<TypeParam>(LynchRitlandWeight(d, 2, 2), {4. / 3, "1.333333"});
}

TYPED_TEST(WorkedExample, AThirdMonomorphicLocusChangesOnlyTheIdentity) {
  const auto three = PrepareRunData<TypeParam>(ReadAnalysisText(WorkedExampleFile(true)));
  const auto all3 = LocusSet::All(3), all2 = LocusSet::All(2);
  std::vector<double> self;
  FillSelfIdentity(three, all3, self);
  EXPECT_NEAR(IdentityIndex(three, 1, 2, all3, self), 0.844795, 5e-7);
  EXPECT_EQ(Six(QuellerGoodnightRxy(three, 1, 2, all3)),
            Six(QuellerGoodnightRxy(this->data, 1, 2, all2)));
  EXPECT_EQ(Six(LynchRitlandPair(three, 1, 2, all3)),
            Six(LynchRitlandPair(this->data, 1, 2, all2)));
}

TEST(AlleleIndex, FirstPositionOrZero) {
  const auto d = MakeRunData<double>({{101, 103, 105}, {}}, {});
  EXPECT_EQ(AlleleIndex(d, 1, 101), 1);
  EXPECT_EQ(AlleleIndex(d, 1, 105), 3);
  EXPECT_EQ(AlleleIndex(d, 1, 104), 0);
  EXPECT_EQ(AlleleIndex(d, 2, 101), 0);
}

// Expected values of the three estimators for the pair (1, 2); "NC" stands for NotComputed.
struct EdgeCase {
  const char* name;
  std::vector<std::vector<std::uint16_t>> lists;
  std::vector<std::vector<std::uint32_t>> genotypes;
  const char *identity, *qg, *lr;
  std::uint64_t degenerate;  // Lynch & Ritland loci with a non-positive denominator
};

std::string Show(double v) { return v == NotComputed ? "NC" : FormatFixed(v, 0, 6); }

TEST(EstimatorEdgeCases, Table) {
  const EdgeCase cases[] = {
      {"no locus counts", {{1, 2}}, {{1002}, {0}, {1002}}, "NC", "NC", "NC", 0},
      {"empty locus set", {}, {{}, {}}, "NC", "NC", "NC", 0},
      {"first allele 0 never counts",
       {{1, 2}, {1, 2}},
       {{1002, 1001}, {2, 2}, {2002, 2002}},
       "NC",
       "NC",
       "NC",
       0},
      // A single allele of frequency 1: identity 1 from this locus, Queller & Goodnight's
      // terms cancel, Lynch & Ritland's denominator is 0 in both directions.
      {"single allele", {{7}}, {{7007}, {7007}}, "1.000000", "NC", "NC", 2},
      // Two alleles of frequency 0.5 each, x heterozygous, y homozygous: only y as reference
      // counts (weight 2), so Lynch & Ritland has no value with x as reference.
      {"half-half, het and hom",
       {{1, 2}},
       {{1002}, {1001}, {2002}},
       "0.707107",
       "0.000000",
       "NC",
       1},
      // Both heterozygous for the only two alleles of frequency 0.5 each.
      {"both heterozygous, half-half", {{1, 2}}, {{1002}, {1002}}, "1.000000", "NC", "NC", 2},
      // A locus where only y is typed adds nothing to the pair (the identity index moves only
      // through y's self-identity, which takes that locus).
      {"one-sided locus adds nothing",
       {{1, 2}, {1, 2}},
       {{1002, 0}, {1001, 1002}, {2002, 1001}},
       "0.801784",
       "0.000000",
       "NC",
       1},
      // Mended: a locus with an empty list (sum of squared frequencies 0) adds nothing.
      {"empty list", {{}}, {{1001}, {1001}}, "NC", "NC", "NC", 0},
      // Mended: the reference's allele 9 stands in no list; that direction adds nothing.
      {"allele outside the list",
       {{1, 2}},
       {{1009}, {1001}, {2002}},
       "1.000000",
       "0.500000",
       "NC",
       0},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (int path = 0; path < 2; ++path) {
      auto check = [&](const auto& d) {
        const LocusSet loci = LocusSet::All(d.NbLoci);
        std::vector<double> self;
        FillSelfIdentity(d, loci, self);
        DegenerateLocusTally tally;
        EXPECT_EQ(Show(IdentityIndex(d, 1, 2, loci, self)), c.identity);
        EXPECT_EQ(Show(QuellerGoodnightRxy(d, 1, 2, loci)), c.qg);
        EXPECT_EQ(Show(LynchRitlandPair(d, 1, 2, loci, &tally)), c.lr);
        EXPECT_EQ(tally.count, c.degenerate);
      };
      if (path == 0) check(MakeRunData<float>(c.lists, c.genotypes));
      if (path == 1) check(MakeRunData<double>(c.lists, c.genotypes));
    }
  }
}

TEST(EstimatorEdgeCases, UntypedIndividualHasNoSelfIdentity) {
  const auto d = MakeRunData<double>({{1, 2}}, {{1002}, {0}, {1001}});
  std::vector<double> self;
  FillSelfIdentity(d, LocusSet::All(1), self);
  EXPECT_EQ(self[2], NotComputed);
  EXPECT_EQ(IdentityIndex(d, 1, 2, LocusSet::All(1), self), NotComputed);
  EXPECT_NE(IdentityIndex(d, 1, 3, LocusSet::All(1), self), NotComputed);
}

TEST(EstimatorEdgeCases, DegenerateTallyKeepsTheFirstOccurrence) {
  const auto d = MakeRunData<double>({{1, 2}}, {{1002}, {1001}, {2002}});
  DegenerateLocusTally tally;
  LynchRitlandPair(d, 1, 2, LocusSet::All(1), &tally);
  ASSERT_EQ(tally.count, 1u);
  EXPECT_EQ(tally.Sab, 0.0);
  EXPECT_EQ(tally.pa, 0.5);
  EXPECT_EQ(tally.pb, 0.5);
  DegenerateLocusTally first, later;
  later.Add(1, 1, 1);
  first.Merge(later);
  first.Merge(tally);
  EXPECT_EQ(first.count, 2u);
  EXPECT_EQ(first.Sab, 1.0);
}

}  // namespace
}  // namespace relakin
