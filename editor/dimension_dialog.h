// The dimensions of a new table ("Dimensions"): numbers of individuals and of loci. Lives for
// the whole run, so a second New proposes what the user chose the first time. OK accepts;
// "Defaut" (the cancel button) and closing reject, and New then takes 10 individuals, 5 loci.
#pragma once

#include <QDialog>

class QSpinBox;
class QPushButton;

namespace relakin {

class DimensionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DimensionDialog(QWidget* parent = nullptr);

  int individuals() const;
  int loci() const;
  QSpinBox* indivEdit() const { return indiv_; }
  QSpinBox* lociEdit() const { return loci_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* defaultButton() const { return default_; }

  void accept() override;

 private:
  QSpinBox* indiv_;
  QSpinBox* loci_;
  QPushButton* ok_;
  QPushButton* default_;
};

}  // namespace relakin
