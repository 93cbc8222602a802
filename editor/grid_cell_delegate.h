// The grid's cell editor: a line edit that reports every change of its text while it is open,
// in table coordinates, so the typed genotype can be checked at each keystroke.
#pragma once

#include <QStyledItemDelegate>

class QLineEdit;

namespace relakin {

class GridCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  // Says editorDestroying, then lets the editor go (it is deleted later).
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

 signals:
  // A new editor for table cell (col, row); connect here to filter its events.
  void editorCreated(QLineEdit* editor, int col, int row) const;
  // The text of the editor of table cell (col, row) changed by the user.
  void textEdited(int col, int row, const QString& text) const;
  // The view is done with `editor`, still whole: whoever filters its events must stop now, or
  // its filter meets the editor half destroyed.
  void editorDestroying(QWidget* editor) const;
};

}  // namespace relakin
