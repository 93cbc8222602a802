#include "editor/dimension_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/new_table.h"
#include "widgets/default_button.h"
#include "widgets/range_spin_box.h"

namespace relakin {
namespace {

QSpinBox* MakeSpin(QWidget* parent, const char* name, int min, int max, int value, int chars) {
  auto* spin = new RangeSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(min, max);
  spin->setValue(value);
  if (auto* line = spin->findChild<QLineEdit*>()) line->setMaxLength(chars);
  return spin;
}

}  // namespace

DimensionDialog::DimensionDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("dimension");
  setWindowTitle("Dimensions");
  indiv_ = MakeSpin(this, "Indiv", 10, 1000, kDefaultIndividuals, 4);
  loci_ = MakeSpin(this, "loci", 1, 60, kDefaultLoci, 2);
  auto* label1 = new QLabel("Nombre d'individus", this);
  label1->setObjectName("Label1");
  label1->setBuddy(indiv_);
  auto* label2 = new QLabel("Nombre de locus", this);
  label2->setObjectName("Label2");
  label2->setBuddy(loci_);

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("OKBtn");
  ok_->setDefault(true);
  default_ = new QPushButton("Defaut", this);
  default_->setObjectName("CancelBtn");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(default_, &QPushButton::clicked, this, &QDialog::reject);

  auto* fields = new QGridLayout;
  fields->addWidget(label1, 0, 0);
  fields->addWidget(indiv_, 0, 1);
  fields->addWidget(label2, 1, 0);
  fields->addWidget(loci_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(default_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  KeepReturnOnDefault(*this);
}

int DimensionDialog::individuals() const { return indiv_->value(); }
int DimensionDialog::loci() const { return loci_->value(); }

void DimensionDialog::accept() {
  // A number still being typed counts, brought into range as when the edit is left.
  indiv_->interpretText();
  loci_->interpretText();
  QDialog::accept();
}

}  // namespace relakin
