#include "editor/import_commands.h"

#include <QAction>
#include <QTableView>

#include "editor/main_window.h"
#include "formats/dialogs/import_dialog.h"
#include "formats/import_file.h"
#include "widgets/prompts.h"

namespace relakin {

ImportCommands::ImportCommands(MainWindow& window) : QObject(&window), window_(window) {
  setObjectName("ImportCommands");
  connect(window.action("Importer1"), &QAction::triggered, this, &ImportCommands::importFile);
}

void ImportCommands::importFile() {
  window_.runGuarded([this] {
    Tf_import dialog(*this, &window_);
    if (window_.querySaveChanges()) window_.prompts().exec(dialog);
  });
}

Prompts& ImportCommands::prompts() const { return window_.prompts(); }

void ImportCommands::setStatusText(const QString& text) { window_.setStatusText(text); }

QWidget* ImportCommands::tableArea() const { return window_.grid(); }

void ImportCommands::takeImportedTable(Document&& read, const QString& name,
                                       const ImportWarnings& warnings) {
  TakeImportedTable(window_, std::move(read), name, warnings);
}

void TakeImportedTable(MainWindow& window, Document&& read, const QString& name,
                       const ImportWarnings& warnings) {
  window.grid()->hide();
  AdoptImportedTable(window.document(), std::move(read));
  window.setModified(false);
  window.showTable();
  window.enableTableCommands();
  window.setImportedFileName(name);
  for (const std::string& w : warnings)
    window.prompts().tell(&window, QMessageBox::Warning, QString::fromStdString(w));
}

}  // namespace relakin
