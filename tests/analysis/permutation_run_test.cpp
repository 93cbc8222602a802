#include "analysis/permutation_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis_temp_dir.h"
#include "core/errors.h"
#include "permutation_oracle.h"
#include "random_analysis_file.h"

namespace relakin {
namespace {

using testing::InTempDir;
using testing::LiteralPermutationTest;
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
  std::map<int, std::string> vectors;
  std::vector<std::string> messages;
  std::string progress;
  std::uint32_t seed_after = 0;
};

RunOutput RunTest(std::uint16_t NbPerm, std::uint16_t PermType, std::uint16_t Estimator,
                  std::uint16_t TestOn, std::uint32_t seed, unsigned threads,
                  bool reference = false) {
  RecordedMessages messages;
  RecordingProgress progress;
  RandomGenerator random(seed);
  RunContext context{messages, progress, random, threads, reference};
  RunPermutationTest("temp.tmp", "out.res", 3, NbPerm, true, PermType, Estimator, TestOn, context);
  RunOutput out;
  out.result = ReadBytes("out.res");
  for (int k = 0; std::filesystem::exists(testing::VectorName(k)); ++k) {
    out.vectors[k] = ReadBytes(testing::VectorName(k));
    std::filesystem::remove(testing::VectorName(k));
  }
  out.messages = messages.texts;
  out.progress = progress.events;
  out.seed_after = random.Seed();
  return out;
}

struct ReproductionCase {
  RandomTableShape shape;
  std::uint16_t NbPerm, PermType, Estimator, TestOn;
};

// Production against the literal reading, byte for byte, for every thread count and for the
// literal estimators, with the same seed; the generator ends where the literal one does.
TEST(PermutationRun, ReproducesTheLiteralRunByteForByte) {
  const ReproductionCase cases[] = {
      {{9, {4, 2, 5}, 15, 11}, 12, 0, 2, 0},
      {{9, {4, 2, 5}, 15, 11}, 12, 1, 2, 1},
      {{12, {3, 1, 6, 2}, 20, 12, 1}, 11, 0, 0, 0},
      {{12, {3, 1, 6, 2}, 20, 12, 1}, 10, 1, 0, 1},
      {{30, {5, 8, 2}, 10, 13}, 21, 0, 1, 1},
      {{30, {5, 8, 2}, 10, 13}, 7, 1, 1, 0},
      {{2, {3}, 0, 14}, 3, 1, 2, 1},
      {{1, {3}, 0, 15}, 2, 0, 1, 0},
      {{6, {2, 2}, 50, 16, 6}, 4, 0, 0, 0},
  };
  for (const ReproductionCase& c : cases) {
    InTempDir dir;
    WriteBytes("temp.tmp", RandomAnalysisFile(c.shape));
    RandomGenerator literal_random(4242);
    const auto expected = LiteralPermutationTest("temp.tmp", c.NbPerm, c.PermType, c.Estimator,
                                                 c.TestOn, literal_random);
    for (const unsigned threads : {1u, 3u, 8u}) {
      for (const bool reference : {false, true}) {
        SCOPED_TRACE("individuals " + std::to_string(c.shape.individuals) + ", estimator " +
                     std::to_string(c.Estimator) + ", pass " + std::to_string(c.PermType) +
                     ", threads " + std::to_string(threads) + (reference ? ", literal" : ""));
        const RunOutput got =
            RunTest(c.NbPerm, c.PermType, c.Estimator, c.TestOn, 4242, threads, reference);
        EXPECT_EQ(got.result, expected.result);
        EXPECT_EQ(got.vectors, expected.vectors);
        EXPECT_EQ(got.seed_after, literal_random.Seed());
        EXPECT_EQ(got.messages, std::vector<std::string>{"TRAITEMENT FINI !"});
      }
    }
  }
}

// The worked example of the estimators has a pair value for every pair of its five
// individuals; the layout only depends on NbPerm.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));  // what follows the last line end
  return lines;
}

TEST(PermutationRun, LaysOutZeroTenAndElevenPermutations) {
  InTempDir dir;
  WriteBytes("temp.tmp", RandomAnalysisFile({8, {4, 3}, 0, 21}));
  struct Layout {
    std::uint16_t NbPerm;
    std::size_t lines;  // ended lines
    std::string last;   // after the last line end
    std::string line6;
  };
  for (const Layout& c :
       {Layout{0, 6, "", "    0"}, Layout{10, 7, "", "   10"}, Layout{11, 7, "", "   11"}}) {
    SCOPED_TRACE(c.NbPerm);
    const RunOutput out = RunTest(c.NbPerm, 0, 2, 0, 99, 2);
    const std::vector<std::string> lines = Lines(out.result);
    ASSERT_EQ(lines.size(), c.lines + 1);
    EXPECT_EQ(lines[0], "Data File name :  random table");
    EXPECT_EQ(lines[1], "2 Loci");
    EXPECT_EQ(lines[2], "1 Population(s) grouped");
    EXPECT_EQ(lines[3], "Rxy as in Lynch & Ritland 1999 Mean after genotype permutation");
    EXPECT_EQ(lines[4].size(), 12 + std::string(" <--- Value for real data").size());
    EXPECT_EQ(lines[4].substr(12), " <--- Value for real data");
    EXPECT_EQ(lines[5], c.line6);
    EXPECT_EQ(out.vectors.size(), c.NbPerm + 1u);
    if (c.NbPerm == 0) {
      EXPECT_EQ(lines[6], "");
    }
    if (c.NbPerm == 10) {
      // Nine cells of 12 characters and a blank, then one of 10 characters, then CR LF.
      EXPECT_EQ(lines[6].size(), 9 * 13 + 10u);
      for (int k = 0; k < 9; ++k) EXPECT_EQ(lines[6][13 * k + 12], ' ');
      EXPECT_EQ(lines[6][9 * 13 + 10 - 8], '.');  // 7 decimals
      EXPECT_EQ(lines[7], "");
    }
    if (c.NbPerm == 11) {
      EXPECT_EQ(lines[7].size(), 13u);  // one statistic and its blank, no line end
      EXPECT_EQ(lines[7].back(), ' ');
      EXPECT_EQ(lines[7][12 - 10], '.');  // 9 decimals
    }
  }
}

// Two individuals: the mean is their value, the variance its square; one individual or no
// computable pair: no statistic, "999" in its field and empty vector files.
TEST(PermutationRun, StatisticsOfOneValueAndOfNone) {
  InTempDir dir;
  // Individuals 101/103 and 101/101 at a locus of frequencies 0.75 and 0.25.
  WriteBytes("temp.tmp",
             "1 t\r\n1\r\nL\r\n2 101 103\r\nP\r\n2\r\n         a 101103\r\n"
             "         b 101101");
  const RunOutput mean = RunTest(1, 0, 1, 0, 5, 2);
  const RunOutput variance = RunTest(1, 0, 1, 1, 5, 2);
  // Queller & Goodnight: N = (1 - 0.75) + 2 (0.5 - 0.75) + (0 - 0.25) = -0.5, D = (0.5 - 0.75)
  // + 2 (1 - 0.75) + (0.5 - 0.25) = 0.5: -1, whose square is the variance.
  EXPECT_EQ(Lines(mean.result)[4], "-1.000000000 <--- Value for real data");
  EXPECT_EQ(Lines(variance.result)[4], " 1.000000000 <--- Value for real data");
  EXPECT_EQ(mean.vectors.at(0), "-1.000000000\t-1.000000000\r\n");

  WriteBytes("temp.tmp",
             "1 t\r\n1\r\nL\r\n2 101 103\r\nP\r\n2\r\n         a 101103\r\n"
             "         b 000000");
  for (const std::uint16_t TestOn : {0, 1}) {
    const RunOutput none = RunTest(11, 1, 0, TestOn, 5, 2);
    EXPECT_EQ(Lines(none.result)[4], "         999 <--- Value for real data");
    EXPECT_EQ(Lines(none.result)[6],
              "         999          999          999          999 "
              "         999          999          999          999 "
              "         999        999");
    EXPECT_EQ(Lines(none.result)[7], "         999 ");
    for (const auto& [k, text] : none.vectors) EXPECT_EQ(text, "") << k;
  }
}

TEST(PermutationRun, ReportsProgressPerDataSet) {
  InTempDir dir;
  WriteBytes("temp.tmp", RandomAnalysisFile({5, {3}, 0, 31}));
  const RunOutput out = RunTest(2, 0, 0, 0, 1, 1);
  EXPECT_EQ(out.progress, "O[3 Sur données réelles]+[3 Permutation :1]+[3 Permutation :2]+C");
}

// The generator is not reseeded: a second test continues its sequence, so the permuted
// statistics change while the real data's stays.
TEST(PermutationRun, ContinuesTheRandomSequence) {
  InTempDir dir;
  WriteBytes("temp.tmp", RandomAnalysisFile({20, {6, 5}, 5, 41}));
  RecordedMessages messages;
  Progress progress;
  RandomGenerator random(7);
  RunContext context{messages, progress, random, 2};
  RunPermutationTest("temp.tmp", "a.res", 3, 10, false, 0, 2, 0, context);
  RunPermutationTest("temp.tmp", "b.res", 3, 10, false, 0, 2, 0, context);
  const auto a = Lines(ReadBytes("a.res")), b = Lines(ReadBytes("b.res"));
  EXPECT_EQ(a[4], b[4]);
  EXPECT_NE(a[6], b[6]);
}

// An allele pass over more genes than 16-bit gene numbers allow is refused before the result
// file exists.
TEST(PermutationRun, RefusesAnAllelePassBeyondSixteenBitGenes) {
  InTempDir dir;
  std::string f = "1 t\r\n1\r\nL\r\n2 101 103\r\nP\r\n32768\r\n";
  for (int i = 0; i < 32768; ++i) f += "         a 000000\r\n";
  WriteBytes("temp.tmp", f);
  RecordedMessages messages;
  Progress progress;
  RandomGenerator random(1);
  RunContext context{messages, progress, random, 2};
  try {
    RunPermutationTest("temp.tmp", "out.res", 3, 1, false, 1, 0, 0, context);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Capacity);
    EXPECT_NE(std::string(e.what()).find("32767"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists("out.res"));
  EXPECT_TRUE(messages.texts.empty());
}

// A vector file that cannot be created stops the run with the error, for any thread count,
// and no success is reported.
TEST(PermutationRun, UnwritableVectorFileFailsTheRun) {
  for (const unsigned threads : {1u, 4u}) {
    InTempDir dir;
    WriteBytes("temp.tmp", RandomAnalysisFile({12, {4, 3}, 0, 91}));
    std::filesystem::create_directory("vector3.txt");
    RecordedMessages messages;
    Progress progress;
    RandomGenerator random(1);
    RunContext context{messages, progress, random, threads};
    try {
      RunPermutationTest("temp.tmp", "out.res", 3, 20, false, 0, 2, 0, context);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Io);
      EXPECT_NE(std::string(e.what()).find("vector3.txt"), std::string::npos);
    }
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_FALSE(std::filesystem::exists("vector20.txt"));
  }
}

TEST(PermutationRun, MissingAnalysisFileFailsWithoutResult) {
  InTempDir dir;
  RecordedMessages messages;
  Progress progress;
  RandomGenerator random(1);
  RunContext context{messages, progress, random, 2};
  EXPECT_THROW(RunPermutationTest("temp.tmp", "out.res", 3, 1, false, 0, 0, 0, context), Error);
  EXPECT_FALSE(std::filesystem::exists("out.res"));
  EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
}  // namespace relakin
