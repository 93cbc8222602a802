// What a file replacement leaves on disk: the named file flushed before its rename and its
// folder after; no temporary file after a signal, nor after the next write of a target whose
// writer was killed outright; a writable file in a folder that takes no new file written in
// place.
#include "core/atomic_file.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bounded_child.h"
#include "core/errors.h"
#include "core/temporary_files.h"
#include "flush_counter.h"
#include "table_builder.h"

namespace relakin {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

using Sync = FileReplacement::Sync;

bool IsTemporaryOf(const std::string& entry, const std::string& target) {
  return entry.rfind("." + target + ".~", 0) == 0;
}

std::vector<std::string> TemporariesOf(const test::ScratchDir& dir, const std::string& target) {
  std::vector<std::string> found;
  for (const std::string& e : dir.Entries())
    if (IsTemporaryOf(e, target)) found.push_back(e);
  return found;
}

TEST(FileReplacement, TheNamedFileIsFlushedBeforeItsRenameAndItsFolderAfter) {
  test::ScratchDir dir;
  const fs::path target = dir / "out.res";
  test::WriteBytes(target, "old");
  std::vector<std::string> seen;  // the target's content at each flush
  test::FlushCounter flushes(
      [&](const test::FlushCounter::Call&) { seen.push_back(test::ReadBytes(target)); });
  EXPECT_EQ(WriteFileAtomically(target.string(), "new"), "");
  const auto calls = flushes.calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_FALSE(calls[0].folder);
  EXPECT_TRUE(IsTemporaryOf(fs::path(calls[0].path).filename().string(), "out.res"))
      << calls[0].path;
  EXPECT_TRUE(calls[1].folder);
  EXPECT_EQ(fs::path(calls[1].path), fs::canonical(dir.path()));
  EXPECT_THAT(seen, ElementsAre("old", "new"));
  EXPECT_THAT(dir.Entries(), ElementsAre("out.res"));
}

// A replacement abandoned without its Commit flushes nothing on its way out either.
TEST(FileReplacement, AScratchFileIsNeverFlushed) {
  test::ScratchDir dir;
  test::FlushCounter flushes;
  EXPECT_EQ(WriteFileAtomically((dir / "ttt.ttt").string(), "scratch", Sync::kNone), "");
  {
    FileReplacement abandoned((dir / "vector1.txt").string(), Sync::kToDisk);
    abandoned.Write("not committed");
  }
  EXPECT_TRUE(flushes.calls().empty());
  EXPECT_EQ(test::ReadBytes(dir / "ttt.ttt"), "scratch");
  EXPECT_THAT(dir.Entries(), ElementsAre("ttt.ttt"));
}

// A flush that fails is a failed write: the old file stays and no temporary file remains.
TEST(FileReplacement, AFailedFlushKeepsTheOldFile) {
  test::ScratchDir dir;
  const fs::path target = dir / "pop.bvt";
  test::WriteBytes(target, "old");
  const DiskCalls previous = ReplaceDiskCalls({.flush = [](int) {
    errno = EIO;
    return -1;
  }});
  try {
    (void)WriteFileAtomically(target.string(), "new");
    ADD_FAILURE() << "a failed flush was reported as success";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
    EXPECT_EQ(e.what(), "Impossible d'écrire le fichier " + target.string() + " : " +
                            std::strerror(EIO) + ".");
  }
  ReplaceDiskCalls(previous);
  EXPECT_EQ(test::ReadBytes(target), "old");
  EXPECT_THAT(dir.Entries(), ElementsAre("pop.bvt"));
}

// Once renamed, the file holds the new content: a folder that cannot be flushed is a warning
// that says so, never a failure.
TEST(FileReplacement, AFailedFolderFlushIsAWarningThatTheFileIsWritten) {
  test::ScratchDir dir;
  const fs::path target = dir / "pop.bvt";
  test::WriteBytes(target, "old");
  const DiskCalls previous = ReplaceDiskCalls({.flush = test::FolderFlushFails});
  EXPECT_EQ(WriteFileAtomically(target.string(), "new"),
            "Le fichier " + target.string() +
                " est écrit, mais son dossier n'a pas pu être mis sur le disque : " +
                std::strerror(EIO) + ".");
  ReplaceDiskCalls(previous);
  EXPECT_EQ(test::ReadBytes(target), "new");
  EXPECT_THAT(dir.Entries(), ElementsAre("pop.bvt"));
}

// A child that holds a replacement of `target` open, its bytes written, once it has made and
// dropped many others (so that registrations are seen to be given back). Returns its process
// number once it is ready, or -1.
pid_t StartWriter(const fs::path& target) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    close(ready[0]);
    alarm(30);
    InstallTemporaryCleanup();
    try {
      for (int i = 0; i < 100; ++i) {
        (void)WriteFileAtomically((target.parent_path() / "kept").string(), "kept", Sync::kNone);
        FileReplacement dropped((target.parent_path() / "dropped").string());
        dropped.Write("dropped");
      }
      FileReplacement file(target.string());
      file.Write(std::string(1 << 16, 'x'));
      if (write(ready[1], "r", 1) != 1) _exit(2);
      for (;;) pause();
    } catch (...) {
      _exit(3);
    }
  }
  close(ready[1]);
  pollfd p{ready[0], POLLIN, 0};
  char c = 0;
  const bool ok = poll(&p, 1, 20000) == 1 && read(ready[0], &c, 1) == 1;
  close(ready[0]);
  if (!ok) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
  }
  return pid;
}

// How the child ended: the signal that ended it, or 0 when it did not end by a signal.
int EndingSignal(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST(TemporaryCleanup, ASignalThatEndsTheProcessRemovesItsTemporaryFiles) {
  for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(strsignal(sig));
    test::ScratchDir dir;
    const fs::path target = dir / "out.res";
    test::WriteBytes(target, "old");
    const pid_t pid = StartWriter(target);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(TemporariesOf(dir, "out.res").size(), 1u);
    ASSERT_EQ(kill(pid, sig), 0);
    EXPECT_EQ(EndingSignal(pid), sig);  // ended by the signal itself, its default action
    EXPECT_THAT(dir.Entries(), UnorderedElementsAre("out.res", "kept"));
    EXPECT_EQ(test::ReadBytes(target), "old");
  }
}

// A writer killed outright leaves its temporary file; the next write of the same target removes
// it, as does one look at the whole folder, and never the temporary file of a writer that
// still runs.
TEST(TemporaryCleanup, StaleTemporaryFilesOfEndedProcessesOnlyAreRemoved) {
  const struct {
    const char* what;
    std::function<void(const fs::path& target)> clear;
    bool wholeFolder;
  } ways[] = {
      {"the next write of the target",
       [](const fs::path& target) { (void)WriteFileAtomically(target.string(), "new"); }, false},
      {"a look at the whole folder",
       [](const fs::path& target) { RemoveStaleTemporariesIn(target.parent_path().string()); },
       true},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    test::ScratchDir dir;
    const fs::path target = dir / "out.res";
    test::WriteBytes(target, "old");
    const pid_t running = StartWriter(target);
    ASSERT_GT(running, 0);
    const std::vector<std::string> first = TemporariesOf(dir, "out.res");
    ASSERT_EQ(first.size(), 1u);
    const pid_t killed = StartWriter(dir / "other.res");
    ASSERT_GT(killed, 0);
    ASSERT_EQ(kill(killed, SIGKILL), 0);
    ASSERT_EQ(EndingSignal(killed), SIGKILL);
    const pid_t killedToo = StartWriter(target);
    ASSERT_GT(killedToo, 0);
    ASSERT_EQ(kill(killedToo, SIGKILL), 0);
    ASSERT_EQ(EndingSignal(killedToo), SIGKILL);
    ASSERT_EQ(TemporariesOf(dir, "out.res").size(), 2u);  // the killed writer's is left
    ASSERT_EQ(TemporariesOf(dir, "other.res").size(), 1u);
    test::WriteBytes(dir / ".x.res.~elsewhere-1-0", "a temporary file of another machine");

    way.clear(target);
    EXPECT_THAT(TemporariesOf(dir, "out.res"), ElementsAre(first[0]));
    // Another target's: only the look at the whole folder takes it.
    EXPECT_EQ(TemporariesOf(dir, "other.res").size(), way.wholeFolder ? 0u : 1u);
    EXPECT_TRUE(fs::exists(dir / ".x.res.~elsewhere-1-0"));

    ASSERT_EQ(kill(running, SIGTERM), 0);
    EXPECT_EQ(EndingSignal(running), SIGTERM);
    EXPECT_TRUE(TemporariesOf(dir, "out.res").empty());
  }
}

// A folder that takes no new file, holding a file the user may write: the file is written in
// place and keeps its owner, permissions and hard links; everything before the first byte
// leaves it whole. Run as an ordinary user (root is made one), whom the folder binds.
TEST(FileReplacement, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
  test::ScratchDir dir;
  const fs::path target = dir / "pop.bvt";
  test::WriteBytes(target, "old content");
  ASSERT_EQ(chmod(target.c_str(), 0666), 0);
  fs::create_hard_link(target, dir / "link.bvt");
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  struct stat before {};
  ASSERT_EQ(stat(target.c_str(), &before), 0);

  const test::ChildOutcome outcome = test::RunInBoundedChild(
      [&]() -> std::string {
        if (std::string failed = test::BecomeUnprivileged(); !failed.empty()) return failed;
        const fs::path probe = dir / "probe";
        const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
          close(fd);
          unlink(probe.c_str());
          return "skip: the folder takes new files for this user";
        }
        {
          FileReplacement unused(target.string(), Sync::kToDisk);
          if (!unused.inPlace()) return "not written in place";
        }
        if (test::ReadBytes(target) != "old content") return "emptied before any byte was written";
        // The copy in the temporary folder, that folder, then the file itself.
        test::FlushCounter flushes;
        if (!WriteFileAtomically(target.string(), "new").empty()) return "a warning";
        if (flushes.files() != 2 || flushes.folders() != 1) return "flushes: wrong count";
        // A file that does not exist yet cannot be made there, as a direct write could not.
        const std::string fresh = (dir / "fresh.bvt").string();
        try {
          (void)WriteFileAtomically(fresh, "x");
          return "a new file was made in the folder";
        } catch (const Error& e) {
          const std::string says =
              "Impossible d'écrire le fichier " + fresh + " : " + std::strerror(EACCES) + ".";
          if (e.what() != says) return e.what();
        }
        return "";
      },
      0, 20);
  if (outcome.what.rfind("skip:", 0) == 0) GTEST_SKIP() << outcome.what;
  EXPECT_TRUE(outcome.ok) << outcome.what;
  EXPECT_EQ(test::ReadBytes(target), "new");
  EXPECT_EQ(test::ReadBytes(dir / "link.bvt"), "new");
  struct stat after {};
  ASSERT_EQ(stat(target.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_nlink, 2u);
  EXPECT_THAT(dir.Entries(), UnorderedElementsAre("pop.bvt", "link.bvt"));
}

}  // namespace
}  // namespace relakin
