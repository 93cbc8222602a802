// A writable file that cannot be renamed over is written in place: until its first byte
// changes, every failure and every signal leave it byte for byte; once it is being overwritten,
// its complete new content stays in the system's temporary folder and the message names it;
// once it holds the whole new content, that copy goes. Each write runs in a child as an
// ordinary user (root is made one), whom the folder binds.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bounded_child.h"
#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/native_file.h"
#include "core/temporary_files.h"
#include "table_builder.h"

namespace relakin {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> EntriesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  return names;
}

// Old and new contents unlike each other at every byte, the new one longer: room must be made.
std::string Pattern(std::size_t size, char first) {
  std::string s(size, ' ');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>(first + i % 23);
  return s;
}
const std::string kOld = Pattern(2000, 'a');
const std::string kNew = Pattern(5000, 'A');

std::string NotChanged(const fs::path& target, int err, const std::string& tmpFolder = "") {
  std::string reason = std::strerror(err);
  if (!tmpFolder.empty()) reason += " (dossier temporaire " + tmpFolder + ")";
  return "Impossible d'écrire le fichier " + target.string() + " : " + reason +
         ". Le fichier n'a pas été modifié.";
}

// The folder (mode 555, or a sticky one open to everyone) with writable files holding kOld, the
// first of them the target, and a temporary folder open to everyone that the child's TMPDIR
// names.
class InPlaceScene {
 public:
  explicit InPlaceScene(const std::vector<std::string>& names = {"pop.bvt"}, bool sticky = false)
      : target_(dir_ / names.front()), sticky_(sticky) {
    for (const std::string& name : names) {
      test::WriteBytes(file(name), kOld);
      chmod(file(name).c_str(), 0666);
    }
    chmod(dir_.path().c_str(), sticky ? 01777 : 0555);
    chmod(tmp_.path().c_str(), 0777);
    stat(target_.c_str(), &before_);
  }
  const fs::path& target() const { return target_; }
  const fs::path& folder() const { return dir_.path(); }
  fs::path file(const std::string& name) const { return dir_ / name; }
  const fs::path& tmp() const { return tmp_.path(); }
  std::vector<std::string> Copies() const { return tmp_.Entries(); }
  // The same file with its owner and mode, its old bytes changed or not.
  bool SameFile() const {
    struct stat now {};
    return stat(target_.c_str(), &now) == 0 && now.st_ino == before_.st_ino &&
           now.st_uid == before_.st_uid && now.st_mode == before_.st_mode;
  }

  // Runs `body` in the child; "skip: ..." when the folder of mode 555 takes new files for this
  // user.
  test::ChildOutcome Run(const std::function<std::string()>& body, bool signalCleanup = false,
                         const fs::path& tmpdir = {}) const {
    return test::RunInBoundedChild(
        [&]() -> std::string {
          if (signalCleanup) InstallTemporaryCleanup();
          if (std::string failed = test::BecomeUnprivileged(); !failed.empty()) return failed;
          setenv("TMPDIR", (tmpdir.empty() ? tmp() : tmpdir).c_str(), 1);
          const fs::path probe = dir_ / "probe";
          const int fd = sticky_ ? -1 : open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
          if (fd >= 0) {
            close(fd);
            unlink(probe.c_str());
            return "skip: the folder takes new files for this user";
          }
          return body();
        },
        0, 20);
  }

 private:
  test::ScratchDir dir_;
  test::ScratchDir tmp_;
  fs::path target_;
  bool sticky_;
  struct stat before_ {};
};

bool Skipped(const test::ChildOutcome& outcome) { return outcome.what.rfind("skip:", 0) == 0; }

// Writes `content` over the target; "" when it fails with `says`, else what happened.
std::string FailsSaying(const fs::path& target, const std::string& says,
                        const std::string& content = kNew) {
  try {
    (void)WriteFileAtomically(target.string(), content);
    return "the write succeeded";
  } catch (const Error& e) {
    return e.kind() == ErrorKind::Io && e.what() == says ? "" : e.what();
  }
}

// What the replaced disk calls do, set in the child before its write.
struct Seam {
  DiskCalls system{};                 // the system's own
  std::int64_t copyBudget = -1;       // bytes the copy lets through before it fails; -1: all
  int error = 0;                      // what the failing call says
  int signal = 0;                     // the signal it raises first, if any
  std::string failingFlush{};         // the folder whose files' flushes fail, or the file
  std::function<void()> afterCopy{};  // runs once a copy has gone through whole
};
Seam seam;

int Failure() {
  if (seam.signal != 0) raise(seam.signal);
  errno = seam.error;
  return -1;
}

int FailingReserve(int, std::int64_t) { return Failure(); }
int ReserveThenFail(int fd, std::int64_t length) {
  seam.system.reserve(fd, length);
  return Failure();
}
int UnsupportedReserve(int, std::int64_t) {
  errno = EOPNOTSUPP;
  return -1;
}
int CopyWithinBudget(int from, std::int64_t in, int to, std::int64_t out, std::int64_t count) {
  if (seam.copyBudget >= 0 && (count < 0 || count > seam.copyBudget)) {
    if (seam.copyBudget > 0 && seam.system.copy(from, in, to, out, seam.copyBudget) != 0) return -1;
    seam.copyBudget = 0;
    return Failure();
  }
  if (seam.copyBudget > 0) seam.copyBudget -= count;
  const int copied = seam.system.copy(from, in, to, out, count);
  if (seam.afterCopy) seam.afterCopy();
  return copied;
}
int FlushFailingAt(int fd) {
  char link[4096];
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t n = readlink(proc.c_str(), link, sizeof link);
  const std::string path = n > 0 ? std::string(link, static_cast<std::size_t>(n)) : "";
  if (!seam.failingFlush.empty() && path.rfind(seam.failingFlush, 0) == 0) return Failure();
  return 0;
}

// Flushes go through FlushFailingAt, the copy through CopyWithinBudget; `reserve`, when given,
// takes the place of the system's.
void InstallSeam(const Seam& s, int (*reserve)(int, std::int64_t) = nullptr) {
  seam = s;
  seam.system =
      ReplaceDiskCalls({.flush = FlushFailingAt, .reserve = reserve, .copy = CopyWithinBudget});
}

TEST(InPlaceWrite, FailuresBeforeItsFirstByteChangesLeaveTheOldFileByteForByte) {
  const struct {
    const char* what;
    int (*reserve)(int, std::int64_t);
    std::int64_t copyBudget;
    int error;
    bool copyFlushFails;
    bool copySide;       // the message names the temporary folder
    const char* tmpdir;  // under the scene's temporary folder; nullptr: that folder
  } cases[] = {
      {"a full disk at the reserve", FailingReserve, -1, ENOSPC, false, false, nullptr},
      {"a quota at the reserve", FailingReserve, -1, EDQUOT, false, false, nullptr},
      {"the file-size limit at the reserve", FailingReserve, -1, EFBIG, false, false, nullptr},
      {"a reserve that takes room, then fails", ReserveThenFail, -1, ENOSPC, false, false, nullptr},
      {"no reserve, then a full disk past the old end", UnsupportedReserve, 700, ENOSPC, false,
       false, nullptr},
      {"the copy's flush fails", nullptr, -1, EIO, true, true, nullptr},
      {"no temporary folder", nullptr, -1, ENOENT, false, true, "missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InPlaceScene scene;
    const fs::path tmpdir = c.tmpdir != nullptr ? scene.tmp() / c.tmpdir : scene.tmp();
    const std::string says =
        NotChanged(scene.target(), c.error, c.copySide ? tmpdir.string() : std::string());
    const test::ChildOutcome outcome = scene.Run(
        [&]() -> std::string {
          InstallSeam({.copyBudget = c.copyBudget,
                       .error = c.error,
                       .failingFlush = c.copyFlushFails ? tmpdir.string() : std::string()},
                      c.reserve);
          return FailsSaying(scene.target(), says);
        },
        false, tmpdir);
    if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
    EXPECT_TRUE(outcome.ok) << outcome.what;
    EXPECT_EQ(test::ReadBytes(scene.target()), kOld);
    EXPECT_TRUE(scene.SameFile());
    EXPECT_TRUE(scene.Copies().empty());
  }
}

// The one entry of the temporary folder, which must be a kept copy of `name` (no leading dot
// added).
std::string KeptCopyIn(const fs::path& tmp, const std::string& name = "pop.bvt") {
  const std::vector<std::string> entries = EntriesOf(tmp);
  if (entries.size() != 1 || entries[0].rfind(name + ".~", 0) != 0) return "";
  return (tmp / entries[0]).string();
}

// Writes kNew over `target`, which must fail once it is being overwritten; "" when the message
// names the one kept copy in `tmp`, else what happened.
std::string FailsKeepingTheCopy(const fs::path& target, const fs::path& tmp, int err) {
  try {
    (void)WriteFileAtomically(target.string(), kNew);
    return "the write succeeded";
  } catch (const Error& e) {
    const std::string copy = KeptCopyIn(tmp, target.filename().string());
    if (copy.empty()) return "no kept copy";
    const std::string says =
        "Impossible d'écrire le fichier " + target.string() + " : " + std::strerror(err) +
        ". Le fichier est incomplet, son contenu complet est dans " + copy + ".";
    return e.what() == says ? "" : e.what();
  }
}

TEST(InPlaceWrite, AFailureWhileItIsOverwrittenKeepsTheCompleteCopyAndSaysWhere) {
  const struct {
    const char* what;
    std::int64_t copyBudget;
    bool targetFlushFails;
    int error;
    std::size_t newBytes;  // the new content the target holds at least
  } cases[] = {
      {"a write that fails after 1000 bytes", 1000, false, EIO, 1000},
      {"the flush of the overwritten file fails", -1, true, EIO, kNew.size()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InPlaceScene scene;
    const test::ChildOutcome outcome = scene.Run([&]() -> std::string {
      InstallSeam({.copyBudget = c.copyBudget,
                   .error = c.error,
                   .failingFlush = c.targetFlushFails ? scene.target().string() : std::string()});
      return FailsKeepingTheCopy(scene.target(), scene.tmp(), c.error);
    });
    if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
    EXPECT_TRUE(outcome.ok) << outcome.what;
    const std::string copy = KeptCopyIn(scene.tmp());
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(test::ReadBytes(copy), kNew);
    EXPECT_EQ(test::ReadBytes(scene.target()).substr(0, c.newBytes), kNew.substr(0, c.newBytes));
  }
}

// The kept copy of ".pop.bvt" once bore the name of a stale temporary of "pop.bvt": a save of
// that file, by a later process, took the only complete content.
TEST(InPlaceWrite, AKeptCopyOutlivesTheWritesOfOtherFiles) {
  InPlaceScene scene({".pop.bvt", "pop.bvt"});
  const test::ChildOutcome failed = scene.Run([&]() -> std::string {
    InstallSeam({.copyBudget = 1000, .error = EIO});
    return FailsKeepingTheCopy(scene.target(), scene.tmp(), EIO);
  });
  if (Skipped(failed)) GTEST_SKIP() << failed.what;
  ASSERT_TRUE(failed.ok) << failed.what;
  const std::string copy = KeptCopyIn(scene.tmp(), ".pop.bvt");
  ASSERT_FALSE(copy.empty());
  const test::ChildOutcome saved = scene.Run(
      [&]() -> std::string { return WriteFileAtomically(scene.file("pop.bvt").string(), kNew); });
  EXPECT_TRUE(saved.ok) << saved.what;
  EXPECT_EQ(test::ReadBytes(scene.file("pop.bvt")), kNew);
  EXPECT_EQ(KeptCopyIn(scene.tmp(), ".pop.bvt"), copy);
  EXPECT_EQ(test::ReadBytes(copy), kNew);
}

// The copies an ended process left in the temporary folder go at any in-place write, also one
// that leaves the target's folder unswept (a run writing many files); a kept copy stays.
TEST(InPlaceWrite, EveryInPlaceWriteSweepsWhatEndedProcessesLeftInTheTemporaryFolder) {
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_GT(ended, 0);
  waitpid(ended, nullptr, 0);
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string left = std::string(".other.res.~") + host + "-" + std::to_string(ended) + "-0";
  const std::string kept = left.substr(1) + ".complet";
  InPlaceScene scene;
  for (const std::string& name : {left, kept}) test::WriteBytes(scene.tmp() / name, kNew);
  const test::ChildOutcome outcome = scene.Run([&]() -> std::string {
    FileReplacement file(scene.target().string(), FileReplacement::Sync::kToDisk, false);
    file.Write(kNew);
    return file.Commit();
  });
  if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
  EXPECT_TRUE(outcome.ok) << outcome.what;
  EXPECT_EQ(test::ReadBytes(scene.target()), kNew);
  EXPECT_EQ(scene.Copies(), std::vector<std::string>{kept});
}

// A signal between the steps, then a write of another file of the folder by a later process.
// Before the first byte changes the file stays as it was, size included, and no copy outlives
// the later write (a writer killed outright leaves one, which that write removes); while it is
// overwritten the copy stays, through the later write too; once the file holds the whole new
// content the copy goes, or is left to that write by a kill.
TEST(InPlaceWrite, ASignalBetweenItsStepsLeavesTheOldFileTheCompleteCopyOrTheNewFile) {
  enum class Left { kOld, kKeptCopy, kNew };
  const struct {
    const char* what;
    int signal;
    int (*reserve)(int, std::int64_t);
    std::int64_t copyBudget;
    bool copyFlushRaises;
    bool targetFlushRaises;
    Left left;
  } cases[] = {
      {"SIGTERM while the copy is flushed", SIGTERM, nullptr, -1, true, false, Left::kOld},
      {"SIGTERM once the file is given room", SIGTERM, ReserveThenFail, -1, false, false,
       Left::kOld},
      {"SIGKILL once the file is given room", SIGKILL, ReserveThenFail, -1, false, false,
       Left::kOld},
      {"SIGTERM while the bytes past the old end are written, without room", SIGTERM,
       UnsupportedReserve, 700, false, false, Left::kOld},
      {"SIGTERM while the file is overwritten", SIGTERM, nullptr, 1000, false, false,
       Left::kKeptCopy},
      {"SIGKILL while the file is overwritten", SIGKILL, nullptr, 1000, false, false,
       Left::kKeptCopy},
      {"SIGTERM while the overwritten file is flushed", SIGTERM, nullptr, -1, false, true,
       Left::kNew},
      {"SIGKILL while the overwritten file is flushed", SIGKILL, nullptr, -1, false, true,
       Left::kNew},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InPlaceScene scene({"pop.bvt", "other.bvt"});
    const test::ChildOutcome outcome = scene.Run(
        [&]() -> std::string {
          InstallSeam({.copyBudget = c.copyBudget,
                       .signal = c.signal,
                       .failingFlush = c.copyFlushRaises     ? scene.tmp().string()
                                       : c.targetFlushRaises ? scene.target().string()
                                                             : std::string()},
                      c.reserve);
          try {
            (void)WriteFileAtomically(scene.target().string(), kNew);
          } catch (const Error& e) {
            return e.what();
          }
          return "the write succeeded";
        },
        /*signalCleanup=*/true);
    if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
    EXPECT_EQ(outcome.what, "signal " + std::to_string(c.signal));
    EXPECT_TRUE(scene.SameFile());
    const test::ChildOutcome later = scene.Run([&]() -> std::string {
      return WriteFileAtomically(scene.file("other.bvt").string(), kNew);
    });
    EXPECT_TRUE(later.ok) << later.what;
    switch (c.left) {
      case Left::kOld:
        EXPECT_EQ(test::ReadBytes(scene.target()), kOld);
        EXPECT_TRUE(scene.Copies().empty());
        break;
      case Left::kKeptCopy: {
        const std::string copy = KeptCopyIn(scene.tmp());
        ASSERT_FALSE(copy.empty());
        EXPECT_EQ(test::ReadBytes(copy), kNew);
        EXPECT_EQ(test::ReadBytes(scene.target()).substr(0, 1000), kNew.substr(0, 1000));
        break;
      }
      case Left::kNew:
        EXPECT_EQ(test::ReadBytes(scene.target()), kNew);
        EXPECT_TRUE(scene.Copies().empty());
        break;
    }
  }
}

// Two writers of one file in two processes: the second comes while the first has overwritten
// the file and not yet cut it to its size. It is refused, and the file is the first one's
// whole content.
TEST(InPlaceWrite, ASecondWriterWhileTheFileIsWrittenIsRefused) {
  InPlaceScene scene;
  const std::string longer = Pattern(8000, '0');
  const std::string busy = "Impossible d'écrire le fichier " + scene.target().string() +
                           " : une autre écriture de ce fichier est en cours. Le fichier n'a "
                           "pas été modifié.";
  const test::ChildOutcome outcome = scene.Run([&]() -> std::string {
    test::ChildOutcome second{false, "the second writer did not run"};
    bool started = false;
    InstallSeam({.afterCopy = [&] {
      if (std::exchange(started, true)) return;
      second = test::RunInBoundedChild(
          [&] {
            ReplaceDiskCalls(seam.system);
            seam.afterCopy = nullptr;
            return FailsSaying(scene.target(), busy, longer);
          },
          0, 20);
    }});
    const std::string first = WriteFileAtomically(scene.target().string(), kNew);
    return !first.empty() ? first : second.ok ? "" : "second writer: " + second.what;
  });
  if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
  EXPECT_TRUE(outcome.ok) << outcome.what;
  EXPECT_EQ(test::ReadBytes(scene.target()), kNew);
  EXPECT_TRUE(scene.SameFile());
  EXPECT_TRUE(scene.Copies().empty());
}

TEST(InPlaceWrite, WithRoomTheFileIsReplacedWhole) {
  const struct {
    const char* what;
    std::string content;
    bool reserveUnsupported;
  } cases[] = {
      {"longer", kNew, false},
      {"shorter", kNew.substr(0, 300), false},
      {"empty", "", false},
      {"longer, on a file system that cannot reserve", kNew, true},
      {"shorter, on a file system that cannot reserve", kNew.substr(0, 300), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InPlaceScene scene;
    const test::ChildOutcome outcome = scene.Run([&]() -> std::string {
      if (c.reserveUnsupported) ReplaceDiskCalls({.reserve = UnsupportedReserve});
      return WriteFileAtomically(scene.target().string(), c.content);
    });
    if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
    EXPECT_TRUE(outcome.ok) << outcome.what;
    EXPECT_EQ(test::ReadBytes(scene.target()), c.content);
    EXPECT_TRUE(scene.SameFile());
    EXPECT_TRUE(scene.Copies().empty());
  }
}

// In a sticky folder (mode 1777: /tmp, a shared lab folder) only the owner of a file or of the
// folder may rename over it: a file of another user that this one may write is written in
// place, keeps its owner, and no temporary file stays beside it.
TEST(InPlaceWrite, AWritableFileOfAnotherUserInAStickyFolderIsWrittenInPlace) {
  if (geteuid() != 0) GTEST_SKIP() << "a file of another user takes root to make";
  InPlaceScene scene({"pop.bvt"}, /*sticky=*/true);
  const test::ChildOutcome outcome = scene.Run(
      [&]() -> std::string { return WriteFileAtomically(scene.target().string(), kNew); });
  EXPECT_TRUE(outcome.ok) << outcome.what;
  EXPECT_EQ(test::ReadBytes(scene.target()), kNew);
  EXPECT_TRUE(scene.SameFile());
  EXPECT_EQ(EntriesOf(scene.folder()), std::vector<std::string>{"pop.bvt"});
  EXPECT_TRUE(scene.Copies().empty());
}

// Past the file-size limit, with SIGXFSZ at its default action, a write fails with EFBIG and
// leaves the old file and no temporary file, on both paths. The limit is the process's: the
// message names no folder.
TEST(FileSizeLimit, AWritePastItFailsWithoutEndingTheProcess) {
  for (const bool inPlace : {false, true}) {
    SCOPED_TRACE(inPlace ? "in place" : "through a temporary file beside it");
    InPlaceScene scene;
    if (!inPlace) chmod(scene.target().parent_path().c_str(), 0777);
    const std::string says = inPlace ? NotChanged(scene.target(), EFBIG)
                                     : "Impossible d'écrire le fichier " + scene.target().string() +
                                           " : " + std::strerror(EFBIG) + ".";
    const test::ChildOutcome outcome = test::RunInBoundedChild(
        [&]() -> std::string {
          if (std::string failed = test::BecomeUnprivileged(); !failed.empty()) return failed;
          setenv("TMPDIR", scene.tmp().c_str(), 1);
          signal(SIGXFSZ, SIG_DFL);
          const rlimit limit{1024, 1024};
          if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return "setrlimit";
          FileReplacement file(scene.target().string());
          if (file.inPlace() != inPlace) return "written the other way";
          try {
            file.Write(kNew);
            return file.Commit().empty() ? "the write succeeded" : "a warning";
          } catch (const Error& e) {
            return e.what() == says ? "" : e.what();
          }
        },
        0, 20);
    EXPECT_TRUE(outcome.ok) << outcome.what;
    EXPECT_EQ(test::ReadBytes(scene.target()), kOld);
    EXPECT_TRUE(scene.Copies().empty());
    EXPECT_EQ(EntriesOf(scene.target().parent_path()), std::vector<std::string>{"pop.bvt"});
  }
}

// The save of a 200 KB table over a 40 KB file on a 64 KiB disk, as an ordinary user in a
// folder of mode 555: the old file stays and the message says so; with room, the same save
// replaces it whole. The disk is mounted in a mount namespace of the test's child alone: it
// goes with that child, however the test ends.
TEST(InPlaceWrite, OnAFullDiskTheSaveKeepsTheOldFileAndWithRoomReplacesIt) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a disk takes root";
  test::ScratchDir disk;
  test::ScratchDir tmp;
  ASSERT_EQ(chmod(tmp.path().c_str(), 0777), 0);
  const fs::path folder = disk / "data";
  const fs::path target = folder / "pop.bvt";
  const std::string old = Pattern(40000, 'a');
  std::vector<test::IndRow> rows;
  for (int i = 0; i < 2500; ++i)
    rows.push_back({"Ind" + std::to_string(i), std::vector<std::string>(10, "101105")});
  const Document table =
      test::MakeDoc(std::vector<std::string>(10, "Loc"), {{"North", rows}}, target.string());
  Document copy = table;
  SilentMessages quiet;
  const std::string text = NativeFileText(copy, quiet);
  ASSERT_GT(text.size(), 200000u);

  const auto save = [&]() {
    return test::RunInBoundedChild(
        [&]() -> std::string {
          if (std::string failed = test::BecomeUnprivileged(); !failed.empty()) return failed;
          setenv("TMPDIR", tmp.path().c_str(), 1);
          Document doc = table;
          SilentMessages silent;
          try {
            SaveNativeFile(doc, target.string(), silent);
          } catch (const Error& e) {
            return e.what();
          }
          return "";
        },
        0, 20);
  };
  const test::ChildOutcome outcome = test::RunInBoundedChild(
      [&]() -> std::string {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
          return "skip: no mount namespace of its own here";
        if (mount("tmpfs", disk.path().c_str(), "tmpfs", 0, "size=64k") != 0)
          return "skip: tmpfs cannot be mounted here";
        fs::create_directory(folder);
        test::WriteBytes(target, old);
        if (chmod(target.c_str(), 0666) != 0 || chmod(folder.c_str(), 0555) != 0) return "chmod";
        const test::ChildOutcome full = save();
        if (full.what != NotChanged(target, ENOSPC)) return "on a full disk: " + full.what;
        if (test::ReadBytes(target) != old) return "on a full disk the old file changed";
        if (!tmp.Entries().empty()) return "on a full disk a copy was left";
        if (mount("tmpfs", disk.path().c_str(), "tmpfs", MS_REMOUNT, "size=1m") != 0)
          return "the disk cannot grow";
        const test::ChildOutcome roomy = save();
        if (!roomy.ok) return "with room: " + roomy.what;
        if (test::ReadBytes(target) != text) return "with room the file is not the new one";
        if (!tmp.Entries().empty()) return "with room a copy was left";
        if (EntriesOf(folder) != std::vector<std::string>{"pop.bvt"}) return "files beside it";
        return "";
      },
      0, 60);
  if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
  EXPECT_TRUE(outcome.ok) << outcome.what;
  EXPECT_TRUE(disk.Entries().empty()) << "the disk is still mounted";
}

}  // namespace
}  // namespace relakin
