#include "editor/grid_cell_delegate.h"

#include <QLineEdit>

#include "editor/genotype_table_model.h"

namespace relakin {

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  QWidget* widget = QStyledItemDelegate::createEditor(parent, option, index);
  auto* editor = qobject_cast<QLineEdit*>(widget);
  if (editor == nullptr) return widget;
  const int col = GenotypeTableModel::tableColumn(index.column());
  const int row = GenotypeTableModel::tableRow(index.row());
  connect(editor, &QLineEdit::textEdited, this,
          [this, col, row](const QString& text) { emit textEdited(col, row, text); });
  emit editorCreated(editor, col, row);
  return editor;
}

void GridCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  emit editorDestroying(editor);
  QStyledItemDelegate::destroyEditor(editor, index);
}

}  // namespace relakin
