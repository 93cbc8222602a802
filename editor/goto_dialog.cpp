#include "editor/goto_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "core/goto_target.h"
#include "widgets/default_button.h"

namespace relakin {
namespace {

QComboBox* MakeNumberBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // the histories record only numbers reached
  box->setMaxVisibleItems(5);
  box->lineEdit()->setMaxLength(4);
  return box;
}

}  // namespace

GotoDialog::GotoDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("BtnBottomDlg");
  setWindowTitle(QString::fromUtf8("Aller à"));
  label_ = new QLabel(this);
  label_->setObjectName("Label1");
  individuals_ = MakeNumberBox(this, "ComboBox1");
  populations_ = MakeNumberBox(this, "ComboBox2");

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("OKBtn");
  ok_->setDefault(true);
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("CancelBtn");
  auto* help = new QPushButton("Help", this);  // no help topic
  help->setObjectName("HelpBtn");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  // Both lists lie at the same place; the layout places only the list it shows.
  lists_ = new QStackedLayout;
  lists_->addWidget(individuals_);
  lists_->addWidget(populations_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addLayout(lists_);
  layout->addLayout(buttons);
  KeepReturnOnDefault(*this);
  showIndividualMode();
}

void GotoDialog::showIndividualMode() {
  label_->setText(QString::fromUtf8("Individu N° :"));
  lists_->setCurrentWidget(individuals_);
  individuals_->setFocus();
}

void GotoDialog::showPopulationMode() {
  label_->setText(QString::fromUtf8("Population N° :"));
  lists_->setCurrentWidget(populations_);
  populations_->setFocus();
}

QString GotoDialog::individualText() const { return individuals_->currentText(); }
QString GotoDialog::populationText() const { return populations_->currentText(); }

void GotoDialog::recordIndividual(const QString& text) {
  RecordIndividualHistory(individualHistory_, text.toStdString());
  Refill(individuals_, individualHistory_, text);
}

void GotoDialog::recordPopulation(const QString& text) {
  RecordPopulationHistory(populationHistory_, text.toStdString());
  Refill(populations_, populationHistory_, text);
}

void GotoDialog::Refill(QComboBox* box, const std::vector<std::string>& items,
                        const QString& text) {
  box->clear();
  for (const std::string& item : items) box->addItem(QString::fromStdString(item));
  box->setEditText(text);
}

}  // namespace relakin
