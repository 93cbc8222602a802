// Saving the native file to disk: atomic replacement, the analysis-file flag, failures.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "bounded_child.h"
#include "core/errors.h"
#include "core/native_file.h"
#include "core/selection_file.h"
#include "flush_counter.h"
#include "table_builder.h"

namespace relakin {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

namespace fs = std::filesystem;

Document Table() {
  return test::MakeDoc({"Loc A", "Loc B"},
                       {{"North", {{"Ind01", {"101105", "210210"}}, {"Ind02", {"", "210210"}}}}});
}

std::string ExpectedText(Document doc) {
  SilentMessages quiet;
  return NativeFileText(doc, quiet);
}

TEST(SaveNativeFile, WritesTheTextAndRaisesTheFlagOnceDone) {
  test::ScratchDir dir;
  Document doc = Table();
  SilentMessages quiet;
  const fs::path target = dir / "pop.bvt";
  const DataDescription d = SaveNativeFile(doc, target.string(), quiet);
  EXPECT_TRUE(doc.AnalysisFileReady);
  EXPECT_EQ(test::ReadBytes(target), ExpectedText(Table()));
  EXPECT_THAT(d.SampleSize, ElementsAre(0, 2));
  EXPECT_THAT(dir.Entries(), ElementsAre("pop.bvt"));  // no temporary left
}

TEST(SaveNativeFile, AnalysisFileGoesToTheCurrentDirectoryWithTheTablesName) {
  test::ScratchDir dir(/*enter=*/true);
  Document doc = Table();
  doc.CurrentFileName = "/home/me/pop.bvt";
  SilentMessages quiet;
  SaveNativeFile(doc, "temp.tmp", quiet);
  const std::string text = test::ReadBytes(dir / "temp.tmp");
  EXPECT_EQ(text.substr(0, text.find('\r')), "2 /home/me/pop.bvt");
  EXPECT_EQ(text, ExpectedText(doc));
}

TEST(SaveNativeFile, ReplacesAnOldFileKeepingItsPermissions) {
  test::ScratchDir dir;
  const fs::path target = dir / "pop.bvt";
  test::WriteBytes(target, "old content that is longer than the new one ....................");
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  Document doc = Table();
  SilentMessages quiet;
  SaveNativeFile(doc, target.string(), quiet);
  EXPECT_EQ(test::ReadBytes(target), ExpectedText(Table()));
  struct stat st {};
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(SaveNativeFile, FollowsASymbolicLink) {
  test::ScratchDir dir;
  const fs::path real = dir / "real.bvt";
  test::WriteBytes(real, "old");
  fs::create_symlink(real, dir / "link.bvt");
  Document doc = Table();
  SilentMessages quiet;
  SaveNativeFile(doc, (dir / "link.bvt").string(), quiet);
  EXPECT_TRUE(fs::is_symlink(dir / "link.bvt"));
  EXPECT_EQ(test::ReadBytes(real), ExpectedText(Table()));
}

TEST(SaveNativeFile, BadCellStopsBeforeTheFileIsTouched) {
  test::ScratchDir dir;
  const fs::path target = dir / "pop.bvt";
  test::WriteBytes(target, "old");
  for (const char* cell : {"21o210", "21021", "2102100"}) {
    Document doc = Table();
    doc.Cells.SetCell(3, 3, cell);
    RecordedMessages said;
    try {
      SaveNativeFile(doc, target.string(), said);
      ADD_FAILURE() << cell << " was saved";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Conversion);
      EXPECT_THAT(e.what(), HasSubstr(std::string("« ") + cell + " »"));
    }
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_FALSE(doc.AnalysisFileReady);
    EXPECT_THAT(dir.Entries(), ElementsAre("pop.bvt"));
  }
}

TEST(SaveNativeFile, UnwritablePlacesAreInputOutputErrorsAndLeaveTheFlagDown) {
  test::ScratchDir dir;
  fs::create_directory(dir / "taken");
  test::WriteBytes(dir / "taken" / "inside", "kept");
  const std::string places[] = {(dir / "missing" / "pop.bvt").string(), (dir / "taken").string()};
  for (const std::string& place : places) {
    Document doc = Table();
    SilentMessages quiet;
    try {
      SaveNativeFile(doc, place, quiet);
      ADD_FAILURE() << place;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Io) << place;
      EXPECT_THAT(e.what(), HasSubstr(place));
    }
    EXPECT_FALSE(doc.AnalysisFileReady) << place;
  }
  EXPECT_THAT(dir.Entries(), UnorderedElementsAre("taken"));
  EXPECT_EQ(test::ReadBytes(dir / "taken" / "inside"), "kept");
}

// A write that fails half-way (here: the file-size limit) leaves the old file whole.
TEST(SaveNativeFile, WriteFailingHalfWayKeepsTheOldFile) {
  test::ScratchDir dir;
  const fs::path target = dir / "pop.bvt";
  test::WriteBytes(target, "old");
  signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  Document doc = Table();
  SilentMessages quiet;
  EXPECT_THROW(SaveNativeFile(doc, target.string(), quiet), Error);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(test::ReadBytes(target), "old");
  EXPECT_FALSE(doc.AnalysisFileReady);
  EXPECT_THAT(dir.Entries(), ElementsAre("pop.bvt"));
}

// A file its permissions forbid writing, in a writable folder, is refused with the error a
// direct write gives the same user (root is made an ordinary user for it) and left as it was;
// what is not a regular file is refused and stays what it was.
TEST(SaveNativeFile, ReadOnlyAndNonRegularTargetsAreRefusedAndLeftAsTheyWere) {
  test::ScratchDir dir;
  fs::permissions(dir.path(), fs::perms::all);
  const fs::path target = dir / "pop.bvt";
  test::WriteBytes(target, "old");
  ASSERT_EQ(chmod(target.c_str(), 0444), 0);
  const test::ChildOutcome outcome = test::RunInBoundedChild(
      [&]() -> std::string {
        if (std::string failed = test::BecomeUnprivileged(); !failed.empty()) return failed;
        const int fd = open(target.c_str(), O_WRONLY);
        if (fd >= 0) return "the file is writable";
        const std::string says = "Impossible d'écrire le fichier " + target.string() + " : " +
                                 std::strerror(errno) + ".";
        Document doc = Table();
        SilentMessages quiet;
        try {
          SaveNativeFile(doc, target.string(), quiet);
          return "saved";
        } catch (const Error& e) {
          if (e.kind() != ErrorKind::Io || e.what() != says) return e.what();
        }
        return doc.AnalysisFileReady ? "flag raised" : "";
      },
      0, 20);
  EXPECT_TRUE(outcome.ok) << outcome.what;
  EXPECT_EQ(test::ReadBytes(target), "old");
  struct stat st {};
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);

  const fs::path fifo = dir / "pipe.bvt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  Document doc = Table();
  SilentMessages quiet;
  try {
    SaveNativeFile(doc, fifo.string(), quiet);
    ADD_FAILURE() << "saved over a FIFO";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
    EXPECT_STREQ(e.what(), ("Impossible d'écrire le fichier " + fifo.string() +
                            " : ce n'est pas un fichier ordinaire.")
                               .c_str());
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_THAT(dir.Entries(), UnorderedElementsAre("pop.bvt", "pipe.bvt"));
}

// The file the user saves is on disk before the save returns: its content before the rename,
// its folder after. The analysis file, read at once and written again by every run, is not
// flushed, whichever writer makes it.
TEST(SaveNativeFile, TheSavedFileIsFlushedToDiskTheAnalysisFileIsNot) {
  test::ScratchDir dir(/*enter=*/true);
  const struct {
    const char* what;
    std::function<void(Document&, Messages&)> write;
    int files, folders;
  } cases[] = {
      {"Save", [&](Document& d, Messages& m) { SaveNativeFile(d, (dir / "pop.bvt").string(), m); },
       1, 1},
      {"whole-table analysis file",
       [](Document& d, Messages& m) {
         SaveNativeFile(d, "temp.tmp", m, FileReplacement::Sync::kNone);
       },
       0, 0},
      {"selection file",
       [](Document& d, Messages& m) {
         d.PopSelection = {false, true};
         d.LocusSelection = {false, true, true};
         WriteSelectionFile(d, m);
       },
       0, 0},
  };
  for (const auto& c : cases) {
    Document doc = Table();
    SilentMessages quiet;
    test::FlushCounter flushes;
    c.write(doc, quiet);
    EXPECT_EQ(flushes.files(), c.files) << c.what;
    EXPECT_EQ(flushes.folders(), c.folders) << c.what;
    EXPECT_TRUE(doc.AnalysisFileReady) << c.what;
  }
  EXPECT_THAT(dir.Entries(), UnorderedElementsAre("pop.bvt", "temp.tmp"));
}

TEST(SaveNativeFile, SavedFileOpensAgainAsTheSameTable) {
  test::ScratchDir dir;
  const fs::path target = dir / "pop.bvt";
  Document doc = Table();
  SilentMessages quiet;
  SaveNativeFile(doc, target.string(), quiet);
  Document back = ReadNativeFile(target.string());
  back.CurrentFileName = doc.CurrentFileName;
  EXPECT_EQ(ExpectedText(back), test::ReadBytes(target));
}

}  // namespace
}  // namespace relakin
