// Writing an export to disk: the completion message after a complete file, the notice of lost
// alleles, and no file touched when a cell is bad or the file cannot be written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "core/errors.h"
#include "core/flush_counter.h"
#include "core/genotype_code.h"
#include "core/table_builder.h"
#include "formats/exports.h"

namespace relakin {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Records each text after the kind of box that shows it: s(how), i(nformation), w(arning).
class KindedMessages : public Messages {
 public:
  void Show(const std::string& text) override { texts.push_back("s " + text); }
  void Information(const std::string& text) override { texts.push_back("i " + text); }
  void Warning(const std::string& text) override { texts.push_back("w " + text); }
  std::vector<std::string> texts;
};

Document Table(const std::string& cell = "101105") {
  return test::MakeDoc({"A", "B"}, {{"P", {{"x", {"101101", "202202"}}, {"y", {"", cell}}}}});
}

constexpr ExportFormat kFormats[] = {ExportFormat::Genepop, ExportFormat::Fstat,
                                     ExportFormat::Biosys};

// Records the messages, and how many flushes to disk had been asked for when the completion
// message came.
class FlushesAtTheMessage : public RecordedMessages {
 public:
  explicit FlushesAtTheMessage(const test::FlushCounter& flushes) : flushes_(flushes) {}
  void Show(const std::string& text) override {
    atShow = flushes_.calls().size();
    RecordedMessages::Show(text);
  }
  std::size_t atShow = 0;

 private:
  const test::FlushCounter& flushes_;
};

// The completion message comes once the file is on disk: its content flushed before the rename
// and its folder after.
TEST(Export, WritesThePathAsGivenThenSaysItIsCreated) {
  for (const ExportFormat format : kFormats) {
    test::ScratchDir dir(/*enter=*/true);
    Document doc = Table();
    test::FlushCounter flushes;
    FlushesAtTheMessage said(flushes);
    Export(format, doc, "out", said);
    EXPECT_EQ(said.atShow, 2u);
    EXPECT_EQ(flushes.files(), 1);
    EXPECT_EQ(flushes.folders(), 1);
    EXPECT_THAT(said.texts, ElementsAre("out est crée !"));
    EXPECT_THAT(dir.Entries(), ElementsAre("out"));
    Document again = Table();
    EXPECT_EQ(test::ReadBytes(dir / "out"), BuildExport(format, again, said).bytes);
  }
}

// Past the rename the file is written: a folder that cannot be flushed is said before the
// completion message, never as a failure.
TEST(Export, AFolderThatCannotBeFlushedIsAWarningBeforeTheCompletionMessage) {
  test::ScratchDir dir(/*enter=*/true);
  Document doc = Table();
  KindedMessages said;
  const DiskCalls previous = ReplaceDiskCalls({.flush = test::FolderFlushFails});
  Export(ExportFormat::Genepop, doc, "out", said);
  ReplaceDiskCalls(previous);
  EXPECT_THAT(said.texts,
              ElementsAre("w Le fichier out est écrit, mais son dossier n'a pas pu être mis sur "
                          "le disque : " +
                              std::string(std::strerror(EIO)) + ".",
                          "s out est crée !"));
  Document again = Table();
  EXPECT_EQ(test::ReadBytes(dir / "out"), BuildExport(ExportFormat::Genepop, again, said).bytes);
}

TEST(Export, ReplacesAnExistingFile) {
  test::ScratchDir dir;
  const std::string path = (dir / "data.POP").string();
  test::WriteBytes(path, std::string(5000, 'x'));
  Document doc = Table();
  SilentMessages quiet;
  ExportGenepop(doc, path, quiet);
  Document again = Table();
  EXPECT_EQ(test::ReadBytes(path), BuildExport(ExportFormat::Genepop, again, quiet).bytes);
}

TEST(Export, LociPastTheNinetyNinthAlleleAreNamedOnceWithTheirLosses) {
  std::vector<test::IndRow> rows;
  for (int i = 1; i <= 60; ++i) {
    const std::string a = PadAllele3(2 * i - 1) + PadAllele3(2 * i);  // 120 alleles
    const std::string b = PadAllele3(i) + PadAllele3(i + 40);         // 100 alleles
    rows.push_back({"x", {b, "101101", a, a}});
  }
  Document doc = test::MakeDoc({"Big", "Small", "", "Twin"}, {{"P", rows}});
  for (const ExportFormat format : kFormats) {
    test::ScratchDir dir;
    KindedMessages said;
    const std::string path = (dir / "out.txt").string();
    Export(format, doc, path, said);
    EXPECT_THAT(said.texts,
                ElementsAre("i Nom du 3 ° Locus manquant !", "i Nom du 3 ° Locus manquant !",
                            "w Ce format code un allèle sur deux chiffres : au-delà du 99e "
                            "allèle d'un locus, les allèles sont écrits 00 et comptent comme "
                            "manquants.\n"
                            "Locus 1 (Big) : 1 allèle perdu.\n"
                            "Locus 3 (Locus 3) : 21 allèles perdus.\n"
                            "Locus 4 (Twin) : 21 allèles perdus.",
                            "s " + path + " est crée !"));
  }
}

// Every cell is met while the alleles are collected, before anything is written.
TEST(Export, BadCellStopsBeforeAnyFileIsTouched) {
  const struct {
    const char* cell;
  } cases[] = {
      {"10a105"},    // six characters, not a number
      {"1x105"},     // not a number
      {"-101"},      // a negative number
      {"99999999"},  // its first allele past 16 bits
      {"10110"},     // a number, not six characters
      {"1011050"},   // the same, a digit too many
  };
  for (const auto& c : cases) {
    for (const ExportFormat format : kFormats) {
      test::ScratchDir dir;
      const std::string path = (dir / "out.dat").string();
      test::WriteBytes(path, "old");
      Document doc = Table(c.cell);
      RecordedMessages said;
      try {
        Export(format, doc, path, said);
        ADD_FAILURE() << c.cell << " was exported";
      } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Conversion);
        EXPECT_THAT(e.what(), HasSubstr(std::string("« ") + c.cell + " »"));
        EXPECT_THAT(e.what(), HasSubstr("(locus 2, individu 2)"));
      }
      EXPECT_THAT(said.texts, IsEmpty());
      EXPECT_EQ(test::ReadBytes(path), "old");
      EXPECT_THAT(dir.Entries(), ElementsAre("out.dat"));
    }
  }
}

// Blanks around a genotype are read away, as Save reads them: the cell the survey counted is
// exported with its ranks, never as missing.
TEST(Export, CellsAreReadTrimmedAsSaveReadsThem) {
  for (const ExportFormat format : kFormats) {
    for (const char* cell : {"101105 ", "  101105", " 101105  "}) {
      Document doc = Table(cell);
      Document plain = Table("101105");
      SilentMessages quiet;
      EXPECT_EQ(BuildExport(format, doc, quiet).bytes, BuildExport(format, plain, quiet).bytes)
          << '"' << cell << '"';
    }
  }
  Document doc = Table("101105 ");
  SilentMessages quiet;
  EXPECT_THAT(BuildExport(ExportFormat::Genepop, doc, quiet).bytes, HasSubstr("P, 0000 0102"));
}

TEST(Export, FileThatCannotBeWrittenIsAnErrorWithoutCompletionMessage) {
  test::ScratchDir dir;
  for (const std::string& path : {(dir / "missing" / "out.txt").string(), dir.path().string()}) {
    Document doc = Table();
    RecordedMessages said;
    try {
      ExportFstat(doc, path, said);
      ADD_FAILURE() << path << " was written";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Io) << path;
    }
    EXPECT_THAT(said.texts, IsEmpty());
  }
  EXPECT_THAT(dir.Entries(), IsEmpty());
}

TEST(ExportFormatNamed, TheBenchNames) {
  EXPECT_EQ(ExportFormatNamed("genepop"), ExportFormat::Genepop);
  EXPECT_EQ(ExportFormatNamed("fstat"), ExportFormat::Fstat);
  EXPECT_EQ(ExportFormatNamed("biosys"), ExportFormat::Biosys);
  EXPECT_EQ(ExportFormatNamed("GENEPOP"), std::nullopt);
}

}  // namespace
}  // namespace relakin
