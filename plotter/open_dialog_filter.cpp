#include "plotter/open_dialog_filter.h"

#include <QStringList>

namespace vodave {

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns)
      if (p == "*.*") p = "*";
    entries << parts[i] + " (" + patterns.join(' ') + ")";
  }
  return entries.join(";;");
}

}  // namespace vodave
