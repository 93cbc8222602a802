// Finding and starting the plotter: beside the program first, then on the PATH.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/program_launch.h"

namespace relakin {
namespace {

void WriteScript(const QString& path, const QByteArray& body) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\n" + body + "\n");
  f.close();
  f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

class ProgramLaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = qgetenv("PATH");
    qputenv("PATH", onPath.path().toLocal8Bit());
  }
  void TearDown() override { qputenv("PATH", path_); }
  QTemporaryDir own;
  QTemporaryDir onPath;
  QByteArray path_;
};

TEST_F(ProgramLaunchTest, OwnFolderComesBeforeThePath) {
  WriteScript(own.filePath("vodave"), "exit 0");
  WriteScript(onPath.filePath("vodave"), "exit 0");
  EXPECT_EQ(FindProgram("vodave", own.path()), QDir(own.path()).absoluteFilePath("vodave"));
  QFile::remove(own.filePath("vodave"));
  EXPECT_EQ(FindProgram("vodave", own.path()), onPath.filePath("vodave"));
  QFile::remove(onPath.filePath("vodave"));
  EXPECT_TRUE(FindProgram("vodave", own.path()).isEmpty());
}

TEST_F(ProgramLaunchTest, StartsWithoutWaitingAndReportsAMissingProgram) {
  EXPECT_FALSE(StartProgram("vodave"));
  const QString mark = onPath.filePath("started");
  WriteScript(onPath.filePath("vodave"), "echo started > '" + mark.toLocal8Bit() + "'");
  EXPECT_TRUE(StartProgram("vodave"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(mark); }, 10000));
}

}  // namespace
}  // namespace relakin
