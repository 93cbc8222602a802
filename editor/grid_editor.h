// The grid's editing handlers and the Edit menu's row, column, go-to and population-name
// commands, attached to the main window: status help on the current cell, the keys and double
// click that open the cell editor, the genotype check while typing, heading clicks and drags,
// Ctrl+click population starts. Every table change goes through one core operation
// (core/row_commands.h, grid_moves.h, population_marker.h) and is then announced to the view.
//
// The dialogs that live for the whole run (go-to, population name, add rows and columns) are
// made here; all modal exchanges go through the window's Prompts.
#pragma once

#include <QModelIndex>
#include <QObject>
#include <QPointer>

class QAbstractItemView;
class QKeyEvent;
class QLineEdit;
class QTableView;

namespace relakin {

class AddRowColDialog;
class GenotypeTableModel;
class GotoDialog;
class MainWindow;
class PopNameDialog;
struct Document;

class GridEditor : public QObject {
  Q_OBJECT

 public:
  explicit GridEditor(MainWindow& window);
  ~GridEditor() override;

  // Commits and closes the cell editor open in `view`, if any. A command that changes the table
  // calls it first, or the editor would later write its text over the command's change.
  static void FinishEditing(QAbstractItemView& view);

  // The editing switch: whether typed keys and F2 open the cell editor of the current cell.
  bool editingSwitch() const { return editing_; }

  GotoDialog& gotoDialog() const { return *goto_; }
  PopNameDialog& popNameDialog() const { return *popName_; }
  AddRowColDialog& addDialog() const { return *add_; }

  // The Edit menu's commands.
  void insertRow();
  void deleteRow();
  void deleteColumn();
  void addRowsAndColumns();
  void gotoIndividual();
  void gotoPopulation();
  void editPopulationNames();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectActions();
  void connectGrid();
  void setEditingSwitch(bool on);
  void cellBecameCurrent(const QModelIndex& current);
  bool keyPressed(const QKeyEvent& event);
  void doubleClicked(const QModelIndex& index);
  void textTyped(int col, int row, const QString& text);
  void nameCellCtrlClicked(int row);
  void columnHeadingPressed(int section);
  void rowHeadingPressed(int section);
  void columnDragged(int fromVisual, int toVisual);
  void rowDragged(int fromVisual, int toVisual);
  void tableChanged();
  void setCurrentCell(int col, int row);
  // Table coordinates of the current cell; (-1, -1) when there is none.
  int currentCol() const;
  int currentRow() const;

  MainWindow& window_;
  QTableView& grid_;
  GenotypeTableModel& model_;
  Document& doc_;
  GotoDialog* goto_;
  PopNameDialog* popName_;
  AddRowColDialog* add_;
  QPointer<QLineEdit> cellEditor_;
  bool editing_ = true;
  bool holdEditor_ = false;  // a box opened while typing: the editor must survive its focus loss
};

}  // namespace relakin
