#include "editor/find_commands.h"

#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <optional>
#include <string>

#include "core/codepage.h"
#include "editor/find_replace_dialog.h"
#include "editor/genotype_table_model.h"
#include "editor/grid_editor.h"
#include "editor/main_window.h"
#include "widgets/window_frame.h"

namespace relakin {
namespace {

std::string ToCells(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

// The find text as the cells hold text; nothing when the code page cannot hold it: its "?" in
// place of the lost character would match cells the user did not look for.
std::optional<std::string> FindTextInCells(const QString& text) {
  std::string bytes = ToCells(text);
  if (QString::fromStdString(Cp1252ToUtf8(bytes)) != text) return std::nullopt;
  return bytes;
}

}  // namespace

FindCommands::FindCommands(MainWindow& window)
    : QObject(&window),
      window_(window),
      find_(new FindReplaceDialog(FindReplaceDialog::Kind::Find, &window)),
      replace_(new FindReplaceDialog(FindReplaceDialog::Kind::Replace, &window)) {
  KeepFirstPlace(*find_);
  KeepFirstPlace(*replace_);
  if (QAction* action = window_.action("Findtext1"))
    connect(action, &QAction::triggered, this, &FindCommands::showFind);
  if (QAction* action = window_.action("Replace1"))
    connect(action, &QAction::triggered, this, &FindCommands::showReplace);
  connect(find_, &FindReplaceDialog::findNextClicked, this, [this] { find(*find_); });
  connect(replace_, &FindReplaceDialog::findNextClicked, this, [this] { find(*replace_); });
  connect(replace_, &FindReplaceDialog::replaceClicked, this, &FindCommands::replace);
}

void FindCommands::showModeless(FindReplaceDialog& dialog) {
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  dialog.findEdit()->setFocus();
  dialog.findEdit()->selectAll();
}

void FindCommands::showFind() { showModeless(*find_); }
void FindCommands::showReplace() { showModeless(*replace_); }

CellPos FindCommands::currentCell() const {
  const QModelIndex current = window_.grid()->currentIndex();
  if (!current.isValid()) return {0, 1};  // before the first cell
  return {GenotypeTableModel::tableColumn(current.column()),
          GenotypeTableModel::tableRow(current.row())};
}

void FindCommands::moveTo(CellPos cell) {
  QTableView& grid = *window_.grid();
  const QModelIndex index = window_.model()->tableIndex(cell.col, cell.row);
  grid.setCurrentIndex(index);
  grid.scrollTo(index);
}

void FindCommands::notFound(FindReplaceDialog& dialog) {
  window_.prompts().tell(&dialog, QMessageBox::NoIcon,
                         QString::fromUtf8("Ne peut trouver \"%1\".").arg(dialog.findText()));
}

void FindCommands::find(FindReplaceDialog& dialog) {
  GridEditor::FinishEditing(*window_.grid());
  const QString text = dialog.findText();
  window_.runGuarded([&] {
    const std::optional<std::string> bytes = FindTextInCells(text);
    const std::optional<CellPos> found =
        bytes ? FindNextCell(window_.document().Cells, *bytes, currentCell(), dialog.options())
              : std::nullopt;
    if (found) {
      moveTo(*found);
    } else {
      notFound(dialog);
    }
  });
}

void FindCommands::replace(bool all) {
  GridEditor::FinishEditing(*window_.grid());
  FindReplaceDialog& dialog = *replace_;
  window_.runGuarded([&] {
    const std::optional<std::string> text = FindTextInCells(dialog.findText());
    if (!text) {
      if (!all) notFound(dialog);
      return;
    }
    const CellPos start = currentCell();
    ReplaceRequest request;
    request.text = *text;
    request.replacement = ToCells(dialog.replaceText());
    request.options = {true, dialog.options().matchCase};
    request.all = all;
    const ReplaceOutcome outcome = ReplaceCells(window_.document().Cells, request, start);
    if (outcome.changed) {
      window_.setModified(true);
      const CellBlock& b = *outcome.changed;
      window_.model()->cellsChanged(b.left, b.top, b.right, b.bottom);
    }
    if (!(outcome.current == start)) moveTo(outcome.current);
    if (!outcome.found && !all) notFound(dialog);
  });
}

}  // namespace relakin
