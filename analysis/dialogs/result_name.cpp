#include "analysis/dialogs/result_name.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace relakin {
namespace {

// The path a name stands for once links and relative parts are resolved, whether or not the
// file exists yet.
QString Resolved(const QString& name) {
  const QFileInfo info(QDir::current(), name);
  if (info.exists()) return info.canonicalFilePath();
  const QString dir = info.absoluteDir().canonicalPath();
  if (dir.isEmpty()) return QDir::cleanPath(info.absoluteFilePath());
  return dir + '/' + info.fileName();
}

bool IsPairVectorName(const QString& fileName) {
  static const QRegularExpression pattern("^vector[0-9]+\\.txt$");
  return pattern.match(fileName).hasMatch();
}

}  // namespace

QString DefaultResultName(const QString& currentFileName) {
  const qsizetype slash =
      std::max(currentFileName.lastIndexOf('/'), currentFileName.lastIndexOf('\\'));
  QString stem = currentFileName.mid(slash + 1);
  const qsizetype dot = stem.lastIndexOf('.');
  if (dot >= 0) stem.truncate(dot);
  return stem.contains('.') ? stem + "res" : stem + ".res";
}

QString RefusedResultName(const QString& name, const QString& tableFile, RunScratch scratch) {
  const QString target = Resolved(name);
  const QString here = QDir::current().canonicalPath();
  if (target == Resolved("temp.tmp"))
    return QString::fromUtf8(
        "Le fichier résultat ne peut pas être temp.tmp : c'est le fichier de données de "
        "l'analyse !");
  if (scratch == RunScratch::kDistances && target == Resolved("ttt.ttt"))
    return QString::fromUtf8(
        "Le fichier résultat ne peut pas être ttt.ttt : c'est le fichier de travail de "
        "l'analyse !");
  const QFileInfo info(target);
  if (scratch == RunScratch::kPairVectors && info.absolutePath() == here &&
      IsPairVectorName(info.fileName()))
    return QString::fromUtf8(
        "Le fichier résultat ne peut pas être un fichier vector*.txt : ce sont les fichiers "
        "de travail du test de permutation !");
  if (!tableFile.isEmpty() && tableFile != "Untitled" && target == Resolved(tableFile))
    return QString::fromUtf8(
        "Le fichier résultat ne peut pas être le fichier de la table en cours !");
  return {};
}

}  // namespace relakin
