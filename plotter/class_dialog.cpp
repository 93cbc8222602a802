#include "plotter/class_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "plotter/stats/histogram.h"

namespace vodave {
namespace {

// A text left in the spin edit that is not a number counts as the fewest classes, and a number
// is brought into range, instead of going back to the value before the edit.
class ClassCountSpinBox : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;
  void fixup(QString& input) const override {
    bool ok = false;
    const int value = input.trimmed().toInt(&ok);
    input = QString::number(ok ? std::clamp(value, minimum(), maximum()) : minimum());
  }
};

}  // namespace

TBtnRightDlg::TBtnRightDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("BtnRightDlg");
  setWindowTitle("Changement du nombre de classes");

  auto* bevel = new QFrame(this);
  bevel->setObjectName("Bevel1");
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  auto* label = new QLabel("Nombre de classes :", bevel);
  label->setObjectName("Label1");
  SpinEdit1_ = new ClassCountSpinBox(bevel);
  SpinEdit1_->setObjectName("SpinEdit1");
  SpinEdit1_->setRange(kMinClasses, kMaxClasses);
  SpinEdit1_->setValue(kDefaultClasses);
  label->setBuddy(SpinEdit1_);
  auto* bevelLayout = new QHBoxLayout(bevel);
  bevelLayout->setContentsMargins(16, 24, 16, 24);
  bevelLayout->addWidget(label);
  bevelLayout->addWidget(SpinEdit1_);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Annuler", this);
  cancel->setObjectName("CancelBtn");
  auto* help = new QPushButton("Aide", this);  // there is no help to show
  help->setObjectName("HelpBtn");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(bevel);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TBtnRightDlg::NbClasses() const {
  bool ok = false;
  const int value = SpinEdit1_->cleanText().toInt(&ok);
  return ok ? std::clamp(value, kMinClasses, kMaxClasses) : kMinClasses;
}

}  // namespace vodave
