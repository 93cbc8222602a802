#include "formats/dialogs/preview_model.h"

#include <algorithm>

#include "core/codepage.h"

namespace relakin {

void PreviewModel::setRows(PreviewRows rows) {
  beginResetModel();
  rows_ = std::move(rows);
  std::size_t widest = 1;
  for (const auto& row : rows_) widest = std::max(widest, row.size());
  columns_ = static_cast<int>(widest);
  endResetModel();
}

int PreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(1, static_cast<int>(rows_.size()));
}

int PreviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant PreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const auto r = static_cast<std::size_t>(index.row());
  const auto c = static_cast<std::size_t>(index.column());
  if (r >= rows_.size() || c >= rows_[r].size()) return QString();
  return QString::fromStdString(Cp1252ToUtf8(rows_[r][c]));
}

QVariant PreviewModel::headerData(int, Qt::Orientation, int role) const {
  return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
}

Qt::ItemFlags PreviewModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool PreviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const auto r = static_cast<std::size_t>(index.row());
  const auto c = static_cast<std::size_t>(index.column());
  if (rows_.size() <= r) rows_.resize(r + 1);
  if (rows_[r].size() <= c) rows_[r].resize(c + 1);
  rows_[r][c] = Utf8ToCp1252(value.toString().toStdString());
  emit dataChanged(index, index);
  return true;
}

}  // namespace relakin
