#include "editor/find_replace_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/default_button.h"

namespace relakin {

FindReplaceDialog::FindReplaceDialog(Kind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
  const bool replacing = kind == Kind::Replace;
  setObjectName(replacing ? "ReplaceDialog1" : "FindDialog1");
  setWindowTitle(replacing ? "Remplacer" : "Rechercher");
  setModal(false);
  buildFields();
  buildButtons();
  textChanged();
  // Return is "Suivant" every time, also after a click on "Remplacer tout".
  KeepReturnOnDefault(*this);
}

void FindReplaceDialog::buildFields() {
  auto* fields = new QFormLayout;
  find_ = new QLineEdit(this);
  find_->setObjectName("FindText");
  fields->addRow("Rechercher :", find_);
  if (kind_ == Kind::Replace) {
    replace_ = new QLineEdit(this);
    replace_->setObjectName("ReplaceText");
    fields->addRow("Remplacer par :", replace_);
  }
  matchCase_ = new QCheckBox("Respecter la casse", this);
  matchCase_->setObjectName("MatchCase");
  auto* options = new QHBoxLayout;
  options->addWidget(matchCase_, 0, Qt::AlignBottom);
  if (kind_ == Kind::Find) {
    auto* direction = new QGroupBox("Direction", this);
    up_ = new QRadioButton("Vers le haut", direction);
    up_->setObjectName("Up");
    down_ = new QRadioButton("Vers le bas", direction);
    down_->setObjectName("Down");
    down_->setChecked(true);
    auto* buttons = new QHBoxLayout(direction);
    buttons->addWidget(up_);
    buttons->addWidget(down_);
    options->addWidget(direction);
  }
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(options);
  left->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  connect(find_, &QLineEdit::textChanged, this, [this] { textChanged(); });
}

void FindReplaceDialog::buildButtons() {
  auto* column = new QVBoxLayout;
  findNext_ = new QPushButton("Suivant", this);
  findNext_->setObjectName("FindNext");
  findNext_->setDefault(true);
  column->addWidget(findNext_);
  connect(findNext_, &QPushButton::clicked, this, &FindReplaceDialog::findNextClicked);
  if (kind_ == Kind::Replace) {
    replaceOne_ = new QPushButton("Remplacer", this);
    replaceOne_->setObjectName("Replace");
    replaceAll_ = new QPushButton("Remplacer tout", this);
    replaceAll_->setObjectName("ReplaceAll");
    column->addWidget(replaceOne_);
    column->addWidget(replaceAll_);
    connect(replaceOne_, &QPushButton::clicked, this, [this] { emit replaceClicked(false); });
    connect(replaceAll_, &QPushButton::clicked, this, [this] { emit replaceClicked(true); });
  }
  cancel_ = new QPushButton("Annuler", this);
  cancel_->setObjectName("Cancel");
  column->addWidget(cancel_);
  column->addStretch();
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  static_cast<QHBoxLayout*>(layout())->addLayout(column);
}

void FindReplaceDialog::textChanged() {
  const bool any = !find_->text().isEmpty();
  for (QPushButton* button : {findNext_, replaceOne_, replaceAll_})
    if (button) button->setEnabled(any);
}

QString FindReplaceDialog::findText() const { return find_->text(); }
QString FindReplaceDialog::replaceText() const { return replace_ ? replace_->text() : QString(); }

SearchOptions FindReplaceDialog::options() const {
  return {down_ == nullptr || down_->isChecked(), matchCase_->isChecked()};
}

}  // namespace relakin
