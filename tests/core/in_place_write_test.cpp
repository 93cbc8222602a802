// A writable file in a folder that takes no new file is written in place: until its first byte
// changes, every failure and every signal leave it byte for byte; once it is being overwritten,
// its complete new content stays in the system's temporary folder and the message names it.
// Each write runs in a child as an ordinary user (root is made one), whom the folder binds.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
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

// The folder (mode 555) with the writable pop.bvt, and a temporary folder open to everyone
// that the child's TMPDIR names.
class InPlaceScene {
 public:
  explicit InPlaceScene(const std::string& old = kOld) : target_(dir_ / "pop.bvt") {
    test::WriteBytes(target_, old);
    chmod(target_.c_str(), 0666);
    chmod(dir_.path().c_str(), 0555);
    chmod(tmp_.path().c_str(), 0777);
    stat(target_.c_str(), &before_);
  }
  const fs::path& target() const { return target_; }
  const fs::path& tmp() const { return tmp_.path(); }
  std::vector<std::string> Copies() const { return tmp_.Entries(); }
  // The same file, its old bytes changed or not.
  bool SameFile() const {
    struct stat now {};
    return stat(target_.c_str(), &now) == 0 && now.st_ino == before_.st_ino &&
           now.st_mode == before_.st_mode;
  }

  // Runs `body` in the child; "skip: ..." when the folder takes new files for this user.
  test::ChildOutcome Run(const std::function<std::string()>& body, bool signalCleanup = false,
                         const fs::path& tmpdir = {}) const {
    return test::RunInBoundedChild(
        [&]() -> std::string {
          if (signalCleanup) InstallTemporaryCleanup();
          if (std::string failed = test::BecomeUnprivileged(); !failed.empty()) return failed;
          setenv("TMPDIR", (tmpdir.empty() ? tmp() : tmpdir).c_str(), 1);
          const fs::path probe = dir_ / "probe";
          const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
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
  struct stat before_ {};
};

bool Skipped(const test::ChildOutcome& outcome) { return outcome.what.rfind("skip:", 0) == 0; }

// Writes kNew over the target; "" when it fails with `says`, else what happened.
std::string FailsSaying(const fs::path& target, const std::string& says) {
  try {
    (void)WriteFileAtomically(target.string(), kNew);
    return "the write succeeded";
  } catch (const Error& e) {
    return e.kind() == ErrorKind::Io && e.what() == says ? "" : e.what();
  }
}

// What the replaced disk calls do, set in the child before its write.
struct Seam {
  DiskCopy systemCopy = nullptr;
  DiskReserve systemReserve = nullptr;
  std::int64_t copyBudget = -1;  // bytes the copy lets through before it fails; -1: all
  int error = 0;                 // what the failing call says; 0: it raises SIGTERM instead
  std::string failingFlush;      // the folder whose files' flushes fail, or the file
};
Seam seam;

int Failure() {
  if (seam.error == 0) raise(SIGTERM);
  errno = seam.error;
  return -1;
}

int FailingReserve(int, std::int64_t) { return Failure(); }
int ReserveThenFail(int fd, std::int64_t length) {
  seam.systemReserve(fd, length);
  return Failure();
}
int UnsupportedReserve(int, std::int64_t) {
  errno = EOPNOTSUPP;
  return -1;
}
std::int64_t CopyWithinBudget(int from, int to, std::int64_t offset, std::int64_t count) {
  if (seam.copyBudget == 0) return Failure();
  if (seam.copyBudget > 0) count = std::min(count, seam.copyBudget);
  const std::int64_t n = seam.systemCopy(from, to, offset, count);
  if (n > 0 && seam.copyBudget > 0) seam.copyBudget -= n;
  return n;
}
int FlushFailingAt(int fd) {
  char link[4096];
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t n = readlink(proc.c_str(), link, sizeof link);
  const std::string path = n > 0 ? std::string(link, static_cast<std::size_t>(n)) : "";
  if (path.rfind(seam.failingFlush, 0) == 0) return Failure();
  return 0;
}

void InstallSeam(const Seam& s) {
  seam = s;
  seam.systemCopy = ReplaceDiskCopy(nullptr);
  seam.systemReserve = ReplaceDiskReserve(nullptr);
  ReplaceDiskFlush(FlushFailingAt);
}

TEST(InPlaceWrite, FailuresBeforeItsFirstByteChangesLeaveTheOldFileByteForByte) {
  const struct {
    const char* what;
    DiskReserve reserve;
    std::int64_t copyBudget;
    int error;
    bool copyFlushFails;
    bool copySide;       // the message names the temporary folder
    const char* tmpdir;  // under the scene's temporary folder; nullptr: that folder
  } cases[] = {
      {"a full disk at the reserve", FailingReserve, -1, ENOSPC, false, false, nullptr},
      {"a quota at the reserve", FailingReserve, -1, EDQUOT, false, false, nullptr},
      {"the file-size limit at the reserve", FailingReserve, -1, EFBIG, false, false, nullptr},
      {"a reserve that extends the file, then fails", ReserveThenFail, -1, ENOSPC, false, false,
       nullptr},
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
          InstallSeam({nullptr, nullptr, c.copyBudget, c.error,
                       c.copyFlushFails ? tmpdir.string() : std::string("none")});
          if (c.reserve != nullptr) ReplaceDiskReserve(c.reserve);
          ReplaceDiskCopy(CopyWithinBudget);
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

// The one entry of the temporary folder, which must be a kept copy (no leading dot).
std::string KeptCopyIn(const fs::path& tmp) {
  const std::vector<std::string> entries = EntriesOf(tmp);
  if (entries.size() != 1 || entries[0].rfind("pop.bvt.~", 0) != 0) return "";
  return (tmp / entries[0]).string();
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
      InstallSeam({nullptr, nullptr, c.copyBudget, c.error,
                   c.targetFlushFails ? scene.target().string() : std::string("none")});
      ReplaceDiskCopy(CopyWithinBudget);
      try {
        (void)WriteFileAtomically(scene.target().string(), kNew);
        return "the write succeeded";
      } catch (const Error& e) {
        const std::string copy = KeptCopyIn(scene.tmp());
        if (copy.empty()) return "no kept copy";
        const std::string says = "Impossible d'écrire le fichier " + scene.target().string() +
                                 " : " + std::strerror(c.error) +
                                 ". Le fichier est incomplet, son contenu complet est dans " +
                                 copy + ".";
        return e.what() == says ? "" : e.what();
      }
    });
    if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
    EXPECT_TRUE(outcome.ok) << outcome.what;
    const std::string copy = KeptCopyIn(scene.tmp());
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(test::ReadBytes(copy), kNew);
    EXPECT_EQ(test::ReadBytes(scene.target()).substr(0, c.newBytes), kNew.substr(0, c.newBytes));
  }
}

// SIGTERM between the steps: before the first byte changes the copy goes and the file's size is
// put back; after it the copy stays.
TEST(InPlaceWrite, ASignalBetweenItsStepsLeavesTheOldFileOrTheCompleteCopy) {
  const struct {
    const char* what;
    DiskReserve reserve;
    std::int64_t copyBudget;
    bool copyFlushRaises;
    bool kept;
  } cases[] = {
      {"while the copy is flushed", nullptr, -1, true, false},
      {"once the file is given room", ReserveThenFail, -1, false, false},
      {"while the file is overwritten", nullptr, 1000, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InPlaceScene scene;
    const test::ChildOutcome outcome = scene.Run(
        [&]() -> std::string {
          InstallSeam({nullptr, nullptr, c.copyBudget, 0,
                       c.copyFlushRaises ? scene.tmp().string() : std::string("none")});
          if (c.reserve != nullptr) ReplaceDiskReserve(c.reserve);
          ReplaceDiskCopy(CopyWithinBudget);
          try {
            (void)WriteFileAtomically(scene.target().string(), kNew);
          } catch (const Error& e) {
            return e.what();
          }
          return "the write succeeded";
        },
        /*signalCleanup=*/true);
    if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
    EXPECT_EQ(outcome.what, "signal " + std::to_string(SIGTERM));
    EXPECT_TRUE(scene.SameFile());
    if (c.kept) {
      const std::string copy = KeptCopyIn(scene.tmp());
      ASSERT_FALSE(copy.empty());
      EXPECT_EQ(test::ReadBytes(copy), kNew);
      EXPECT_EQ(test::ReadBytes(scene.target()).substr(0, 1000), kNew.substr(0, 1000));
    } else {
      EXPECT_EQ(test::ReadBytes(scene.target()), kOld);
      EXPECT_TRUE(scene.Copies().empty());
    }
  }
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
      if (c.reserveUnsupported) ReplaceDiskReserve(UnsupportedReserve);
      return WriteFileAtomically(scene.target().string(), c.content);
    });
    if (Skipped(outcome)) GTEST_SKIP() << outcome.what;
    EXPECT_TRUE(outcome.ok) << outcome.what;
    EXPECT_EQ(test::ReadBytes(scene.target()), c.content);
    EXPECT_TRUE(scene.SameFile());
    EXPECT_TRUE(scene.Copies().empty());
  }
}

// Past the file-size limit, with SIGXFSZ at its default action, a write fails with EFBIG and
// leaves the old file and no temporary file, on both paths.
TEST(FileSizeLimit, AWritePastItFailsWithoutEndingTheProcess) {
  for (const bool inPlace : {false, true}) {
    SCOPED_TRACE(inPlace ? "in place" : "through a temporary file beside it");
    InPlaceScene scene;
    if (!inPlace) chmod(scene.target().parent_path().c_str(), 0777);
    const std::string says = inPlace ? NotChanged(scene.target(), EFBIG, scene.tmp().string())
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

// A disk of its own, mounted while the test runs.
class SmallDisk {
 public:
  SmallDisk() { mounted_ = mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, "size=64k") == 0; }
  ~SmallDisk() {
    if (mounted_) umount2(dir_.path().c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  bool Grow() { return mount("tmpfs", dir_.path().c_str(), "tmpfs", MS_REMOUNT, "size=1m") == 0; }
  const fs::path& path() const { return dir_.path(); }

 private:
  test::ScratchDir dir_;
  bool mounted_ = false;
};

// The save of a 200 KB table over a 40 KB file on a 64 KiB disk, as an ordinary user in a
// folder of mode 555: the old file stays and the message says so; with room, the same save
// replaces it whole.
TEST(InPlaceWrite, OnAFullDiskTheSaveKeepsTheOldFileAndWithRoomReplacesIt) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a disk takes root";
  SmallDisk disk;
  if (!disk.mounted()) GTEST_SKIP() << "tmpfs cannot be mounted here";
  const fs::path folder = disk.path() / "data";
  fs::create_directory(folder);
  const fs::path target = folder / "pop.bvt";
  const std::string old = Pattern(40000, 'a');
  test::WriteBytes(target, old);
  ASSERT_EQ(chmod(target.c_str(), 0666), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  test::ScratchDir tmp;
  ASSERT_EQ(chmod(tmp.path().c_str(), 0777), 0);

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
  const test::ChildOutcome full = save();
  EXPECT_EQ(full.what, NotChanged(target, ENOSPC));
  EXPECT_EQ(test::ReadBytes(target), old);
  EXPECT_TRUE(tmp.Entries().empty());

  ASSERT_TRUE(disk.Grow());
  const test::ChildOutcome roomy = save();
  EXPECT_TRUE(roomy.ok) << roomy.what;
  EXPECT_EQ(test::ReadBytes(target), text);
  EXPECT_TRUE(tmp.Entries().empty());
  EXPECT_EQ(EntriesOf(folder), std::vector<std::string>{"pop.bvt"});
}

}  // namespace
}  // namespace relakin
