// The main window's file commands: New, Open, Save, Save As, closing with the save question,
// Diagnostic, About and the plotter's start.
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTableView>

#include "core/native_file.h"
#include "core/native_file_name.h"
#include "core/new_table.h"
#include "editor/about_box.h"
#include "editor/description_window.h"
#include "editor/dimension_dialog.h"
#include "editor/genotype_table_model.h"
#include "editor/main_window.h"
#include "platform/program_launch.h"
#include "widgets/prompt_messages.h"

namespace relakin {
namespace {

const FileDialogSpec kOpenDialog1{
    "Fichiers BRAVOLT (*.bvt)|*.bvt|Fichiers texte (*.txt)|*.txt|Tous les fichiers (*.*)|*.*", true,
    false};
const FileDialogSpec kSaveDialog1{"BRAVOLT |*.bvt", false, true};

class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

std::string FileSystemName(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

bool MainWindow::querySaveChanges() {
  if (fileName_.isEmpty() || !modified_) return true;
  const QString text = QString::fromUtf8("Fichier %1 a été modifié. Sauvegarder ?").arg(fileName_);
  switch (prompts_->ask(this, QMessageBox::Warning, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
      // Changes are never dropped: a cancelled or failed save stops the command.
      return saveAs();
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

void MainWindow::newTable() {
  runGuarded([this] {
    if (!querySaveChanges()) return;
    setModified(false);
    setCurrentFileName(kUntitled);
    refreshCaption();
    enableTableCommands(false);
    grid_->hide();
    clearGrid();
    int individuals = kDefaultIndividuals;
    int loci = kDefaultLoci;
    if (prompts_->exec(*dimension_) == QDialog::Accepted) {
      individuals = dimension_->individuals();
      loci = dimension_->loci();
    }
    MakeNewTable(doc_, individuals, loci);
    showTable();
    grid_->setCurrentIndex(model_->tableIndex(1, 2));
  });
}

void MainWindow::openFile() {
  runGuarded([this] {
    if (!querySaveChanges()) return;
    const std::optional<QString> path = prompts_->openFileName(this, kOpenDialog1);
    if (path) loadNativeFile(*path);
  });
}

void MainWindow::loadNativeFile(const QString& path) {
  setStatusText("Loading File...");
  Document read;
  {
    WaitCursor wait;
    // A failed read leaves the table, its name, the caption and Modified as they were.
    read = ReadNativeFile(FileSystemName(path));
  }
  grid_->hide();
  AdoptReadTable(doc_, std::move(read));
  setModified(false);
  setCurrentFileName(path);
  showTable();
  enableTableCommands();
  refreshCaption();
}

bool MainWindow::saveDescribed(const QString& path, bool scratch) {
  return runGuarded([this, &path, scratch] {
    PromptMessages messages(*prompts_, this);
    DataDescription description;
    {
      WaitCursor wait;
      description =
          SaveNativeFile(doc_, FileSystemName(path), messages,
                         scratch ? FileReplacement::Sync::kNone : FileReplacement::Sync::kToDisk);
    }
    description_->fill(description);
    prompts_->exec(*description_);
  });
}

bool MainWindow::saveUnder(const QString& path) {
  const QString previous = fileName_;
  const bool previousImported = importedName_;
  setCurrentFileName(path);  // line 1 of the file names it
  if (!saveDescribed(path)) {
    setCurrentFileName(previous);
    importedName_ = previousImported;
    return false;
  }
  refreshCaption();
  offerRecent(path);
  setModified(false);
  return true;
}

bool MainWindow::saveAs() {
  bool saved = false;
  runGuarded([this, &saved] {
    const std::optional<QString> chosen = prompts_->saveFileName(this, kSaveDialog1);
    if (!chosen) return;
    const std::string typed = chosen->toStdString();
    const QString path = QString::fromStdString(DirectoryPart(typed) + ForceNativeExtension(typed));
    // The dialog asked about the typed name only.
    if (path != *chosen && QFileInfo::exists(path) &&
        prompts_->ask(this, QMessageBox::Warning, "Overwrite this file ?",
                      QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
      return;
    }
    saved = saveUnder(path);
  });
  return saved;
}

bool MainWindow::save() {
  if (fileName_ == kUntitled || importedName_) return saveAs();
  if (!saveDescribed(fileName_)) return false;
  offerRecent(fileName_);
  setModified(false);
  return true;
}

void MainWindow::diagnostic() { saveDescribed("temp.tmp", /*scratch=*/true); }

void MainWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  runGuarded([this, &mayClose] { mayClose = querySaveChanges(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  offerRecent(fileName_);
  event->accept();
}

void MainWindow::offerRecent(const QString& path) {
  if (importedName_ && path == fileName_) return;
  if (IsAbsolutePath(path.toStdString())) emit recentFileCandidate(path);
}

void MainWindow::about() {
  runGuarded([this] {
    AboutBox box(this);
    prompts_->exec(box);
  });
}

void MainWindow::startPlotter() {
  if (!StartProgram("vodave")) {
    prompts_->error(this, QString::fromUtf8("Impossible de démarrer le traceur vodave."));
  }
}

}  // namespace relakin
