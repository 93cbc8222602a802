#include "editor/popname_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace relakin {

PopNameDialog::PopNameDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("editname");
  setWindowTitle("Nom");
  auto* label = new QLabel(QString::fromUtf8("Nom de la population à insérer :"), this);
  label->setObjectName("Label1");
  nom_ = new QLineEdit(this);
  nom_->setObjectName("nom");
  label->setBuddy(nom_);
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("BitBtn1");
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(nom_);
  layout->addLayout(buttons);
  clearName();
}

void PopNameDialog::clearName() { nom_->clear(); }
QString PopNameDialog::name() const { return nom_->text(); }

}  // namespace relakin
