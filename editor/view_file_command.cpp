#include "editor/view_file_command.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <optional>

#include "core/viewer_file_kind.h"
#include "editor/main_window.h"
#include "editor/result_viewer.h"
#include "platform/url_opener.h"

namespace relakin {
namespace {

const FileDialogSpec kOpenDialog2{
    "Fichiers texte|*.txt|Fichiers résultats|*.res|Fichiers résultats morvane|*.LD;*.OHT;*.FRE|"
    "Tous les fichiers (*.*)|*.*",
    true, false};

}  // namespace

ResultViewer* ShowResultFile(const QString& path, QWidget* parent, UrlOpener& opener) {
  const std::string name = QFile::encodeName(path).toStdString();
  if (ReadViewerFileKind(name) == ViewerFileKind::Html &&
      opener.open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()))) {
    return nullptr;
  }
  auto* viewer = new ResultViewer(path, ResultViewer::ReadText(path), parent);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

ViewFileCommand::ViewFileCommand(MainWindow& window)
    : QObject(&window), window_(window), opener_(&DesktopUrlOpener()) {
  setObjectName("ViewFileCommand");
  connect(window.action("VoirImprimer1"), &QAction::triggered, this, &ViewFileCommand::run);
}

void ViewFileCommand::run() {
  window_.runGuarded([this] {
    const std::optional<QString> path = window_.prompts().openFileName(&window_, kOpenDialog2);
    if (path) ShowResultFile(*path, &window_, *opener_);
  });
}

}  // namespace relakin
