#include "analysis/relatedness_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "analysis/allele_frequencies.h"
#include "analysis/analysis_file.h"
#include "analysis/estimators.h"
#include "analysis/output_file.h"
#include "analysis/relatedness_file.h"
#include "analysis_temp_dir.h"
#include "analysis_test_data.h"
#include "core/errors.h"
#include "random_analysis_file.h"

namespace relakin {
namespace {

using testing::InTempDir;
using testing::ReadBytes;
using testing::WriteBytes;

// One locus 001/002; individual 1 is 001/002, 2 is 001/001, 3 is missing: the pair (1, 2) has
// the identity index 1/sqrt(2), the pairs with 3 are not computed.
std::string SmallFile(int n) {
  const char* rows[] = {"         a 001002", "         b 001001", "         c 000000"};
  std::string f = "1 t\r\n1  nombre de pop\r\nL\r\n";
  f += n >= 2 ? "2 001 002 \r\n" : n == 1 ? "2 001 002 \r\n" : "0 \r\n";
  f += "P\r\n" + std::to_string(n) + "\r\n";
  for (int i = 0; i < n; ++i) f += rows[i] + std::string(i + 1 < n ? "\r\n" : "");
  return f;
}

const char kIdentityHeader[] =
    "Data File name  :  t\r\n1 Loci\r\n1 Population(s) grouped\r\n"
    "I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : (999 = calcul non fait !)\r\n"
    " Ixy (as mathieu et al.)\r\n"
    "  = SOMMEj(SOMMEi(Pijx*Pijy)/SOMMEi(Faij)\xB2)\r\n"
    "   / SOMMEj(1/SOMMEi(Faij)\xB2)\r\n"
    " avec :\r\n"
    " aij all\xE8le i au locus j\r\n"
    " Faij la fr\xE9quence de cet all\xE8le dans l'\xE9\x63hantillon\r\n"
    " Pijx probabilit\xE9 de tirer l'all\xE8le i au locus j chez l'indiv x\r\n";

std::string RelatednessHeaderFor(int estimator) {
  const std::string top = "Data File name  :  t\r\n1 Loci\r\n1 Population(s) grouped\r\n";
  if (estimator == kQuellerGoodnight) return top + "Rxy as in Queller & Goodnight 1989\r\n";
  if (estimator == kLynchRitland) return top + "Rxy as in Lynch & Ritland 1999\r\n";
  return kIdentityHeader;
}

const char kDHeading[] = "Valeurs de D=1-I par paire d'individus : (999 = calcul non fait !)\r\n";

class RecordingProgress : public Progress {
 public:
  void Open() override { events += "O"; }
  void Show(unsigned maximum, const std::string& label) override {
    events += "S" + std::to_string(maximum) + label;
  }
  void Step() override { ++steps; }
  void Close() override { events += "C"; }
  std::string events;
  int steps = 0;
};

struct TestRun {
  RecordedMessages messages;
  RecordingProgress progress;
  RandomGenerator random{1};
  RunContext context{messages, progress, random};

  void Go(const std::string& analysis, int estimator, int precision,
          const std::string& result = "out.res") {
    WriteBytes("temp.tmp", analysis);
    RunRelatedness("temp.tmp", result, static_cast<std::uint16_t>(precision), 0, false, 0,
                   static_cast<std::uint16_t>(estimator), 0, context);
  }
};

TEST(RelatednessRun, GoldenThreeIndividuals) {
  InTempDir dir;
  TestRun run;
  run.Go(SmallFile(3), kIdentityIndex, 2);
  const std::string col = "              1    2    3";
  const std::string values =
      "         1      0.71  999\r\n         2            999\r\n"
      "         3               \r\n";
  const std::string dists =
      "         1      0.29  999\r\n         2            999\r\n"
      "         3               \r\n";
  EXPECT_EQ(ReadBytes("out.res"), std::string(kIdentityHeader) + "\r\n" + col + "\r\n" + values +
                                      col + "\r\n\r\n" + kDHeading + "3\r\n" + col + "\r\n" +
                                      dists + col + "\r\n");
  EXPECT_EQ(ReadBytes("ttt.ttt"), "\r\n" + col + "\r\n" + dists + col);
  EXPECT_EQ(run.messages.texts, std::vector<std::string>{"TRAITEMENT FINI !"});
  EXPECT_EQ(run.progress.events, "OS4C");
  EXPECT_EQ(run.progress.steps, 4);
}

TEST(RelatednessRun, GoldenNoAndOneIndividual) {
  InTempDir dir;
  TestRun run;
  run.Go(SmallFile(0), kIdentityIndex, 2);
  const std::string c0 = "          ";
  EXPECT_EQ(ReadBytes("out.res"), std::string(kIdentityHeader) + "\r\n" + c0 + "\r\n\r\n" + c0 +
                                      "\r\n\r\n" + kDHeading + "0\r\n" + c0 + "\r\n\r\n" + c0 +
                                      "\r\n");
  EXPECT_EQ(ReadBytes("ttt.ttt"), "\r\n" + c0 + "\r\n\r\n" + c0);

  run.Go(SmallFile(1), kIdentityIndex, 2);
  const std::string c1 = "              1", row = "         1     \r\n";
  EXPECT_EQ(ReadBytes("out.res"), std::string(kIdentityHeader) + "\r\n" + c1 + "\r\n" + row + c1 +
                                      "\r\n\r\n" + kDHeading + "1\r\n" + c1 + "\r\n" + row + c1 +
                                      "\r\n");
}

// The layout built independently, with printf's formatting, from the literal pair values.
std::string ExpectedMatrices(int n, int precision, const std::function<double(int, int)>& value) {
  const int w = precision + 2;
  char cell[64];
  std::string col(10, ' ');
  for (int j = 1; j <= n; ++j) col += (std::snprintf(cell, sizeof cell, " %*d", w, j), cell);
  std::string vals, dists;
  for (int i = 1; i <= n; ++i) {
    std::snprintf(cell, sizeof cell, "%10d", i);
    const std::string lead = cell + std::string(i * (w + 1), ' ');
    vals += lead;
    dists += lead;
    for (int j = i + 1; j <= n; ++j) {
      const double v = value(i, j);
      if (v == 999) {
        std::snprintf(cell, sizeof cell, " %*d", w, 999);
        vals += cell;
        dists += cell;
      } else {
        vals += (std::snprintf(cell, sizeof cell, " %*.*f", w, precision, v), cell);
        dists += (std::snprintf(cell, sizeof cell, " %*.*f", w, precision, 1 - v), cell);
      }
    }
    vals += "\r\n";
    dists += "\r\n";
  }
  if (n == 0) vals = dists = "\r\n";
  return "\r\n" + col + "\r\n" + vals + col + "\r\n\r\n" + kDHeading + std::to_string(n) + "\r\n" +
         col + "\r\n" + dists + col + "\r\n";
}

TEST(RelatednessRun, LayoutForEachSizeEstimatorAndPrecision) {
  InTempDir dir;
  for (int n = 0; n <= 3; ++n) {
    const MatrixRunData d = PrepareRunData<float>(ReadAnalysisText(SmallFile(n)));
    std::vector<double> self;
    FillSelfIdentity(d, LocusSet::All(1), self);
    for (int estimator = 0; estimator <= 2; ++estimator) {
      for (int precision = 1; precision <= 5; ++precision) {
        SCOPED_TRACE(std::to_string(n) + " individuals, estimator " + std::to_string(estimator) +
                     ", precision " + std::to_string(precision));
        TestRun run;
        run.Go(SmallFile(n), estimator, precision);
        const std::string text = ReadBytes("out.res");
        const std::string header = RelatednessHeaderFor(estimator);
        ASSERT_EQ(text.substr(0, header.size()), header);
        EXPECT_EQ(text.substr(header.size()), ExpectedMatrices(n, precision, [&](int i, int j) {
                    return PairRelatedness(d, static_cast<std::uint16_t>(i),
                                           static_cast<std::uint16_t>(j), estimator,
                                           LocusSet::All(1), self);
                  }));
        EXPECT_EQ(run.progress.steps, n + 1);
      }
    }
  }
}

TEST(RelatednessRun, WorkedExampleValuesInTheFile) {
  InTempDir dir;
  struct Case {
    int estimator;
    const char* first_row;  // row 1 of the value block: the pair (1, 2) then (1, 3) ...
  } const cases[] = {
      {kIdentityIndex, "         1        0.7969"},
      {kQuellerGoodnight, "         1        0.5238"},
      {kLynchRitland, "         1        0.1422"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.estimator);
    TestRun run;
    run.Go(testing::WorkedExampleFile(), c.estimator, 4);
    const std::string text = ReadBytes("out.res");
    EXPECT_NE(text.find(std::string("\r\n") + c.first_row), std::string::npos) << text;
  }
}

// The fast path on any number of threads, cut into chunks of 1 or 3 rows, against the literal
// single-thread path: tables on a chunk's size, one over, more chunks than the workers keep in
// flight, and rows long enough to be taken in several blocks of columns. Precision 1 widens the
// negative values' fields, so chunks differ in size; missing data and an untyped individual give
// "999" cells.
TEST(RelatednessRun, SameBytesForEveryThreadCountAndChunkSize) {
  InTempDir dir;
  const std::uint16_t precision = 1;
  for (int n : {3, 4, 40, 300}) {
    const MatrixRunData d = PrepareRunData<float>(
        ReadAnalysisText(testing::RandomAnalysisFile({n, {4, 1, 2, 5}, 20, 91, 1})));
    const std::size_t row_bytes = RelatednessRows(d.NbInd, precision).RowBytes();
    for (int estimator = 0; estimator <= 2; ++estimator) {
      TestRun literal;
      literal.context.reference = true;
      OutputFile literal_result("literal.res");
      WriteRelatednessMatrices(d, estimator, precision, literal_result, literal.context);
      const std::string expected = ReadBytes("literal.res"), scratch = ReadBytes("ttt.ttt");
      for (unsigned threads : {1u, 2u, 8u}) {
        for (std::size_t rows_per_chunk : {1, 3}) {
          SCOPED_TRACE(std::to_string(n) + " individuals, estimator " + std::to_string(estimator) +
                       ", " + std::to_string(threads) + " threads, chunks of " +
                       std::to_string(rows_per_chunk));
          TestRun fast;
          fast.context.threads = threads;
          OutputFile result("fast.res");
          WriteRelatednessMatrices(d, estimator, precision, result, fast.context,
                                   rows_per_chunk * row_bytes);
          ASSERT_EQ(ReadBytes("fast.res"), expected);
          ASSERT_EQ(ReadBytes("ttt.ttt"), scratch);
          EXPECT_EQ(fast.progress.steps, n + 1);
        }
      }
    }
  }
}

TEST(RelatednessRun, IdentityWithoutACommonTypedLocusIs999InBothBlocks) {
  InTempDir dir;
  TestRun run;
  run.Go(
      "2 t\r\n1  nombre de pop\r\nA\r\n1 001 \r\nB\r\n1 001 \r\nP\r\n2\r\n"
      "         a 001001 000000\r\n         b 000000 001001",
      kIdentityIndex, 1);
  // Precision 1: w = 3; row 1 is its number, 4 blanks and the cell of pair (1, 2).
  const std::string row = "         1     999\r\n";
  const std::string text = ReadBytes("out.res");
  const std::size_t first = text.find(row);
  ASSERT_NE(first, std::string::npos) << text;
  EXPECT_NE(text.find(row, first + 1), std::string::npos) << "no 999 in the D block";
  EXPECT_NE(ReadBytes("ttt.ttt").find(row), std::string::npos);
}

TEST(RelatednessRun, FailuresAreReportedAndNeverFollowedBySuccess) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
    std::string result;
  } const cases[] = {
      {"result in a missing folder", [] {}, "no/such/dir/out.res"},
      {"full device", [] {}, "/dev/full"},
      {"scratch file cannot be created", [] { std::filesystem::create_directory("ttt.ttt"); },
       "out.res"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InTempDir dir;
    if (c.name == std::string("full device") && !std::filesystem::exists("/dev/full")) continue;
    c.prepare();
    TestRun run;
    try {
      run.Go(SmallFile(3), kIdentityIndex, 2, c.result);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Io);
    }
    EXPECT_TRUE(run.messages.texts.empty());
    EXPECT_EQ(run.progress.events.find('O') == std::string::npos,
              run.progress.events.find('C') == std::string::npos);
  }
  InTempDir dir;
  TestRun run;
  EXPECT_THROW(RunRelatedness("missing.tmp", "never.res", 2, 0, false, 0, 0, 0, run.context),
               Error);
  EXPECT_FALSE(std::filesystem::exists("never.res"));
  EXPECT_TRUE(run.messages.texts.empty());
}

// The result file is replaced only once complete: an error after its header leaves none.
TEST(RelatednessRun, AnErrorAfterTheHeaderLeavesNoResultFile) {
  InTempDir dir;
  TestRun run;
  EXPECT_THROW(run.Go("1 t\r\n1  nombre de pop\r\nL\r\n2 001 x \r\n", kQuellerGoodnight, 2), Error);
  EXPECT_FALSE(std::filesystem::exists("out.res"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);  // temp.tmp only
  EXPECT_TRUE(run.messages.texts.empty());
}

}  // namespace
}  // namespace relakin
