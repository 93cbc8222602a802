#include "editor/genotype_table_model.h"

#include <algorithm>
#include <utility>

#include "core/codepage.h"

namespace relakin {
namespace {

QString ToQt(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

}  // namespace

GenotypeTableModel::GenotypeTableModel(Document& doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc) {}

QModelIndex GenotypeTableModel::tableIndex(int col, int row) const {
  return index(modelRow(row), modelColumn(col));
}

int GenotypeTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, doc_.Cells.RowCount() - 1);
}

int GenotypeTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, doc_.Cells.ColCount() - 1);
}

QVariant GenotypeTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return ToQt(std::as_const(doc_.Cells).Cells(tableColumn(index.column()), tableRow(index.row())));
}

QVariant GenotypeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (section >= columnCount() || doc_.Cells.RowCount() == 0) return {};
    return ToQt(std::as_const(doc_.Cells).Cells(tableColumn(section), 0));
  }
  if (section >= rowCount() || doc_.Cells.ColCount() == 0) return {};
  return ToQt(std::as_const(doc_.Cells).Cells(0, tableRow(section)));
}

Qt::ItemFlags GenotypeTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.row() != 0 || index.column() != 0) f |= Qt::ItemIsEditable;
  return f;
}

bool GenotypeTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
    return false;
  }
  // An editor closed on the text it showed changes nothing, not even a byte the code page
  // cannot show.
  if (value.toString() == data(index, Qt::EditRole).toString()) return true;
  const int col = tableColumn(index.column());
  const int row = tableRow(index.row());
  doc_.Cells.SetCell(col, row, Utf8ToCp1252(value.toString().toStdString()));
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit cellEdited(col, row);
  return true;
}

void GenotypeTableModel::cellChanged(int col, int row) { cellsChanged(col, row, col, row); }

void GenotypeTableModel::cellsChanged(int firstCol, int firstRow, int lastCol, int lastRow) {
  if (firstRow == 0 || lastRow == 0) headingsChanged();
  if (firstCol == 0 || lastCol == 0) labelsChanged();
  const QModelIndex topLeft = tableIndex(std::max(1, firstCol), std::max(1, firstRow));
  const QModelIndex bottomRight = tableIndex(lastCol, lastRow);
  if (topLeft.isValid() && bottomRight.isValid()) emit dataChanged(topLeft, bottomRight);
}

void GenotypeTableModel::headingsChanged() {
  if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void GenotypeTableModel::labelsChanged() {
  if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void GenotypeTableModel::reset() {
  beginResetModel();
  endResetModel();
}

void GenotypeTableModel::insertTableRows(int at, int count, const std::function<void()>& op) {
  beginInsertRows({}, modelRow(at), modelRow(at) + count - 1);
  op();
  endInsertRows();
  labelsChanged();
}

void GenotypeTableModel::removeTableRows(int first, int count, const std::function<void()>& op) {
  beginRemoveRows({}, modelRow(first), modelRow(first) + count - 1);
  op();
  endRemoveRows();
  labelsChanged();
}

void GenotypeTableModel::insertTableColumns(int at, int count, const std::function<void()>& op) {
  beginInsertColumns({}, modelColumn(at), modelColumn(at) + count - 1);
  op();
  endInsertColumns();
  headingsChanged();
}

void GenotypeTableModel::removeTableColumns(int first, int count, const std::function<void()>& op) {
  beginRemoveColumns({}, modelColumn(first), modelColumn(first) + count - 1);
  op();
  endRemoveColumns();
  headingsChanged();
}

}  // namespace relakin
