#include "editor/string_grid.h"

#include <QHeaderView>

namespace relakin {

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  horizontalHeader()->setDefaultSectionSize(64);
  verticalHeader()->setDefaultSectionSize(20);
  verticalHeader()->setMinimumSectionSize(16);
}

void StringGrid::reset(int colCount, int rowCount) {
  clearContents();
  setColumnCount(colCount);
  setRowCount(rowCount);
  for (int row = 0; row < rowCount; ++row) {
    for (int col = 0; col < colCount; ++col) {
      if (col < fixedCols_ || row < fixedRows_) setCell(col, row, {});
    }
  }
}

void StringGrid::setFixed(int fixedCols, int fixedRows) {
  fixedCols_ = fixedCols;
  fixedRows_ = fixedRows;
}

void StringGrid::setCell(int col, int row, const QString& text) {
  if (col >= columnCount()) setColumnCount(col + 1);
  if (row >= rowCount()) setRowCount(row + 1);
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  setItem(row, col, item);
  paintFixed(col, row);
}

QString StringGrid::cell(int col, int row) const {
  const QTableWidgetItem* it = item(row, col);
  return it ? it->text() : QString();
}

void StringGrid::paintFixed(int col, int row) {
  if (col < fixedCols_ || row < fixedRows_) item(row, col)->setBackground(QColor(192, 192, 192));
}

}  // namespace relakin
