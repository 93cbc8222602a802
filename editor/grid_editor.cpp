#include "editor/grid_editor.h"

#include <QAction>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTableView>

#include "core/cell_help.h"
#include "core/codepage.h"
#include "core/genotype_check.h"
#include "core/goto_target.h"
#include "core/grid_moves.h"
#include "core/population_marker.h"
#include "core/row_commands.h"
#include "editor/addrowcol_dialog.h"
#include "editor/genotype_table_model.h"
#include "editor/goto_dialog.h"
#include "editor/grid_cell_delegate.h"
#include "editor/main_window.h"
#include "editor/popkeys_dialog.h"
#include "editor/popname_dialog.h"
#include "widgets/window_frame.h"

namespace relakin {
namespace {

QString ToQt(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The marker questions asked through the window's prompts and the population-name dialog.
class WindowMarkerPrompts : public MarkerPrompts {
 public:
  WindowMarkerPrompts(MainWindow& window, PopNameDialog& nameDialog)
      : window_(window), nameDialog_(nameDialog) {}
  bool AskYesNo(const std::string& question) override {
    return window_.prompts().ask(&window_, QMessageBox::Information, ToQt(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  }
  std::string AskPopulationName() override {
    nameDialog_.clearName();
    window_.prompts().exec(nameDialog_);
    return nameDialog_.name().toStdString();
  }
  void Show(const std::string& text) override {
    window_.prompts().tell(&window_, QMessageBox::NoIcon, ToQt(text));
  }

 private:
  MainWindow& window_;
  PopNameDialog& nameDialog_;
};

// The key as the Windows virtual-key code the editing keys are defined by; 0 for the others.
int VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_F2) return kKeyF2;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return kKeyEnter;
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
  const QString text = event.text();
  if (text.size() == 1 && text[0].isLetterOrNumber()) return Qt::Key_A;  // accented letters
  return 0;
}

}  // namespace

GridEditor::GridEditor(MainWindow& window)
    : window_(window),
      grid_(*window.grid()),
      model_(*window.model()),
      doc_(window.document()),
      goto_(new GotoDialog(&window)),
      popName_(new PopNameDialog(&window)),
      add_(new AddRowColDialog(&window)) {
  for (QWidget* dialog :
       {static_cast<QWidget*>(goto_), static_cast<QWidget*>(popName_), static_cast<QWidget*>(add_)})
    KeepFirstPlace(*dialog);
  setEditingSwitch(true);
  connectGrid();
  connectActions();
}

GridEditor::~GridEditor() {
  grid_.disconnect(this);
  grid_.horizontalHeader()->disconnect(this);
  grid_.verticalHeader()->disconnect(this);
  if (grid_.selectionModel()) grid_.selectionModel()->disconnect(this);
  if (QAbstractItemDelegate* delegate = grid_.itemDelegate()) delegate->disconnect(this);
}

void GridEditor::FinishEditing(QAbstractItemView& view) {
  // An open editor is always the current cell's: moving elsewhere commits it.
  QWidget* editor = view.indexWidget(view.currentIndex());
  QAbstractItemDelegate* delegate = view.itemDelegate();
  if (editor == nullptr || delegate == nullptr) return;
  emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridEditor::connectActions() {
  const auto bind = [this](const char* name, void (GridEditor::*command)()) {
    if (QAction* action = window_.action(name))
      connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  bind("Insert1", &GridEditor::insertRow);
  bind("InsertaRow1", &GridEditor::insertRow);
  bind("Row1", &GridEditor::deleteRow);
  bind("Column1", &GridEditor::deleteColumn);
  bind("AddRowandcols1", &GridEditor::addRowsAndColumns);
  bind("GotoindivN1", &GridEditor::gotoIndividual);
  bind("ReachpopN1", &GridEditor::gotoPopulation);
  bind("KeystoPopulations1", &GridEditor::editPopulationNames);
}

void GridEditor::connectGrid() {
  grid_.installEventFilter(this);
  grid_.viewport()->installEventFilter(this);
  connect(grid_.selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { cellBecameCurrent(current); });
  connect(&grid_, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { doubleClicked(index); });
  if (auto* delegate = qobject_cast<GridCellDelegate*>(grid_.itemDelegate())) {
    connect(delegate, &GridCellDelegate::editorCreated, this, [this](QLineEdit* editor, int, int) {
      cellEditor_ = editor;
      editor->installEventFilter(this);
    });
    connect(delegate, &GridCellDelegate::textEdited, this,
            [this](int col, int row, const QString& text) { textTyped(col, row, text); });
    // Its destructor still sends events (focus, hide): none may reach the filter's downcast.
    connect(delegate, &GridCellDelegate::editorDestroying, this, [this](QWidget* editor) {
      editor->removeEventFilter(this);
      if (cellEditor_.data() == editor) cellEditor_.clear();
    });
  }
  QHeaderView* headings = grid_.horizontalHeader();
  QHeaderView* labels = grid_.verticalHeader();
  // Connected after the view's own handling of a press, so the selection set here stays.
  connect(headings, &QHeaderView::sectionPressed, this,
          [this](int section) { columnHeadingPressed(section); });
  connect(labels, &QHeaderView::sectionPressed, this,
          [this](int section) { rowHeadingPressed(section); });
  connect(headings, &QHeaderView::sectionMoved, this,
          [this](int, int from, int to) { columnDragged(from, to); });
  connect(labels, &QHeaderView::sectionMoved, this,
          [this](int, int from, int to) { rowDragged(from, to); });
}

int GridEditor::currentCol() const {
  const QModelIndex current = grid_.currentIndex();
  return current.isValid() ? GenotypeTableModel::tableColumn(current.column()) : -1;
}

int GridEditor::currentRow() const {
  const QModelIndex current = grid_.currentIndex();
  return current.isValid() ? GenotypeTableModel::tableRow(current.row()) : -1;
}

void GridEditor::setCurrentCell(int col, int row) {
  const QModelIndex index = model_.tableIndex(col, row);
  grid_.setCurrentIndex(index);
  grid_.scrollTo(index);
}

void GridEditor::tableChanged() {
  model_.cellsChanged(0, 0, doc_.Cells.ColCount() - 1, doc_.Cells.RowCount() - 1);
  grid_.viewport()->update();
}

// ---- Cell help, editing switch, keys --------------------------------------------------------

void GridEditor::setEditingSwitch(bool on) {
  editing_ = on;
  grid_.setEditTriggers(on ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                           : QAbstractItemView::NoEditTriggers);
}

void GridEditor::cellBecameCurrent(const QModelIndex& current) {
  if (current.isValid()) {
    window_.setStatusText(ToQt(CellHelpText(GenotypeTableModel::tableColumn(current.column()),
                                            GenotypeTableModel::tableRow(current.row()))));
  }
  setEditingSwitch(false);
}

bool GridEditor::keyPressed(const QKeyEvent& event) {
  if (grid_.indexWidget(grid_.currentIndex()) != nullptr) return false;  // an editor is open
  if (currentCol() < 1 || (currentCol() == 1 && currentRow() == 1)) return false;
  const int key = VirtualKey(event);
  if (!editing_) {
    if (!KeyStartsEditing(key)) return false;
    setEditingSwitch(true);
  }
  // The view opens the editor for F2 and typed characters by itself, not for Enter.
  if (key == kKeyEnter) {
    grid_.edit(grid_.currentIndex());
    return true;
  }
  return false;
}

void GridEditor::doubleClicked(const QModelIndex& index) {
  if (currentCol() == 1 && currentRow() == 1) return;
  setEditingSwitch(true);
  grid_.edit(index);
}

bool GridEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &grid_ && event->type() == QEvent::KeyPress)
    return keyPressed(*static_cast<QKeyEvent*>(event));

  if (watched == grid_.viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = grid_.indexAt(mouse->position().toPoint());
    if (mouse->button() == Qt::LeftButton && mouse->buttons() == Qt::LeftButton &&
        mouse->modifiers() == Qt::ControlModifier && index.isValid() && index.column() == 0) {
      const int row = GenotypeTableModel::tableRow(index.row());
      // After the view has handled the press (current cell, selection).
      if (row >= 2)
        QMetaObject::invokeMethod(
            this, [this, row] { nameCellCtrlClicked(row); }, Qt::QueuedConnection);
    }
    return false;
  }

  if (watched == cellEditor_.data()) {
    if (event->type() == QEvent::FocusOut && holdEditor_ &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
      return true;
    if (event->type() == QEvent::ShortcutOverride) {
      // The window's shortcuts (Del, Ctrl+C, ...) come before the editor's own keys.
      auto* key = static_cast<QKeyEvent*>(event);
      const QKeySequence sequence(key->keyCombination());
      for (const QAction* action : window_.findChildren<QAction*>()) {
        if (action->isEnabled() && !action->shortcut().isEmpty() &&
            action->shortcut() == sequence) {
          key->ignore();
          return true;
        }
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

// ---- The genotype check ----------------------------------------------------------------------

void GridEditor::textTyped(int col, int row, const QString& text) {
  window_.setModified(true);
  QPointer<QLineEdit> editor = cellEditor_;
  // First in the editor's filters, so that the box's focus change cannot close it.
  if (editor) editor->installEventFilter(this);
  holdEditor_ = true;
  window_.runWhileEditing([&] {
    const auto warning = CheckTypedGenotype(col, row, Utf8ToCp1252(text.toStdString()));
    if (warning) window_.prompts().tell(&window_, QMessageBox::NoIcon, ToQt(*warning));
  });
  holdEditor_ = false;
  if (editor) editor->setFocus();
  grid_.selectionModel()->select(model_.tableIndex(col, row), QItemSelectionModel::ClearAndSelect);
}

// ---- Mouse: population starts and headings ---------------------------------------------------

void GridEditor::nameCellCtrlClicked(int row) {
  if (row >= doc_.Cells.RowCount()) return;
  FinishEditing(grid_);
  window_.setModified(true);
  WindowMarkerPrompts prompts(window_, *popName_);
  window_.runGuarded([&] { ToggleMarkerAt(doc_, row, prompts); });
  model_.labelsChanged();
}

void GridEditor::columnHeadingPressed(int section) {
  const int rows = model_.rowCount();
  if (rows == 0) return;
  const QModelIndex top = model_.index(0, section);
  grid_.selectionModel()->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
  grid_.selectionModel()->select(QItemSelection(top, model_.index(rows - 1, section)),
                                 QItemSelectionModel::ClearAndSelect);
  window_.setStatusText(ToQt(ColumnHeadingHelpText(GenotypeTableModel::tableColumn(section))));
}

void GridEditor::rowHeadingPressed(int section) {
  const int cols = model_.columnCount();
  if (cols == 0) return;
  const QModelIndex first = model_.index(section, 0);
  grid_.selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  grid_.selectionModel()->select(QItemSelection(first, model_.index(section, cols - 1)),
                                 QItemSelectionModel::ClearAndSelect);
  window_.setStatusText(ToQt(RowHeadingHelpText(GenotypeTableModel::tableRow(section))));
}

// A drag moves only the header's sections: put them back and move the data instead.
void GridEditor::columnDragged(int fromVisual, int toVisual) {
  QHeaderView* headings = grid_.horizontalHeader();
  {
    const QSignalBlocker blocker(headings);
    headings->moveSection(toVisual, fromVisual);
  }
  FinishEditing(grid_);
  window_.runGuarded([&] {
    MoveColumnAndFix(doc_, GenotypeTableModel::tableColumn(fromVisual),
                     GenotypeTableModel::tableColumn(toVisual));
  });
  window_.setModified(true);
  tableChanged();
}

void GridEditor::rowDragged(int fromVisual, int toVisual) {
  QHeaderView* labels = grid_.verticalHeader();
  {
    const QSignalBlocker blocker(labels);
    labels->moveSection(toVisual, fromVisual);
  }
  FinishEditing(grid_);
  window_.setModified(true);
  window_.runGuarded([&] {
    MoveRowAndFix(doc_, GenotypeTableModel::tableRow(fromVisual),
                  GenotypeTableModel::tableRow(toVisual));
  });
  tableChanged();
}

// ---- Row and column commands -----------------------------------------------------------------

void GridEditor::insertRow() {
  FinishEditing(grid_);
  const int col = currentCol();
  const int row = currentRow();
  if (row < 2) return;
  window_.setModified(true);
  window_.runGuarded([&] {
    RequireRowsRoom(doc_, 1);
    model_.insertTableRows(row, 1, [&] { InsertIndividualRow(doc_, row); });
  });
  setCurrentCell(col, row);
}

void GridEditor::deleteRow() {
  FinishEditing(grid_);
  const int row = currentRow();
  if (row < 2 || row >= doc_.Cells.RowCount()) return;
  window_.setModified(true);
  window_.runGuarded(
      [&] { model_.removeTableRows(row, 1, [&] { DeleteIndividualRow(doc_, row); }); });
}

void GridEditor::deleteColumn() {
  FinishEditing(grid_);
  const int col = currentCol();
  if (col < 2 || col >= doc_.Cells.ColCount()) return;
  window_.setModified(true);
  window_.runGuarded(
      [&] { model_.removeTableColumns(col, 1, [&] { DeleteLocusColumn(doc_, col); }); });
}

void GridEditor::addRowsAndColumns() {
  FinishEditing(grid_);
  add_->prepare(RowsRoom(doc_), ColumnsRoom(doc_));
  if (window_.prompts().exec(*add_) != QDialog::Accepted) return;
  const int rows = add_->rows();
  const int cols = add_->cols();
  window_.runGuarded([&] {
    RequireRowsRoom(doc_, rows);
    RequireColumnsRoom(doc_, cols);
    if (rows > 0) {
      model_.insertTableRows(doc_.Cells.RowCount(), rows,
                             [&] { AddRowsAndColumns(doc_, rows, 0); });
    }
    if (cols > 0) {
      model_.insertTableColumns(doc_.Cells.ColCount(), cols,
                                [&] { AddRowsAndColumns(doc_, 0, cols); });
    }
    if (rows == 0 && cols == 0) {
      AddRowsAndColumns(doc_, 0, 0);  // renumbers the labels all the same
      model_.labelsChanged();
    }
  });
}

// ---- Go-to and population names --------------------------------------------------------------

void GridEditor::gotoIndividual() {
  FinishEditing(grid_);
  goto_->showIndividualMode();
  if (window_.prompts().exec(*goto_) != QDialog::Accepted) return;
  const QString text = goto_->individualText();
  const std::optional<int> row = IndividualRowFor(doc_, text.toStdString());
  if (!row) {
    window_.prompts().tell(&window_, QMessageBox::NoIcon, ToQt(kIndividualNotFound));
    return;
  }
  goto_->recordIndividual(text);
  setCurrentCell(1, *row);
}

void GridEditor::gotoPopulation() {
  FinishEditing(grid_);
  goto_->showPopulationMode();
  if (window_.prompts().exec(*goto_) != QDialog::Accepted) return;
  const QString text = goto_->populationText();
  const std::optional<int> row = PopulationRowFor(doc_, text.toStdString());
  if (!row) {
    window_.prompts().tell(&window_, QMessageBox::NoIcon, ToQt(kPopulationNotFound));
    return;
  }
  goto_->recordPopulation(text);
  setCurrentCell(1, *row);
}

void GridEditor::editPopulationNames() {
  FinishEditing(grid_);
  PopKeysDialog dialog(doc_, &window_);
  if (window_.prompts().exec(dialog) == QDialog::Accepted) window_.setModified(true);
}

}  // namespace relakin
