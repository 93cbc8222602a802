// The fast kernel against the literal estimators, bit for bit, and the whole run's bytes for
// any thread count.
#include "analysis/pair_kernel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "analysis/allele_frequencies.h"
#include "analysis/estimators.h"
#include "analysis/random.h"
#include "analysis/relatedness_run.h"
#include "analysis_temp_dir.h"
#include "analysis_test_data.h"

namespace relakin {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct TableShape {
  const char* name;
  int individuals, loci, alleles;
  int missing_percent;
  bool odd;  // half-typed genotypes, codes outside the lists, repeated and zero list codes
};

// Lists of `alleles` ascending codes (from 101); genotypes drawn with skewed frequencies.
AnalysisData RandomTable(const TableShape& s, std::uint32_t seed) {
  RandomGenerator r(seed);
  std::vector<std::vector<std::uint16_t>> lists(s.loci);
  for (int l = 0; l < s.loci; ++l) {
    const int k = s.odd && l == 0 ? 0 : 1 + static_cast<int>(r.Below(s.alleles));
    for (int i = 0; i < k; ++i) lists[l].push_back(static_cast<std::uint16_t>(101 + i));
    if (s.odd && l == 1 && k > 1) lists[l].push_back(lists[l][0]);  // a repeated code
    if (s.odd && l == 2) lists[l].insert(lists[l].begin(), 0);      // code 0 listed
  }
  auto draw = [&](int l) -> std::uint32_t {
    const auto& list = lists[l];
    if (list.empty()) return 101;
    const std::uint32_t a = r.Below(static_cast<std::uint32_t>(list.size()));
    return list[std::min(a, r.Below(static_cast<std::uint32_t>(list.size())))];  // skewed
  };
  std::vector<std::vector<std::uint32_t>> genotypes(s.individuals);
  for (auto& ind : genotypes) {
    for (int l = 0; l < s.loci; ++l) {
      std::uint32_t a = draw(l), b = draw(l);
      if (static_cast<int>(r.Below(100)) < s.missing_percent) a = b = 0;
      if (s.odd) {
        const std::uint32_t oddity = r.Below(20);
        if (oddity == 0) b = 0;    // half-typed: first allele only
        if (oddity == 1) a = 0;    // half-typed: second allele only
        if (oddity == 2) b = 999;  // outside the list
      }
      ind.push_back(a * 1000 + b);
    }
  }
  std::vector<std::vector<std::uint16_t>> stripped = lists;
  return testing::MakeAnalysisData(stripped, genotypes);
}

const TableShape kShapes[] = {
    {"regular", 40, 6, 8, 10, false},
    {"many missing", 30, 5, 3, 60, false},
    {"two alleles", 25, 4, 2, 5, false},
    {"odd files", 40, 6, 5, 15, true},
    // Pairs enough to outnumber the genotype-state tables many times over.
    {"many pairs", 160, 4, 3, 10, false},
    {"odd files, many pairs", 160, 4, 3, 15, true},
    // More genotypes at a locus than the kernel numbers.
    {"many genotypes", 250, 2, 40, 5, false},
};

template <class Real>
void CompareAllPairs(const RunData<Real>& d, LocusSet loci) {
  for (int estimator = 0; estimator <= 3; ++estimator) {
    const PairKernel<Real> kernel(d, estimator);
    std::vector<double> self_literal, self_fast;
    FillSelfIdentity(d, loci, self_literal);
    kernel.FillSelfIdentity(loci, self_fast);
    for (std::size_t i = 1; i <= d.NbInd; ++i) ASSERT_TRUE(SameBits(self_literal[i], self_fast[i]));
    std::vector<double> row(d.NbInd + 1);
    for (std::uint16_t x = 1; x <= d.NbInd; ++x) {
      if (x < d.NbInd) kernel.Values(x, x + 1, d.NbInd, loci, self_fast, row.data());
      for (std::uint16_t y = x + 1; y <= d.NbInd; ++y) {
        DegenerateLocusTally t_literal, t_fast;
        const double literal = PairRelatedness(d, x, y, estimator, loci, self_literal, &t_literal);
        const double fast = kernel.Value(x, y, loci, self_fast, &t_fast);
        ASSERT_TRUE(SameBits(literal, fast)) << "estimator " << estimator << " pair " << x << ","
                                             << y << ": " << literal << " vs " << fast;
        // Without a tally, as the matrix run asks (Lynch & Ritland may then take its tables).
        ASSERT_TRUE(SameBits(literal, kernel.Value(x, y, loci, self_fast)))
            << "estimator " << estimator << " pair " << x << "," << y << " without a tally";
        ASSERT_TRUE(SameBits(literal, row[y - x - 1]))
            << "estimator " << estimator << " pair " << x << "," << y << " in a row";
        ASSERT_EQ(t_literal.count, t_fast.count);
        ASSERT_TRUE(SameBits(t_literal.pa, t_fast.pa) && SameBits(t_literal.pb, t_fast.pb) &&
                    SameBits(t_literal.Sab, t_fast.Sab));
      }
    }
  }
}

TEST(PairKernel, BitIdenticalToTheLiteralEstimators) {
  for (const TableShape& s : kShapes) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
      SCOPED_TRACE(std::string(s.name) + " seed " + std::to_string(seed));
      const AnalysisData table = RandomTable(s, seed);
      // A locus list with repeats, as a bootstrap replicate draws it, and a shorter one.
      RandomGenerator r(seed);
      std::vector<std::uint16_t> list(table.NbLoci + 1, 0);
      for (std::size_t k = 1; k <= table.NbLoci; ++k)
        list[k] = static_cast<std::uint16_t>(1 + r.Below(table.NbLoci));
      const LocusSet sets[] = {LocusSet::All(table.NbLoci),
                               LocusSet::FirstEntries(list, table.NbLoci),
                               LocusSet::FirstEntries(list, table.NbLoci - 1)};
      for (const LocusSet& loci : sets) {
        CompareAllPairs(PrepareRunData<float>(table), loci);
        CompareAllPairs(PrepareRunData<double>(table), loci);
      }
    }
  }
}

// The analysis file text of a table, as the program writes it.
std::string FileText(const AnalysisData& d) {
  std::string f = std::to_string(d.NbLoci) + " random\r\n1  nombre de pop\r\n";
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    f += "L\r\n" + std::to_string(d.AlleleCount(l)) + " ";
    for (std::size_t i = 1; i <= d.AlleleCount(l); ++i)
      f += std::to_string(d.AlleleCodes[l][i]) + " ";
    f += "\r\n";
  }
  f += "P\r\n" + std::to_string(d.NbInd) + "\r\n";
  char g[8];
  for (std::size_t x = 1; x <= d.NbInd; ++x) {
    f += "      name";
    for (std::size_t l = 1; l <= d.NbLoci; ++l) {
      std::snprintf(g, sizeof g, " %03u%03u", d.First(x, l) % 1000u, d.Second(x, l) % 1000u);
      f += g;
    }
    f += "\r\n";
  }
  return f;
}

TEST(RelatednessRun, SameBytesForEveryPathAndThreadCount) {
  testing::InTempDir dir;
  for (const TableShape& s : kShapes) {
    const std::string text = FileText(RandomTable(s, 7));
    testing::WriteBytes("temp.tmp", text);
    for (int estimator = 0; estimator <= 2; ++estimator) {
      SCOPED_TRACE(std::string(s.name) + " estimator " + std::to_string(estimator));
      std::string reference;
      for (unsigned threads : {0u, 1u, 2u, 3u, 8u}) {
        RecordedMessages messages;
        Progress progress;
        RandomGenerator random(1);
        RunContext context{messages, progress, random, threads, threads == 0};
        RunRelatedness("temp.tmp", "out.res", 3, 0, false, 0, static_cast<std::uint16_t>(estimator),
                       0, context);
        const std::string bytes = testing::ReadBytes("out.res") + testing::ReadBytes("ttt.ttt");
        if (threads == 0) {
          reference = bytes;  // the literal path
        } else {
          EXPECT_EQ(bytes, reference) << threads << " threads";
        }
      }
    }
  }
}

}  // namespace
}  // namespace relakin
