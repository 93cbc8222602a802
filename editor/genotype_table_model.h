// The grid's view of the genotype table. It owns no data: it reads the Document's Cells and
// writes an edited cell back into it.
//
// Mapping (table = Document::Cells, addressed (column, row)):
//   model row r     <-> table row r + 1     (row 1, the locus names, is model row 0)
//   model column c  <-> table column c + 1  (column 1, the names, is model column 0)
//   horizontal header section c shows table cell (c + 1, 0): the heading row
//   vertical header section r shows table cell (0, r + 1): the row labels
// Table cell (0, 0) is not shown. Model cell (0, 0), table cell (1, 1), is not editable.
//
// Texts are Windows-1252 in the table and UTF-8 in Qt; the model converts between the two.
// Changes made through core operations are announced with the notify methods below; the
// row and column operations take the core operation as a callback so that the view sees the
// begin/end pair around it.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "core/document.h"

namespace relakin {

class GenotypeTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `doc` must outlive the model.
  explicit GenotypeTableModel(Document& doc, QObject* parent = nullptr);

  static int tableRow(int modelRow) { return modelRow + 1; }
  static int tableColumn(int modelColumn) { return modelColumn + 1; }
  static int modelRow(int tableRow) { return tableRow - 1; }
  static int modelColumn(int tableColumn) { return tableColumn - 1; }
  // The model index of table cell (col, row); invalid for row 0 or column 0.
  QModelIndex tableIndex(int col, int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Stores the text in the table cell and emits cellEdited, when it differs from the cell's.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // Notifications for changes made directly in the document.
  void cellChanged(int col, int row);
  void cellsChanged(int firstCol, int firstRow, int lastCol, int lastRow);  // inclusive
  void headingsChanged();                                                   // row 0
  void labelsChanged();                                                     // column 0
  void reset();  // anything else: the table replaced or resized

  // Run `op`, which inserts or removes table rows/columns, between the matching begin/end.
  void insertTableRows(int at, int count, const std::function<void()>& op);
  void removeTableRows(int first, int count, const std::function<void()>& op);
  void insertTableColumns(int at, int count, const std::function<void()>& op);
  void removeTableColumns(int first, int count, const std::function<void()>& op);

 signals:
  // A cell's text was changed through setData (the user's edit), table coordinates.
  void cellEdited(int col, int row);

 private:
  Document& doc_;
};

}  // namespace relakin
