// What the three runs leave on disk when they fail: the result file and the scratch files are
// replaced only once complete, so the old files stay whole and no temporary file is left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "analysis/confidence_run.h"
#include "analysis/permutation_run.h"
#include "analysis/relatedness_run.h"
#include "analysis_temp_dir.h"
#include "bounded_child.h"
#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/flush_counter.h"
#include "random_analysis_file.h"

namespace relakin {
namespace {

namespace fs = std::filesystem;
using testing::InTempDir;
using testing::RandomAnalysisFile;
using testing::ReadBytes;
using testing::WriteBytes;

using Run = std::function<void(RunContext&)>;

struct RunCase {
  const char* name;
  Run run;
};

const RunCase kRuns[] = {
    {"relatedness matrix",
     [](RunContext& c) { RunRelatedness("temp.tmp", "out.res", 3, 0, false, 0, 0, 0, c); }},
    {"permutation test",
     [](RunContext& c) { RunPermutationTest("temp.tmp", "out.res", 3, 3, false, 0, 2, 0, c); }},
    {"confidence intervals",
     [](RunContext& c) { RunConfidenceIntervals("temp.tmp", "out.res", 1, 3, true, 0, c); }},
};

// The files a run writes, each holding an old text of its own.
std::map<std::string, std::string> OldFiles() {
  std::map<std::string, std::string> files = {{"out.res", "old result\r\n"},
                                              {"ttt.ttt", "old scratch\r\n"}};
  for (int k = 0; k <= 3; ++k)
    files["vector" + std::to_string(k) + ".txt"] = "old vector " + std::to_string(k) + "\r\n";
  for (const auto& [name, text] : files) WriteBytes(name, text);
  return files;
}

// Every old file as it was, and nothing else in the folder but the analysis file.
void ExpectOldFilesOnly(const std::map<std::string, std::string>& old) {
  for (const auto& [name, text] : old) EXPECT_EQ(ReadBytes(name), text) << name;
  for (const auto& entry : fs::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "temp.tmp" || old.count(name) == 1) << "left behind: " << name;
  }
}

// Runs `run` in a child process after `prepare`, which returns what failed ("" when nothing)
// and may set what the error must say; the child is ok when the run throws an Error of `kind`
// and says nothing else.
using Prepare = std::function<std::string(std::string& says)>;

test::ChildOutcome FailingRun(const Run& run, ErrorKind kind, const Prepare& prepare) {
  return test::RunInBoundedChild(
      [&]() -> std::string {
        std::string says;
        if (std::string failed = prepare(says); !failed.empty()) return failed;
        RecordedMessages messages;
        Progress progress;
        RandomGenerator random(1);
        RunContext context{messages, progress, random, 2};
        try {
          run(context);
          return "the run succeeded";
        } catch (const Error& e) {
          if (e.kind() != kind || (!says.empty() && e.what() != says)) return e.what();
        }
        return messages.texts.empty() ? "" : "the run said: " + messages.texts.front();
      },
      0, 60);
}

const std::string kAnalysisFile = RandomAnalysisFile({6, {3, 2}, 10, 7});

// Records the messages, and how many flushes to disk had been asked for at the first one.
class FlushesAtTheMessage : public RecordedMessages {
 public:
  explicit FlushesAtTheMessage(const test::FlushCounter& flushes) : flushes_(flushes) {}
  void Show(const std::string& text) override {
    if (texts.empty()) atShow = flushes_.calls().size();
    RecordedMessages::Show(text);
  }
  std::size_t atShow = 0;

 private:
  const test::FlushCounter& flushes_;
};

// "TRAITEMENT FINI !" comes once the result file is on disk, its folder included; the scratch
// files ("ttt.ttt", the vector files) are never flushed.
TEST(ResultFiles, OnlyTheResultFileIsFlushedToDiskBeforeTheRunIsSaidDone) {
  for (const RunCase& r : kRuns) {
    SCOPED_TRACE(r.name);
    InTempDir dir;
    WriteBytes("temp.tmp", kAnalysisFile);
    test::FlushCounter flushes;
    FlushesAtTheMessage messages(flushes);
    Progress progress;
    RandomGenerator random(1);
    RunContext context{messages, progress, random, 2};
    r.run(context);
    EXPECT_EQ(messages.texts, std::vector<std::string>({"TRAITEMENT FINI !"}));
    EXPECT_EQ(messages.atShow, 2u);
    const auto calls = flushes.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_FALSE(calls[0].folder);
    EXPECT_EQ(fs::path(calls[0].path).filename().string().rfind(".out.res.~", 0), 0u)
        << calls[0].path;
    EXPECT_TRUE(calls[1].folder);
  }
}

// Past the rename the result file is written: a folder that cannot be flushed is a warning
// before "TRAITEMENT FINI !".
TEST(ResultFiles, AFolderThatCannotBeFlushedIsAWarningAndTheRunEnds) {
  for (const RunCase& r : kRuns) {
    SCOPED_TRACE(r.name);
    InTempDir dir;
    WriteBytes("temp.tmp", kAnalysisFile);
    RecordedMessages messages;
    Progress progress;
    RandomGenerator random(1);
    RunContext context{messages, progress, random, 2};
    const DiskCalls previous = ReplaceDiskCalls({.flush = test::FolderFlushFails});
    r.run(context);
    ReplaceDiskCalls(previous);
    EXPECT_EQ(messages.texts,
              std::vector<std::string>(
                  {"Le fichier out.res est écrit, mais son dossier n'a pas pu être mis sur le "
                   "disque : " +
                       std::string(std::strerror(EIO)) + ".",
                   "TRAITEMENT FINI !"}));
    EXPECT_FALSE(ReadBytes("out.res").empty());
  }
}

// Leaves in the current directory the temporary file of a writer of `name` that ended before
// its replacement was done, as a killed process leaves it.
void LeaveTemporaryOf(const std::string& name) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    try {
      auto* left = new FileReplacement(name);
      left->Write("half");
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A run removes the temporary files of its own files that ended runs left behind.
TEST(ResultFiles, ARunRemovesWhatEndedRunsLeftOfItsFiles) {
  const struct {
    const char* name;
    std::vector<std::string> files;
  } left[] = {{"relatedness matrix", {"out.res", "ttt.ttt"}},
              {"permutation test", {"out.res", "vector0.txt", "vector3.txt"}},
              {"confidence intervals", {"out.res"}}};
  for (std::size_t i = 0; i < std::size(kRuns); ++i) {
    SCOPED_TRACE(kRuns[i].name);
    ASSERT_STREQ(kRuns[i].name, left[i].name);
    InTempDir dir;
    WriteBytes("temp.tmp", kAnalysisFile);
    for (const std::string& file : left[i].files) LeaveTemporaryOf(file);
    std::size_t hidden = 0;
    for (const auto& entry : fs::directory_iterator("."))
      hidden += entry.path().filename().string()[0] == '.';
    ASSERT_EQ(hidden, left[i].files.size());
    RecordedMessages messages;
    Progress progress;
    RandomGenerator random(1);
    RunContext context{messages, progress, random, 2};
    kRuns[i].run(context);
    for (const auto& entry : fs::directory_iterator(".")) {
      const std::string name = entry.path().filename().string();
      EXPECT_NE(name[0], '.') << "left behind: " << name;
    }
  }
}

TEST(ResultFiles, AWriteFailureKeepsTheOldFilesWhole) {
  for (const RunCase& r : kRuns) {
    SCOPED_TRACE(r.name);
    InTempDir dir;
    WriteBytes("temp.tmp", kAnalysisFile);
    const auto old = OldFiles();
    const test::ChildOutcome outcome = FailingRun(r.run, ErrorKind::Io, [](std::string&) {
      test::LimitFileSize(64);  // every file of these runs is longer
      return std::string();
    });
    EXPECT_TRUE(outcome.ok) << outcome.what;
    ExpectOldFilesOnly(old);
  }
}

TEST(ResultFiles, AReadErrorAfterTheHeaderKeepsTheOldResult) {
  for (const RunCase& r : kRuns) {
    SCOPED_TRACE(r.name);
    InTempDir dir;
    WriteBytes("temp.tmp", "1 t\r\n1  nombre de pop\r\nL\r\n2 001 x \r\n");
    const auto old = OldFiles();
    const test::ChildOutcome outcome =
        FailingRun(r.run, ErrorKind::Input, [](std::string&) { return std::string(); });
    EXPECT_TRUE(outcome.ok) << outcome.what;
    ExpectOldFilesOnly(old);
  }
}

// A read-only result file in a writable folder is refused with the error a direct write gives
// the same user, and stays as it was: its text and its permissions.
TEST(ResultFiles, AReadOnlyResultFileIsRefusedAndLeftAsItWas) {
  for (const RunCase& r : kRuns) {
    SCOPED_TRACE(r.name);
    InTempDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    WriteBytes("temp.tmp", kAnalysisFile);
    const auto old = OldFiles();
    ASSERT_EQ(chmod("out.res", 0444), 0);
    const test::ChildOutcome outcome = FailingRun(r.run, ErrorKind::Io, [](std::string& says) {
      if (std::string failed = test::BecomeUnprivileged(); !failed.empty()) return failed;
      const int fd = open("out.res", O_WRONLY);
      if (fd >= 0) return std::string("out.res is writable");
      says = "Impossible d'écrire le fichier out.res : " + std::string(std::strerror(errno)) + ".";
      return std::string();
    });
    EXPECT_TRUE(outcome.ok) << outcome.what;
    ExpectOldFilesOnly(old);
    struct stat st {};
    ASSERT_EQ(stat("out.res", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
  }
}

}  // namespace
}  // namespace relakin
