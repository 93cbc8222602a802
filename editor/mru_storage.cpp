#include "editor/mru_storage.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <utility>

namespace relakin {
namespace {

// "F12" -> 12; any other name sorts after every numbered key.
long KeyNumber(const QString& key) {
  bool ok = false;
  const long n = key.startsWith('F') ? key.mid(1).toLong(&ok) : 0;
  return ok && n >= 0 ? n : LONG_MAX;
}

}  // namespace

std::unique_ptr<QSettings> UserMRUSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kMRUOrganisation);
}

std::vector<std::string> LoadMRUPaths(QSettings& settings) {
  settings.beginGroup(kMRUSection);
  std::vector<std::pair<long, QString>> keys;
  for (const QString& key : settings.childKeys()) keys.emplace_back(KeyNumber(key), key);
  std::sort(keys.begin(), keys.end());
  std::vector<std::string> paths;
  for (const auto& [number, key] : keys) {
    const QVariant value = settings.value(key);
    // An unquoted value with commas reads as a list: it was one path.
    const QString path = value.typeId() == QMetaType::QStringList ? value.toStringList().join(',')
                                                                  : value.toString();
    if (!path.isEmpty()) paths.push_back(path.toStdString());
  }
  settings.endGroup();
  return paths;
}

bool SaveMRUPaths(QSettings& settings, const std::vector<std::string>& paths) {
  settings.remove(kMRUSection);
  settings.beginGroup(kMRUSection);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    settings.setValue(QString("F%1").arg(i), QString::fromStdString(paths[i]));
  }
  settings.endGroup();
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace relakin
