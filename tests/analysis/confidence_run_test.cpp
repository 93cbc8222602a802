#include "analysis/confidence_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/confidence_file.h"
#include "analysis_temp_dir.h"
#include "analysis_test_data.h"
#include "confidence_oracle.h"
#include "core/errors.h"
#include "random_analysis_file.h"

namespace relakin {
namespace {

using testing::InTempDir;
using testing::RandomAnalysisFile;
using testing::RandomTableShape;
using testing::ReadBytes;
using testing::WriteBytes;

class RecordingProgress : public Progress {
 public:
  void Open() override { events += "O"; }
  void Show(unsigned maximum, const std::string& label) override {
    events += "[" + std::to_string(maximum) + " " + label + "]";
  }
  void Step() override { events += "+"; }
  void Close() override { events += "C"; }
  std::string events;
};

struct RunOutput {
  std::string result;
  std::vector<std::string> messages;
  std::string progress;
  std::uint32_t seed_after = 0;
};

RunOutput RunCi(std::uint16_t Estimator, std::uint16_t Precision, bool PrintPairwise,
                std::uint16_t Method, std::uint32_t seed, unsigned threads,
                bool reference = false) {
  RecordedMessages messages;
  RecordingProgress progress;
  RandomGenerator random(1);  // replaced by the reseed
  RunContext context{messages, progress, random, threads, reference};
  RunConfidenceIntervals("temp.tmp", "out.res", Estimator, Precision, PrintPairwise, Method,
                         context, [seed](RandomGenerator& g) { g.SetSeed(seed); });
  return {ReadBytes("out.res"), messages.texts, progress.events, random.Seed()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

struct ReproductionCase {
  RandomTableShape shape;
  std::uint16_t Estimator, Precision;
  bool PrintPairwise;
  std::uint16_t Method;
};

// Production against the literal reading, byte for byte and message for message, for every
// thread count and for the literal estimators. The tables hold loci of one allele and of two,
// so Lynch & Ritland meets denominators that are not positive; some individuals are untyped.
TEST(ConfidenceRun, ReproducesTheLiteralRunByteForByte) {
  const ReproductionCase cases[] = {
      {{14, {4, 1, 3, 2}, 15, 51}, 2, 3, true, 0},
      {{14, {4, 1, 3, 2}, 15, 51}, 2, 2, false, 1},
      {{11, {5, 3, 6}, 25, 52, 1}, 0, 4, true, 0},
      {{11, {5, 3, 6}, 25, 52, 1}, 0, 1, true, 1},
      {{17, {2, 7, 4, 3, 5}, 10, 53}, 1, 5, false, 0},
      {{17, {2, 7, 4, 3, 5}, 10, 53}, 1, 3, true, 1},
      {{9, {3}, 10, 54}, 2, 3, true, 1},
      {{12, {4, 5}, 20, 58}, 2, 3, false, 1},
      {{2, {3, 2}, 0, 55}, 1, 3, true, 0},
      {{1, {3, 2}, 0, 56}, 0, 3, true, 0},
      {{0, {3, 2}, 0, 57}, 2, 3, true, 1},
  };
  int with_degenerate_loci = 0;
  for (const ReproductionCase& c : cases) {
    InTempDir dir;
    WriteBytes("temp.tmp", RandomAnalysisFile(c.shape));
    const auto expected = testing::LiteralConfidenceIntervals("temp.tmp", c.Estimator, c.Precision,
                                                              c.PrintPairwise, c.Method, 777);
    with_degenerate_loci += expected.degenerate.count != 0;
    std::vector<std::string> messages;
    if (expected.degenerate.count != 0)
      messages.push_back(DegenerateLociMessage(expected.degenerate));
    messages.push_back("TRAITEMENT FINI !");
    for (const unsigned threads : {1u, 3u, 8u}) {
      for (const bool reference : {false, true}) {
        SCOPED_TRACE("individuals " + std::to_string(c.shape.individuals) + ", estimator " +
                     std::to_string(c.Estimator) + ", method " + std::to_string(c.Method) +
                     ", threads " + std::to_string(threads) + (reference ? ", literal" : ""));
        const RunOutput got =
            RunCi(c.Estimator, c.Precision, c.PrintPairwise, c.Method, 777, threads, reference);
        EXPECT_EQ(got.result, expected.result);
        EXPECT_EQ(got.messages, messages);
      }
    }
  }
  EXPECT_GE(with_degenerate_loci, 2);
}

// The bootstrap draws NbLoci loci for each of its 100 replicates from the reseeded generator;
// the jackknife draws nothing but reseeds all the same.
TEST(ConfidenceRun, ReseedsAtTheStartOfEveryRun) {
  InTempDir dir;
  WriteBytes("temp.tmp", RandomAnalysisFile({6, {3, 4, 2}, 0, 61}));
  RandomGenerator check(31);
  for (int k = 0; k < 100 * 3; ++k) check.Below(3);
  EXPECT_EQ(RunCi(2, 3, false, 0, 31, 2).seed_after, check.Seed());
  EXPECT_EQ(RunCi(2, 3, false, 1, 31, 2).seed_after, 31u);
  EXPECT_EQ(RunCi(0, 3, false, 0, 31, 2).result, RunCi(0, 3, false, 0, 31, 4).result);
  EXPECT_NE(RunCi(0, 3, false, 0, 31, 2).result, RunCi(0, 3, false, 0, 32, 2).result);
}

// Two loci: the worked example's pair (x, y) has the Lynch & Ritland value 29/204 over both
// loci, 1 over locus 2 alone and -13/12 over locus 1 alone; the pseudo-values 2 t - v give the
// limits -2.561 and 3.213. One locus: no leave-one-out value, no limits for any pair.
TEST(ConfidenceRun, JackknifeWithOneAndTwoLoci) {
  InTempDir dir;
  WriteBytes("temp.tmp", testing::WorkedExampleFile());
  const std::vector<std::string> two = Lines(RunCi(2, 6, true, 1, 1, 2).result);
  ASSERT_GE(two.size(), 9u);
  EXPECT_EQ(two[3], "rxy in Lynch & Ritland 1999. ");
  EXPECT_EQ(two[4].substr(9, 9), "0.142157\t");  // the real-data matrix, pair (1, 2)
  EXPECT_EQ(two[8], "95% Confidence limits after jackknife over loci :");
  EXPECT_EQ(two[10].substr(0, 27), "            \t-2.561_ 3.213\t");

  std::string one_locus = "1 one\r\n1\r\nL\r\n3 101 103 105\r\nP\r\n3\r\n";
  one_locus += "         a 101103\r\n         b 101105\r\n         c 103105";
  WriteBytes("temp.tmp", one_locus);
  EXPECT_EQ(RunCi(1, 2, false, 1, 1, 2).result,
            "Data File name :  one\r\n1 Locus\r\n1 Population(s) grouped\r\n"
            "rxy in Queller & Goodnight 1989. "
            "95% Confidence limits after jackknife over loci :\r\n\r\n"
            "            \t------------\t------------\t\r\n"
            "            \t            \t------------\t\r\n");
}

// A pair with a single leave-one-out value has one pseudo-value, which is its own mean and
// spread: the limits are v -/+ 1.96 |v|, the lower one first whatever the sign of v. In the
// worked example with y untyped at locus 2, y's pairs count locus 1 only, so they have a value
// without locus 2 and none without locus 1; (x, y) is -13/12 over locus 1 under Lynch & Ritland
// (limits -3.207 and 1.040) and -1 under Queller & Goodnight. Every cell also matches the
// literal reading.
TEST(ConfidenceRun, JackknifeLimitsOfASinglePseudoValueAreInOrder) {
  InTempDir dir;
  std::string file = testing::WorkedExampleFile();
  file.replace(file.find("101105 201201"), 13, "101105 000000");
  WriteBytes("temp.tmp", file);
  const struct {
    std::uint16_t Estimator;
    const char* xy_cell;
  } cases[] = {{2, "-3.207_ 1.040\t"}, {1, "-2.960_ 0.960\t"}, {0, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE("estimator " + std::to_string(c.Estimator));
    const std::string got = RunCi(c.Estimator, 6, true, 1, 1, 2).result;
    EXPECT_EQ(got,
              testing::LiteralConfidenceIntervals("temp.tmp", c.Estimator, 6, true, 1, 1).result);
    const std::vector<std::string> lines = Lines(got);
    ASSERT_GE(lines.size(), 15u);
    if (c.xy_cell) {
      EXPECT_EQ(lines[10].substr(13, 14), c.xy_cell);
    }
    for (std::size_t row = 1; row <= 4; ++row) {
      std::istringstream cells(lines[9 + row]);
      std::string cell;
      for (std::size_t col = 1; std::getline(cells, cell, '\t'); ++col) {
        if (col <= row || cell == "------------") continue;
        const std::size_t bar = cell.find('_');
        ASSERT_NE(bar, std::string::npos) << cell;
        EXPECT_LE(std::stod(cell.substr(0, bar)), std::stod(cell.substr(bar + 1)))
            << "pair (" << row << ", " << col << "): " << cell;
      }
    }
  }
}

// Fewer than two individuals: the header, the title and the empty line; with the matrix, the
// line end of line 4 before the title. Two individuals: one row of one empty cell and a cell.
TEST(ConfidenceRun, LayoutsForFewIndividuals) {
  InTempDir dir;
  const std::string header =
      "Data File name :  random table\r\n2 Locus\r\n1 Population(s) grouped\r\n"
      " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : ";
  const std::string title = "95% Confidence limits after 100 bootstraps over loci :\r\n\r\n";
  for (const int n : {0, 1}) {
    WriteBytes("temp.tmp", RandomAnalysisFile({n, {3, 2}, 0, 71}));
    EXPECT_EQ(RunCi(0, 3, false, 0, 1, 2).result, header + title);
    EXPECT_EQ(RunCi(0, 3, true, 0, 1, 2).result, header + "\r\n" + title);
  }
  // Individual 2 is untyped: no value in any replicate, dashes and 999 in the matrix.
  WriteBytes("temp.tmp", RandomAnalysisFile({2, {3, 2}, 0, 71, 1}));
  EXPECT_EQ(RunCi(0, 2, true, 0, 1, 2).result,
            header + "\r\n        \t  999.00\t\r\n" + title + "            \t------------\t\r\n");
}

// One message for all the degenerate loci, after the run: a locus of a single allele typed in
// all three individuals is met in both directions of the three pairs, in the real data and in
// the replicate without locus 2: 12 times.
TEST(ConfidenceRun, ReportsDegenerateLociOnceWithTheirNumber) {
  InTempDir dir;
  WriteBytes("temp.tmp",
             "2 t\r\n1\r\nL1\r\n1 301\r\nL2\r\n3 101 103 105\r\nP\r\n3\r\n"
             "         a 301301 101103\r\n         b 301301 101105\r\n         c 301301 103105");
  const RunOutput out = RunCi(2, 3, false, 1, 1, 3);
  EXPECT_EQ(out.messages,
            (std::vector<std::string>{"Sab =1 Pa=1 Pb=1 (12 fois)", "TRAITEMENT FINI !"}));
  EXPECT_EQ(RunCi(1, 3, false, 1, 1, 3).messages, std::vector<std::string>{"TRAITEMENT FINI !"});
}

TEST(ConfidenceRun, ReportsProgressPerReplicate) {
  InTempDir dir;
  WriteBytes("temp.tmp", RandomAnalysisFile({5, {3, 2}, 0, 81}));
  EXPECT_EQ(RunCi(0, 3, false, 1, 1, 1).progress,
            "O[3 Sur données réelles]+[3 Sans locus :1]+[3 Sans locus :2]+C");
  const std::string boot = RunCi(0, 3, false, 0, 1, 4).progress;
  EXPECT_EQ(boot.rfind("O[101 Sur données réelles]+", 0), 0u);
  EXPECT_NE(boot.find("[101 Bootstrap :1]+[101 Bootstrap :2]+"), std::string::npos);
  EXPECT_EQ(boot.substr(boot.size() - 22), "[101 Bootstrap :100]+C");
}

TEST(ConfidenceRun, MissingAnalysisFileFailsWithoutResult) {
  InTempDir dir;
  RecordedMessages messages;
  Progress progress;
  RandomGenerator random(1);
  RunContext context{messages, progress, random, 2};
  EXPECT_THROW(RunConfidenceIntervals("temp.tmp", "out.res", 0, 3, true, 0, context), Error);
  EXPECT_FALSE(std::filesystem::exists("out.res"));
  EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
}  // namespace relakin
