// The dialog "Changement du nombre de classes": the number of classes of the histogram.
// It keeps the spin edit's text between showings, also when it is cancelled.
#pragma once

#include <QDialog>

class QSpinBox;

namespace vodave {

class TBtnRightDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TBtnRightDlg(QWidget* parent = nullptr);

  // The spin edit's value brought into kMinClasses .. kMaxClasses; a text that is not a number
  // counts as kMinClasses.
  int NbClasses() const;

 private:
  QSpinBox* SpinEdit1_;
};

}  // namespace vodave
