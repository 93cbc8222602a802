#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "analysis/output_file.h"
#include "analysis_temp_dir.h"
#include "core/errors.h"

namespace relakin {
namespace {

using testing::InTempDir;
using testing::ReadBytes;
using testing::WriteBytes;

// Some megabytes of numbered lines: more than one buffer and one system copy step.
std::string Payload() {
  std::string s;
  for (int k = 0; s.size() < (3u << 20); ++k) s += std::to_string(k) + " \r\n";
  return s;
}

// The scratch file's bytes after its first line land between the writes around the copy, with
// the source on the same file system as the result and, where the machine has a second one
// (a memory-backed /dev/shm), on another, where the system may refuse to copy.
TEST(CopyAfterFirstLine, KeepsTheOrderOfTheWritesAroundIt) {
  InTempDir dir;
  const std::string payload = Payload();
  std::vector<std::string> sources = {(dir.path() / "same.ttt").string()};
  struct stat here {
  }, shm{};
  if (stat(dir.path().c_str(), &here) == 0 && stat("/dev/shm", &shm) == 0 &&
      here.st_dev != shm.st_dev) {
    std::string other = "/dev/shm/relakin-copy-XXXXXX";
    const int fd = mkstemp(other.data());
    ASSERT_GE(fd, 0);
    close(fd);
    sources.push_back(other);
  }
  for (const std::string& source : sources) {
    SCOPED_TRACE(source);
    WriteBytes(source, "\r\n" + payload + "last line");
    OutputFile out("out.res");
    out.Write("before\r\n");
    CopyAfterFirstLine(source, out);
    out.Write("\r\nafter");
    out.Close();
    EXPECT_TRUE(ReadBytes("out.res") == "before\r\n" + payload + "last line\r\nafter");
  }
  if (sources.size() > 1) std::filesystem::remove(sources.back());
}

TEST(CopyAfterFirstLine, SourceWithoutLineEndOrMissing) {
  InTempDir dir;
  WriteBytes("one-line.ttt", "no line end");
  OutputFile out("out.res");
  out.Write("x");
  CopyAfterFirstLine("one-line.ttt", out);
  try {
    CopyAfterFirstLine("missing.ttt", out);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Io);
    EXPECT_NE(std::string(e.what()).find("missing.ttt"), std::string::npos) << e.what();
  }
  out.Close();
  EXPECT_EQ(ReadBytes("out.res"), "x");
}

}  // namespace
}  // namespace relakin
