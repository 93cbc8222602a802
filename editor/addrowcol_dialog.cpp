#include "editor/addrowcol_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "widgets/default_button.h"
#include "widgets/range_spin_box.h"
#include "widgets/window_frame.h"

namespace relakin {
namespace {

// A notebook page holding one group with one spin edit.
QWidget* MakePage(QWidget* parent, const char* group, QSpinBox* spin) {
  auto* page = new QWidget(parent);
  auto* box = new QGroupBox(QString::fromUtf8(group), page);
  auto* boxLayout = new QVBoxLayout(box);
  boxLayout->addWidget(spin);
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->addWidget(box);
  pageLayout->addStretch();
  return page;
}

QSpinBox* MakeCount(QWidget* parent, const char* name, int max) {
  auto* spin = new RangeSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(0, max);
  return spin;
}

}  // namespace

AddRowColDialog::AddRowColDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("MultPageDlg");
  setWindowTitle("Ajouter lignes et colonnes");
  rows_ = MakeCount(this, "SpinEdit1", 40);
  cols_ = MakeCount(this, "SpinEdit2", 20);
  pages_ = new QStackedWidget(this);
  pages_->setObjectName("Notebook");
  const char* const pageNames[] = {"Lignes", "Colonnes"};
  pages_->addWidget(MakePage(pages_, "Lignes à ajouter", rows_));
  pages_->addWidget(MakePage(pages_, "Colonnes à ajouter", cols_));
  tabs_ = new QTabBar(this);
  tabs_->setObjectName("TabSet");
  tabs_->setShape(QTabBar::RoundedSouth);
  for (const char* name : pageNames) tabs_->addTab(QString::fromUtf8(name));
  connect(tabs_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("OKBtn");
  ok_->setDefault(true);
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("CancelBtn");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* notebook = new QVBoxLayout;
  notebook->addWidget(pages_);
  notebook->addWidget(tabs_);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(notebook);
  layout->addLayout(buttons);
  KeepReturnOnDefault(*this);
  KeepCaptionWhole(*this);
}

void AddRowColDialog::prepare(int rowsMax, int colsMax) {
  rows_->setRange(0, rowsMax);
  cols_->setRange(0, colsMax);
  rows_->setValue(0);
  cols_->setValue(0);
}

int AddRowColDialog::rows() const { return rows_->value(); }
int AddRowColDialog::cols() const { return cols_->value(); }

void AddRowColDialog::accept() {
  // A number still being typed counts, brought into range as when the edit is left.
  rows_->interpretText();
  cols_->interpretText();
  QDialog::accept();
}

}  // namespace relakin
