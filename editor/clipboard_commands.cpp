#include "editor/clipboard_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableView>
#include <new>

#include "core/clipboard_text.h"
#include "core/codepage.h"
#include "editor/genotype_table_model.h"
#include "editor/grid_editor.h"
#include "editor/main_window.h"

namespace relakin {
namespace {

constexpr const char* kTooLarge = "Sélection trop large !";

bool WriteSystemClipboard(const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(text);
  return true;
}

}  // namespace

ClipboardCommands::ClipboardCommands(MainWindow& window)
    : QObject(&window), window_(window), writer_(WriteSystemClipboard) {
  const auto bind = [this](const char* name, auto command) {
    if (QAction* action = window_.action(name))
      connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  for (const char* name : {"Cut1", "Cut2", "cut_b"}) bind(name, &ClipboardCommands::cut);
  for (const char* name : {"Copy1", "Copy2", "copy_b"}) bind(name, &ClipboardCommands::copy);
  for (const char* name : {"Past1", "Paste1", "paste_b"}) bind(name, &ClipboardCommands::paste);
  for (const char* name : {"Delete1", "Delete2"}) bind(name, &ClipboardCommands::deleteCells);
}

bool ClipboardCommands::selectedBlock(CellBlock& block) const {
  const QTableView& grid = *window_.grid();
  const QModelIndex current = grid.currentIndex();
  const QItemSelection selection =
      grid.selectionModel() ? grid.selectionModel()->selection() : QItemSelection();
  bool any = false;
  for (const QItemSelectionRange& range : selection) {
    const CellBlock part{GenotypeTableModel::tableColumn(range.left()),
                         GenotypeTableModel::tableRow(range.top()),
                         GenotypeTableModel::tableColumn(range.right()),
                         GenotypeTableModel::tableRow(range.bottom())};
    if (!any) {
      block = part;
      any = true;
    } else {
      block.Include(part.left, part.top);
      block.Include(part.right, part.bottom);
    }
  }
  if (any) return true;
  if (!current.isValid()) return false;
  block = CellBlock::Cell(GenotypeTableModel::tableColumn(current.column()),
                          GenotypeTableModel::tableRow(current.row()));
  return true;
}

void ClipboardCommands::tableChanged(const CellBlock& block) {
  window_.model()->cellsChanged(block.left, block.top, block.right, block.bottom);
}

bool ClipboardCommands::copy() {
  QTableView& grid = *window_.grid();
  // The text being typed is the cell's text; the editor stays open.
  if (QWidget* editor = grid.indexWidget(grid.currentIndex()))
    emit grid.itemDelegate()->commitData(editor);
  window_.setModified(true);
  CellBlock block;
  if (!selectedBlock(block)) return false;
  bool copied = false;
  window_.runGuarded([&] {
    const Document& doc = window_.document();
    if (block.IsSingleCell()) {
      copied = writer_(QString::fromStdString(Cp1252ToUtf8(CopyText(doc.Cells, block))));
      if (!copied) throw std::runtime_error("Le presse-papier n'a pas pu être ouvert.");
      return;
    }
    QString text;
    try {
      text = QString::fromStdString(Cp1252ToUtf8(CopyText(doc.Cells, block)));
      copied = writer_(text);
    } catch (const std::bad_alloc&) {
      copied = false;
    }
    if (!copied)
      window_.prompts().tell(&window_, QMessageBox::NoIcon, QString::fromUtf8(kTooLarge));
  });
  return copied;
}

void ClipboardCommands::cut() {
  if (copy()) deleteCells();
}

void ClipboardCommands::deleteCells() {
  GridEditor::FinishEditing(*window_.grid());
  window_.setModified(true);
  CellBlock block;
  if (!selectedBlock(block)) return;
  window_.runGuarded([&] {
    BlankCells(window_.document().Cells, block);
    tableChanged(block);
  });
}

void ClipboardCommands::paste() {
  QTableView& grid = *window_.grid();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QModelIndex current = grid.currentIndex();
  if (data == nullptr || !data->hasText() || !current.isValid()) return;
  const int col = GenotypeTableModel::tableColumn(current.column());
  const int row = GenotypeTableModel::tableRow(current.row());
  if (col == 1 && row == 1) return;
  const QString text = data->text();
  GridEditor::FinishEditing(grid);
  window_.setModified(true);
  window_.runGuarded([&] {
    const std::string bytes = Utf8ToCp1252(text.toStdString());
    if (const auto written = PasteText(window_.document().Cells, col, row, bytes))
      tableChanged(*written);
  });
}

}  // namespace relakin
