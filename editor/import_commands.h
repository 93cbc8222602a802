// File > Import: after the save question, the import dialog (Tf_import) shown modally; and how
// a table that an import read takes the main window's place, leaving the window in the state
// that Open leaves.
#pragma once

#include <QObject>
#include <QString>

#include "core/document.h"
#include "formats/dialogs/import_dialog.h"
#include "formats/import_text.h"

namespace relakin {

class MainWindow;

// The import dialog's target is the main window.
class ImportCommands : public QObject, public ImportTarget {
  Q_OBJECT

 public:
  // Child of `window`; connects its action "Importer1".
  explicit ImportCommands(MainWindow& window);

  // The Import command itself.
  void importFile();

  Prompts& prompts() const override;
  void setStatusText(const QString& text) override;
  QWidget* tableArea() const override;
  void takeImportedTable(Document&& read, const QString& name,
                         const ImportWarnings& warnings) override;

 private:
  MainWindow& window_;
};

// Puts `read` in the window's document and the window in the state of a loaded table:
// Modified false, the grid shown, the commands of a loaded table enabled, caption and file
// name `name` as typed or picked (Save then asks for a native name); then says each of
// `warnings`, what the import changed on the way in.
void TakeImportedTable(MainWindow& window, Document&& read, const QString& name,
                       const ImportWarnings& warnings = {});

}  // namespace relakin
