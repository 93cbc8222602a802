// "Ajouter lignes et colonnes": how many rows and locus columns to add at the end of the table,
// on two pages chosen by a tab strip. Lives for the whole run; the add command sets both counts
// to 0 and their maxima (the room left) before each showing.
#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;

namespace relakin {

class AddRowColDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AddRowColDialog(QWidget* parent = nullptr);

  void prepare(int rowsMax, int colsMax);
  int rows() const;
  int cols() const;

  QSpinBox* rowsEdit() const { return rows_; }
  QSpinBox* colsEdit() const { return cols_; }
  QTabBar* tabs() const { return tabs_; }
  QStackedWidget* pages() const { return pages_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  void accept() override;

 private:
  QStackedWidget* pages_;
  QTabBar* tabs_;
  QSpinBox* rows_;
  QSpinBox* cols_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace relakin
