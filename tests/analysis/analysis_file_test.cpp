#include "analysis/analysis_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "analysis/allele_frequencies.h"
#include "bounded_child.h"
#include "core/errors.h"

namespace relakin {
namespace {

using ::testing::HasSubstr;

// The analysis file of the native format's worked example.
const char kExample[] =
    "2 Untitled\r\n1  nombre de pop\r\nLoc A\r\n2 101 105 \r\nLoc B\r\n1 210 \r\nNorth\r\n2\r\n"
    "     Ind01 101105 210210\r\n     Ind02 000000 210210";

TEST(AnalysisFile, WorkedExample) {
  const AnalysisData d = ReadAnalysisText(kExample);
  EXPECT_EQ(d.NbLoci, 2);
  EXPECT_EQ(d.DataTitle, " Untitled");
  EXPECT_EQ(d.NbPopGrouped, 1);
  EXPECT_EQ(d.NbInd, 2);
  EXPECT_EQ(d.AlleleCodes[1], (std::vector<std::uint16_t>{2, 101, 105}));
  EXPECT_EQ(d.AlleleCodes[2], (std::vector<std::uint16_t>{1, 210}));
  EXPECT_TRUE(d.Genotypes[0].empty());
  EXPECT_EQ(d.Genotypes[1], (std::vector<std::uint16_t>{0, 101, 105, 210, 210}));
  EXPECT_EQ(d.Genotypes[2], (std::vector<std::uint16_t>{0, 0, 0, 210, 210}));

  for (int path = 0; path < 2; ++path) {
    auto check = [](const auto& r) {
      EXPECT_EQ(r.TypedCounts[1], 1);
      EXPECT_EQ(r.TypedCounts[2], 2);
      EXPECT_EQ(r.AlleleFreqs[1][1], 0.5);
      EXPECT_EQ(r.AlleleFreqs[1][2], 0.5);
      EXPECT_EQ(r.AlleleFreqs[2][1], 1.0);
      EXPECT_EQ(r.AlleleFreqs[1][0], 0.0);
    };
    if (path == 0) check(PrepareRunData<float>(d));
    if (path == 1) check(PrepareRunData<double>(d));
  }
}

TEST(AnalysisFile, HeaderHookRunsAfterLineTwoBeforeTheLocusBlocks) {
  int calls = 0;
  const std::string broken = "1 T\r\n3  nombre de pop\r\nL\r\n1 abc \r\n";
  EXPECT_THROW(ReadAnalysisText(broken, "temp.tmp",
                                [&](const AnalysisData& d) {
                                  ++calls;
                                  EXPECT_EQ(d.NbLoci, 1);
                                  EXPECT_EQ(d.DataTitle, " T");
                                  EXPECT_EQ(d.NbPopGrouped, 3);
                                }),
               Error);
  EXPECT_EQ(calls, 1);
  calls = 0;
  EXPECT_THROW(ReadAnalysisText("x 1\r\n", "temp.tmp", [&](const AnalysisData&) { ++calls; }),
               Error);
  EXPECT_EQ(calls, 0);
}

// Counting cases: one locus with the list 1 2 3 unless stated; frequencies in list order.
struct CountCase {
  const char* name;
  std::string file;
  std::uint16_t nb_ind;
  std::uint16_t typed;
  std::vector<double> freqs;  // of locus 1
};

std::string OneLocus(const std::string& list, const std::string& blocks) {
  return "1 t\r\n" + std::string(blocks.empty() ? "0" : "1") + "  nombre de pop\r\nL\r\n" + list +
         "\r\n" + blocks;
}

TEST(AlleleCounting, Table) {
  const std::string list = "3 001 002 003 ";
  const CountCase cases[] = {
      {"missing adds nothing",
       OneLocus(list, "P\r\n2\r\n         a 001002\r\n         b 000000"),
       2,
       1,
       {0.5, 0.5, 0}},
      {"heterozygote 1 each, homozygote 2",
       OneLocus(list, "P\r\n2\r\n         a 001003\r\n         b 002002\r\n"),
       2,
       2,
       {0.25, 0.5, 0.25}},
      {"larger code first counts alike",
       OneLocus(list, "P\r\n1\r\n         a 003001\r\n"),
       1,
       1,
       {0.5, 0, 0.5}},
      {"no individual gives no-data frequencies",
       OneLocus(list, ""),
       0,
       0,
       {NoDataFrequency, NoDataFrequency, NoDataFrequency}},
      {"empty list", OneLocus("0 ", "P\r\n1\r\n         a 000000"), 1, 0, {}},
      {"code outside the list adds no copy",
       OneLocus(list, "P\r\n1\r\n         a 001009"),
       1,
       1,
       {0.5, 0, 0}},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto d = PrepareRunData<double>(ReadAnalysisText(c.file));
    EXPECT_EQ(d.NbInd, c.nb_ind);
    EXPECT_EQ(d.TypedCounts[1], c.typed);
    ASSERT_EQ(d.AlleleFreqs[1].size(), c.freqs.size() + 1);
    for (std::size_t i = 0; i < c.freqs.size(); ++i) EXPECT_EQ(d.AlleleFreqs[1][i + 1], c.freqs[i]);
  }
}

TEST(AnalysisFile, SeveralBlocksFormOneSample) {
  const std::string file =
      "1 t\r\n3  nombre de pop\r\nL\r\n2 001 002 \r\nA\r\n1\r\n         a 001001\r\n"
      "B\r\n0\r\nC\r\n2\r\n         b 002002\r\n         c 001002\r\n";
  const auto d = PrepareRunData<float>(ReadAnalysisText(file));
  EXPECT_EQ(d.NbInd, 3);
  EXPECT_EQ(d.NbPopGrouped, 1);
  EXPECT_EQ(d.Genotypes[3], (std::vector<std::uint16_t>{0, 1, 2}));
  EXPECT_EQ(d.AlleleFreqs[1][1], 0.5f);
  EXPECT_EQ(d.TypedCounts[1], 3);
}

TEST(AnalysisFile, NoLocusReadsNameFieldsOnly) {
  const AnalysisData d =
      ReadAnalysisText("0 t\r\n1  nombre de pop\r\nP\r\n2\r\n     Ind01\r\n     Ind02");
  EXPECT_EQ(d.NbLoci, 0);
  EXPECT_EQ(d.NbInd, 2);
  EXPECT_EQ(d.Genotypes[2].size(), 1u);
}

TEST(AnalysisFile, Failures) {
  struct Bad {
    const char* name;
    std::string file;
    ErrorKind kind;
    int line;
  };
  const std::string list = "2 001 002 ";
  const Bad cases[] = {
      {"not a number", OneLocus(list, "P\r\n1\r\n         a 00100x"), ErrorKind::Input, 7},
      {"negative genotype", OneLocus(list, "P\r\n1\r\n         a -1"), ErrorKind::Capacity, 7},
      {"first code too large", OneLocus(list, "P\r\n1\r\n         a 65536000"), ErrorKind::Capacity,
       7},
      // A file that ends inside a block it announces is truncated.
      {"fewer individuals than the count", OneLocus(list, "P\r\n3\r\n         a 002002\r\n"),
       ErrorKind::Input, 8},
      {"genotype missing at the end", "2 t\r\n1\r\nL\r\n0 \r\nM\r\n0 \r\nP\r\n1\r\n         a 0",
       ErrorKind::Input, 9},
      {"name field cut by the end", OneLocus(list, "P\r\n1\r\n    a"), ErrorKind::Input, 7},
      {"allele list shorter than its count", "1 t\r\n0\r\nL\r\n3 001 002", ErrorKind::Input, 4},
      {"locus block missing", "2 t\r\n0\r\nL\r\n0 \r\n", ErrorKind::Input, 5},
      {"population block missing", OneLocus(list, "").replace(5, 1, "2"), ErrorKind::Input, 5},
      {"count line missing", OneLocus(list, "P\r\n"), ErrorKind::Input, 6},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadAnalysisText(c.file, "temp.tmp");
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), c.kind) << e.what();
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_THAT(e.what(), HasSubstr("temp.tmp, ligne " + std::to_string(c.line) + " : "));
    }
  }
  try {
    ReadAnalysisFile("/nonexistent/temp.tmp");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
  }
}

// A file that declares far more than it holds reads or fails in a child process limited to
// 1 GB and 10 seconds (rows sized from the declared counts would take about 8 GB, lists from
// the declared allele counts about 4 GB).
TEST(AnalysisFile, MemoryAndTimeGrowWithWhatTheFileHolds) {
  if (test::kAddressSanitizer) GTEST_SKIP() << "no address-space limit under AddressSanitizer";
  std::string empty_loci, long_lists;
  for (int l = 0; l < 32767; ++l) empty_loci += "\r\n0 \r\n";
  for (int l = 0; l < 65535; ++l) long_lists += "\r\n65535\r\n";
  const struct {
    const char* what;
    std::string file;
    std::string says;
  } cases[] = {
      {"32767 empty loci, 65535 individuals declared, none present",
       "32767 x\r\n1\r\n" + empty_loci + "P\r\n65535\r\n",
       "temp.tmp, ligne 65539 : fichier tronqué : la fin du fichier arrive avant l'individu 1 de "
       "la population 1 (65535 annoncés)."},
      {"65535 loci with 65535 alleles declared, the counts only", "65535 x\r\n1\r\n" + long_lists,
       "temp.tmp, ligne 131072 : fichier tronqué : la fin du fichier arrive avant l'allèle 65535 "
       "du locus 1."},
      {"the 12-byte file", "65535\n65535\n",
       "temp.tmp, ligne 3 : fichier tronqué : la fin du fichier arrive avant le bloc du locus 1 "
       "(65535 annoncés)."},
  };
  for (const auto& c : cases) {
    const test::ChildOutcome outcome = test::RunInBoundedChild(
        [&]() -> std::string {
          try {
            ReadAnalysisText(c.file, "temp.tmp");
            return "read without an error";
          } catch (const Error& e) {
            if (e.kind() != ErrorKind::Input || e.what() != c.says) return e.what();
          }
          return "";
        },
        test::kOneGigabyte, 10);
    EXPECT_TRUE(outcome.ok) << c.what << ": " << outcome.what;
  }
}

}  // namespace
}  // namespace relakin
