// The text-import dialog's preview grid: rows of texts of any length (Windows-1252 bytes, shown
// as UTF-8). Model row r - 1 and column c - 1 show grid cell (c, r); the headers stand for the
// grid's fixed row and column and show nothing. The grid keeps at least one row and one column.
// Cells may be edited; the import never reads them.
#pragma once

#include <QAbstractTableModel>

#include "formats/delimited_preview.h"

namespace relakin {

class PreviewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit PreviewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void setRows(PreviewRows rows);
  const PreviewRows& rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  PreviewRows rows_;
  int columns_ = 1;
};

}  // namespace relakin
