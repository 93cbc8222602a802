#include "platform/program_launch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace relakin {

QString FindProgram(const QString& name, const QString& ownDir) {
  if (!ownDir.isEmpty()) {
    const QFileInfo beside(QDir(ownDir).filePath(name));
    if (beside.isFile() && beside.isExecutable()) return beside.absoluteFilePath();
  }
  return QStandardPaths::findExecutable(name);
}

bool StartProgram(const QString& name) {
  const QString path = FindProgram(name, QCoreApplication::applicationDirPath());
  return !path.isEmpty() && QProcess::startDetached(path, {});
}

}  // namespace relakin
