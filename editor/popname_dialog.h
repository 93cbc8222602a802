// "Nom": the name of a population being inserted. Lives for the whole run; it has only an OK
// button, and closing it by its frame ends it as well: the caller reads the name either way.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace relakin {

class PopNameDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PopNameDialog(QWidget* parent = nullptr);

  void clearName();
  QString name() const;
  QLineEdit* nameEdit() const { return nom_; }
  QPushButton* okButton() const { return ok_; }

 private:
  QLineEdit* nom_;
  QPushButton* ok_;
};

}  // namespace relakin
