#include "plotter/class_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "plotter/stats/histogram.h"
#include "widgets/window_frame.h"

namespace vodave {
namespace {

bool AllDigits(const QString& text) {
  return !text.isEmpty() &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

// The classes a text of the spin edit gives: a number brought into min .. max (one too long
// for an int lies above max), anything else min.
int ClassCount(const QString& input, int min, int max) {
  const QString text = input.trimmed();
  bool ok = false;
  const int value = text.toInt(&ok);
  if (ok) return std::clamp(value, min, max);
  return AllDigits(text) ? max : min;
}

// A text left in the spin edit is brought into range by ClassCount instead of going back to
// the value before the edit; a number above the range may be typed whole (25 gives 20, not
// the 2 a refused keystroke would leave).
class ClassCountSpinBox : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;
  QValidator::State validate(QString& input, int& pos) const override {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state == QValidator::Invalid && AllDigits(input.trimmed())) return QValidator::Intermediate;
    return state;
  }
  void fixup(QString& input) const override {
    input = QString::number(ClassCount(input, minimum(), maximum()));
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
  // Return presses OK wherever the focus is: a clicked or focused button would otherwise become
  // the default (Qt's auto-default), also in the dialog's next showing.
  for (QPushButton* button : {ok, cancel, help}) button->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch(1);
  auto* row = new QHBoxLayout;
  row->addWidget(bevel);
  row->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  relakin::KeepCaptionWhole(*this);
}

int TBtnRightDlg::NbClasses() const {
  return ClassCount(SpinEdit1_->cleanText(), kMinClasses, kMaxClasses);
}

}  // namespace vodave
