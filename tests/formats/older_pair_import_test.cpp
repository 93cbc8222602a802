// The older file pair (.don data file and .mod locus file).
#include "formats/older_pair_import.h"

#include "import_test_util.h"

namespace relakin {
namespace {

using test::ErrorOf;
using test::FirstRows;
using test::PopNames;
using test::RowTexts;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

Document Read(const std::string& don, const std::string& mod, ImportWarnings* warnings = nullptr) {
  std::istringstream data(don), locus(mod);
  return ReadModDonPair(data, locus, "t.don", warnings);
}

const std::string kHeader = "3 2 rest of line 1\r\nline 2\r\nline 3\r\nline 4\r\n";
const std::string kMod = "  L01xx\r\n  L02xx and more\r\n";

TEST(OlderPairImport, ReadsTheLayout) {
  const Document doc =
      Read(kHeader + "A001 105101 7 \t\r\nA002\t12000\t0\r\nB 03 1001 2002\r\n", kMod);
  EXPECT_THAT(RowTexts(doc),
              ElementsAre("||locus1|locus2", "||L01|L02", "Pop Ind1|A001|101105|000007",
                          "    Ind2|A002|012000|000000", "Pop Ind3|B 03|001001|002002"));
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 4));
  EXPECT_THAT(PopNames(doc), ElementsAre("Population 1", "Population 2"));
}

TEST(OlderPairImport, EachChangeOfCodeStartsAPopulation) {
  const Document doc = Read("4 1\n\n\n\nA001 1001\nB002 1001\nA003 1001\nA004 1001\n", "  L01\n");
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 3, 4));
  EXPECT_THAT(PopNames(doc), ElementsAre("Population 1", "Population 2", "Population 3"));
}

TEST(OlderPairImport, ABlankFirstCodeStillStartsPopulationOne) {
  const Document doc = Read("3 1\n\n\n\n 001 1001\n 002 1001\nA003 1001\n", "  L01\n");
  EXPECT_EQ(doc.Cells.Cells(0, 2), "Pop Ind1");
  EXPECT_EQ(doc.Cells.Cells(1, 2), " 001");
  EXPECT_THAT(FirstRows(doc), ElementsAre(2, 4));
  EXPECT_THAT(PopNames(doc), ElementsAre("Population 1", "Population 2"));
}

TEST(OlderPairImport, ShortOrMissingLocusLinesNeverRunIntoTheNextLine) {
  const Document doc = Read("1 4\n\n\n\nA001 1 2 3 4\n", "xxABCyy\nxyZ\nxx\n");
  EXPECT_THAT(RowTexts(doc)[1], "||ABC|Z||");
}

TEST(OlderPairImport, ZerosAloneAreMissingAtAnyWidth) {
  const Document doc =
      Read("1 4\n\n\n\nA001 0000000 000000000000 +0000000 000\n", "  L01\n  L02\n  L03\n  L04\n");
  EXPECT_EQ(RowTexts(doc)[2], "Pop Ind1|A001|000000|000000|000000|000000");
}

// Names the data file has no locus for would be dropped unseen, and the names kept may then be
// one line off.
TEST(OlderPairImport, MoreLocusNamesThanLociAreSaid) {
  const std::string don = "1 2\r\n\r\n\r\n\r\nA001 1001 2002\r\n";
  struct Case {
    const char* what;
    std::string mod;
    const char* names;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      {"a blank first line",
       "\r\n  L01\r\n  L02\r\n",
       "|||L01",
       {"t.mod : 1 nom de locus de trop (ligne 3) : le fichier de données (ligne 1) annonce 2 "
        "locus, ce nom n'est pas importé."}},
      {"the locus file of other data",
       "  L01\n  L02\n  L03\n\n  L04\n  L05\n",
       "||L01|L02",
       {"t.mod : 3 noms de locus de trop (à partir de la ligne 3) : le fichier de données (ligne "
        "1) annonce 2 locus, ces noms ne sont pas importés."}},
      {"blank lines and a Ctrl-Z after the names",
       "  L01\r\n  L02\r\n\r\n  \t\r\n\x1a",
       "||L01|L02",
       {}},
      {"as many names as loci", "  L01\r\n  L02", "||L01|L02", {}},
  };
  for (const Case& c : cases) {
    ImportWarnings warnings;
    const Document doc = Read(don, c.mod, &warnings);
    EXPECT_EQ(RowTexts(doc)[1], c.names) << c.what;
    EXPECT_EQ(warnings, c.said) << c.what;
  }
}

TEST(OlderPairImport, FailuresNameTheLine) {
  struct Case {
    const char* what;
    std::string don;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"fewer individuals than the header says", "3 1\n\n\n\nA001 1001\nA002 1001\n", 7,
       "avant l'individu 3"},
      {"the last line holds fewer genotypes than loci", "1 3\n\n\n\nA001 1001 2002\n", 5,
       "la ligne se termine avant le génotype du locus 3 de l'individu 1"},
      {"a short line in mid-file never takes the next name for a genotype",
       "2 3\n\n\n\nA001 1001\n2002 3003 4004 5005\n", 5,
       "la ligne se termine avant le génotype du locus 2 de l'individu 1"},
      {"more genotypes than loci on a line", "1 1\n\n\n\nA001 1001 2002\n", 5,
       "« 2002 » après le dernier génotype de l'individu 1 (1 génotype attendu, un par locus)."},
      {"an individual count beyond 16 bits", "65536 1\n", 1, "nombre d'individus"},
      {"a locus count beyond 16 bits", "1 70000\n", 1, "nombre de locus"},
      {"an empty file", "", 1, "nombre d'individus"},
      {"a line that ends inside the name", "2 1\n\n\n\nA001 1001\nA0\nA003 1001\n", 6,
       "dans son nom"},
      {"a genotype that is not a number", "1 1\n\n\n\nA001 10x1\n", 5, "10x1"},
      {"a genotype whose allele exceeds 16 bits", "1 1\n\n\n\nA001 65536000\n", 5,
       "génotype « 65536000 » trop long"},
      {"a genotype of 7 digits", "1 1\n\n\n\nA001 1234567\n", 5,
       "t.don, ligne 5 : génotype « 1234567 » trop long au locus 1 de l'individu 1 : 6 chiffres au "
       "plus (3 par allèle)."},
      {"an allele after six zeros", "1 1\n\n\n\nA001 0000001\n", 5,
       "génotype « 0000001 » trop long"},
      {"7 digits with a leading zero, at locus 2 of individual 2",
       "2 2\n\n\n\nA001 1001 2002\nA002 1001 0101102\n", 6,
       "génotype « 0101102 » trop long au locus 2 de l'individu 2 : 6 chiffres au plus"},
      {"more individual lines than the header says",
       "2 2\n\n\n\nA001 1001 2002\nA002 1001 2002\nB003 1001 2002\n", 7,
       "t.don, ligne 7 : ligne de trop « B003 1001 2002 », l'en-tête (ligne 1) annonce 2 "
       "individus."},
      {"an individual after blank lines past the only one announced",
       "1 1\n\n\n\nA001 1001\n\n  \t\n 002 1001\n", 8,
       "ligne de trop «  002 1001 », l'en-tête (ligne 1) annonce 1 individu."},
      {"an individual line when the header announces none", "0 1\n\n\n\nA001 1001\r\n", 5,
       "ligne de trop « A001 1001 », l'en-tête (ligne 1) annonce 0 individu."},
  };
  for (const Case& c : cases) {
    const Error e = ErrorOf([&] { Read(c.don, "  L01\n  L02\n  L03\n"); });
    EXPECT_EQ(e.kind(), ErrorKind::Input) << c.what;
    EXPECT_EQ(e.line(), c.line) << c.what;
    EXPECT_THAT(e.what(), HasSubstr(c.says)) << c.what;
    EXPECT_THAT(e.what(), HasSubstr("t.don, ligne ")) << c.what;
  }
}

TEST(OlderPairImport, BlankTextAfterTheAnnouncedIndividualsAddsNobody) {
  for (const char* tail : {"", "\r\n", "\r\n\r\n   \t\r\n", "\x1a", "\r\n\x1a\r\n"}) {
    const Document doc =
        Read(std::string("2 1\r\n\r\n\r\n\r\nA001 999999\r\nA002 1001") + tail, "  L01\r\n");
    EXPECT_THAT(RowTexts(doc),
                ElementsAre("||locus1", "||L01", "Pop Ind1|A001|999999", "    Ind2|A002|001001"))
        << "tail of " << std::string(tail).size() << " bytes";
  }
}

TEST(OlderPairImport, HugeDeclaredCountsInATinyFileFailAtOnce) {
  const Error e = ErrorOf([] { Read("65535 65535\n", ""); });
  EXPECT_EQ(e.line(), 2);
  EXPECT_THAT(e.what(), HasSubstr("avant l'individu 1 (65535 individus annoncés)"));
}

TEST(OlderPairImport, LocusFileNameReplacesTheLastThreeCharacters) {
  EXPECT_EQ(OlderLocusFileName("data.don"), "data.mod");
  EXPECT_EQ(OlderLocusFileName("/tmp/data.txt"), "/tmp/data.mod");
  EXPECT_EQ(OlderLocusFileName("donn\xC3\xA9"
                               "es"),
            "donnmod");  // é is one character
  EXPECT_EQ(OlderLocusFileName("abc"), "mod");
  EXPECT_EQ(OlderLocusFileName("ab"), std::nullopt);
}

TEST(OlderPairImport, LocusFileTakesTheDataFileLetterCaseFirstThenTheOther) {
  EXPECT_EQ(OlderLocusFileName("DATA.DON"), "DATA.MOD");
  EXPECT_EQ(OlderLocusFileName("Data.Don"), "Data.mod");
  EXPECT_EQ(OlderLocusFileName("DATA.D0N"), "DATA.MOD");
  const struct {
    const char* data;
    std::vector<const char*> present;
    const char* found;  // nullptr: none
  } cases[] = {
      {"DATA.DON", {"DATA.MOD"}, "DATA.MOD"},
      {"data.don", {"data.MOD"}, "data.MOD"},
      {"data.don", {"DATA.MOD"}, nullptr},  // the name before the extension keeps its case
      {"DATA.DON", {"DATA.mod"}, "DATA.mod"},
      {"DATA.DON", {"DATA.Mod"}, nullptr},
      {"DATA.DON", {"DATA.mod", "DATA.MOD"}, "DATA.MOD"},
      {"data.don", {"data.mod", "DATA.MOD"}, "data.mod"},
      {"data.don", {}, nullptr},
  };
  for (const auto& c : cases) {
    test::TempFiles files;
    for (const char* p : c.present) files.Write(p, "  L01\r\n");
    const std::optional<std::string> found = FindOlderLocusFile(files.Path(c.data));
    if (c.found) {
      EXPECT_EQ(found, files.Path(c.found)) << c.data;
    } else {
      EXPECT_EQ(found, std::nullopt) << c.data;
    }
  }
  test::TempFiles files;
  files.Write("POP.MOD", "  L01\r\n");
  const Document doc = ReadModDonPair(files.Write("POP.DON", "1 1\r\n\r\n\r\n\r\nA001 1002\r\n"));
  EXPECT_THAT(RowTexts(doc), ElementsAre("||locus1", "||L01", "Pop Ind1|A001|001002"));
}

TEST(OlderPairImport, ReadsThePairFromDisk) {
  test::TempFiles files;
  const std::string don = files.Write("pop.don", "1 1\r\n\r\n\r\n\r\nA001 101102\r\n");
  files.Write("pop.mod", "  L01  \r\n");
  const Document doc = ReadModDonPair(don);
  EXPECT_THAT(RowTexts(doc), ElementsAre("||locus1", "||L01", "Pop Ind1|A001|101102"));

  const Error missing = ErrorOf([&] { ReadModDonPair(files.Write("lone.don", "0 0\n")); });
  EXPECT_EQ(missing.kind(), ErrorKind::Io);
}

}  // namespace
}  // namespace relakin
