#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bounded_child.h"
#include "plotter/stats/distribution_file.h"
#include "plotter/stats/errors.h"

namespace vodave {
namespace {

const std::string kData = std::string(RELAKIN_TEST_DATA) + "/plotter/";
const std::string kHeader = "a\r\nb\r\nc\r\ntitle\r\n";

TEST(VodaveDistributionFileTest, ReadsAPermutationResultFile) {
  const DistributionFile f = ReadDistributionFile(kData + "permutation12.res");
  EXPECT_EQ(f.TitleLine,
            " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus :  Mean after genotype "
            "permutation");
  EXPECT_EQ(f.ObservedValue, 0.041666667);
  EXPECT_EQ(f.PermutedValues,
            (std::vector<double>{0.012345679, -0.003456789, 0.041666667, 0.020000000, 0.055555556,
                                 -0.010000000, 0.000000000, 0.033333333, 0.041666667, 0.0250000,
                                 0.060000000, -0.041666667}));
}

TEST(VodaveDistributionFileTest, ReadsResultFilesOfTenAndOfNoPermutation) {
  const DistributionFile ten = ReadDistributionFile(kData + "permutation10.res");
  EXPECT_EQ(ten.ObservedValue, 0.45);
  ASSERT_EQ(ten.PermutedValues.size(), 10u);
  EXPECT_EQ(ten.PermutedValues[9], 0.4);
  const DistributionFile none = ReadDistributionFile(kData + "permutation0.res");
  EXPECT_EQ(none.ObservedValue, -0.125);
  EXPECT_TRUE(none.PermutedValues.empty());
}

TEST(VodaveDistributionFileTest, SkipsTheRestOfTheLineAfterEveryTenthValue) {
  const std::string content = kHeader + "0.5\r\n12\r\n1 2 3 4 5 6 7 8 9 10 11 12\r\n13 14\r\n";
  const DistributionFile f = ParseDistributionFile(content);
  EXPECT_EQ(f.PermutedValues, (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14}));
}

TEST(VodaveDistributionFileTest, TakesValuesFromFollowingLinesAndZeroAtTheEnd) {
  struct Case {
    const char* values;
    std::vector<double> expected;
  } cases[] = {
      {"1 2\r\n3\r\n4 5", {1, 2, 3, 4, 5}},  // short lines, no last line end
      {"1 2 3 4 5 ", {1, 2, 3, 4, 5}},       // trailing blank
      {"1\t2\n3 4 5\n", {1, 2, 3, 4, 5}},    // TABs, LF alone
      {"1 2 3", {1, 2, 3, 0, 0}},            // values missing at the end
  };
  for (const Case& c : cases) {
    const DistributionFile f = ParseDistributionFile(kHeader + "0.5 x y\r\n5 z\r\n" + c.values);
    EXPECT_EQ(f.PermutedValues, c.expected) << c.values;
  }
}

TEST(VodaveDistributionFileTest, RefusesMoreThanFiftyThousandValues) {
  // 70000 is 4464 in 16 bits: the count is read whole.
  for (const char* count : {"50001", "70000", "2147483647"}) {
    try {
      ParseDistributionFile(kHeader + "0.5\r\n" + count + "\r\n1 2 3\r\n");
      ADD_FAILURE() << count << " accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::TooManyValues);
      EXPECT_STREQ(e.what(), "Ce programme traite une série de 50000 valeurs au max !");
    }
  }
}

TEST(VodaveDistributionFileTest, TakesFiftyThousandValues) {
  std::string content = kHeader + "0.5\r\n50000\r\n";
  for (int i = 1; i <= 50000; ++i) content += i % 10 ? "0.25 " : "0.25\r\n";
  const DistributionFile f = ParseDistributionFile(content);
  EXPECT_EQ(f.PermutedValues.size(), 50000u);
  EXPECT_EQ(f.PermutedValues.back(), 0.25);
}

TEST(VodaveDistributionFileTest, ReportsBadTokensWithTheirLine) {
  struct Case {
    std::string content;
    int line;
  } cases[] = {
      {kHeader + "x\r\n2\r\n1 2\r\n", 5},
      {kHeader + "0.5\r\n2.5\r\n1 2\r\n", 6},
      {kHeader + "0.5\r\n-3\r\n1 2\r\n", 6},
      {kHeader + "0.5\r\n3\r\n1 2\r\n0,5\r\n", 8},
  };
  for (const Case& c : cases) {
    try {
      ParseDistributionFile(c.content, "d.gra");
      ADD_FAILURE() << c.content;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Input);
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("d.gra, ligne " + std::to_string(c.line), 0), 0u)
          << e.what();
    }
  }
}

// A token as long as the file is quoted by its first 40 characters, cut on a whole character.
TEST(VodaveDistributionFileTest, QuotesAtMostFortyCharactersOfABadToken) {
  const struct {
    std::string token;
    std::string quoted;
  } cases[] = {
      {std::string(1 << 20, 'x'), std::string(40, 'x') + "\u2026"},
      {std::string(39, 'x') + "\u00e9\u00e9", std::string(39, 'x') + "\u2026"},
      {std::string(40, 'x'), std::string(40, 'x')},
  };
  for (const auto& c : cases) {
    try {
      ParseDistributionFile(kHeader + c.token + "\r\n", "d.gra");
      ADD_FAILURE();
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()),
                "d.gra, ligne 5 : nombre attendu, trouvé « " + c.quoted + " ».");
    }
  }
}

TEST(VodaveDistributionFileTest, ReportsAFileThatCannotBeOpened) {
  try {
    ReadDistributionFile(kData + "missing.res");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
    EXPECT_NE(std::string(e.what()).find("missing.res"), std::string::npos);
  }
}

// A folder, a FIFO without a writer and an endless device are refused before any reading, with
// a French sentence naming them: never the library's own exception, a hang or a memory blow-up.
TEST(VodaveDistributionFileTest, RefusesWhatIsNotARegularFileBeforeReading) {
  std::string tmpl = (std::filesystem::temp_directory_path() / "vodave-XXXXXX").string();
  const std::string dir = mkdtemp(tmpl.data());
  const std::string fifo = dir + "/pipe.res";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path, says;
  };
  std::vector<Case> cases = {{dir, "c'est un dossier, pas un fichier."},
                             {fifo, "ce n'est pas un fichier ordinaire."}};
  // An endless read could not be stopped by a memory limit under AddressSanitizer.
  if (!relakin::test::kAddressSanitizer)
    cases.push_back({"/dev/zero", "ce n'est pas un fichier ordinaire."});
  for (const Case& c : cases) {
    const relakin::test::ChildOutcome outcome = relakin::test::RunInBoundedChild(
        [&]() -> std::string {
          try {
            ReadDistributionFile(c.path);
            return "read without an error";
          } catch (const Error& e) {
            const std::string expected = "Impossible de lire " + c.path + " : " + c.says;
            if (e.kind() != ErrorKind::Io || e.what() != expected) return e.what();
          }
          return "";
        },
        relakin::test::kAddressSanitizer ? 0 : relakin::test::kOneGigabyte, 10);
    EXPECT_TRUE(outcome.ok) << c.path << ": " << outcome.what;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vodave
