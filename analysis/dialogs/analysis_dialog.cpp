#include "analysis/dialogs/analysis_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <vector>

#include "analysis/dialogs/poploclist_dialog.h"
#include "analysis/dialogs/progress_window.h"
#include "analysis/dialogs/result_name.h"
#include "analysis/random.h"
#include "core/native_file.h"
#include "core/selection_file.h"
#include "widgets/prompt_messages.h"
#include "widgets/prompts.h"
#include "widgets/radio_group.h"
#include "widgets/range_spin_box.h"

namespace relakin {
namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setBuddy(buddy);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

QSpinBox* MakeAnalysisSpin(QWidget* parent, const char* name, int min, int max, int step,
                           int value) {
  auto* spin = new RangeSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(min, max);
  spin->setSingleStep(step);
  spin->setValue(value);
  return spin;
}

AnalysisDialog::AnalysisDialog(const char* name, Document& doc, Prompts& prompts, QWidget* parent)
    : QDialog(parent), doc_(doc), prompts_(prompts) {
  setObjectName(name);
  QFont font("MS Sans Serif", 8);
  font.setBold(true);
  setFont(font);
  setFixedSize(572, 353);

  auto* bevel = new QFrame(this);
  bevel->setObjectName("Bevel1");
  bevel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  controls_ = new QGridLayout(bevel);

  nomfich_ = new QLineEdit(bevel);
  nomfich_->setObjectName("nomfich");
  precision_ = MakeAnalysisSpin(bevel, "precision", 1, 5, 1, 2);
  detail_ = new QCheckBox("Print pairwise values", bevel);
  detail_->setObjectName("detail");
  detail_->setChecked(true);
  Indice_ = new RadioGroup("Indice", "Estimator :",
                           {"Identity", "rxy Queller && Goodnight", "rxy Lynch && Ritland"}, bevel);
  choix_trait_ = new RadioGroup("choix_trait", "Set of data to use :",
                                {"All pops and loci", "Subset of pops and loci"}, bevel);

  controls_->addWidget(MakeLabel(bevel, "Label1", "Output Filename :", nomfich_), 0, 0);
  controls_->addWidget(nomfich_, 0, 1, 1, 3);
  controls_->addWidget(MakeLabel(bevel, "Label2", "Precision :", precision_), 1, 0);
  controls_->addWidget(precision_, 1, 1);
  controls_->addWidget(Indice_, 2, 0, 1, 2);
  controls_->addWidget(choix_trait_, 3, 0, 1, 2);
  controls_->addWidget(detail_, 4, 0, 1, 2);

  OKBtn_ = MakeButton(this, "OKBtn", "OK");
  OKBtn_->setDefault(true);
  CancelBtn_ = MakeButton(this, "CancelBtn", "Cancel");
  HelpBtn_ = MakeButton(this, "HelpBtn", "&Help");  // no help topic: does nothing
  connect(OKBtn_, &QPushButton::clicked, this, &AnalysisDialog::OKBtnClick);
  connect(CancelBtn_, &QPushButton::clicked, this, &AnalysisDialog::CancelBtnClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn_);
  buttons->addWidget(CancelBtn_);
  buttons->addWidget(HelpBtn_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bevel, 1);
  layout->addLayout(buttons);
}

void AnalysisDialog::followLayoutInTabOrder() {
  struct Placed {
    int row;
    int column;
    QWidget* widget;
  };
  std::vector<Placed> placed;
  for (int i = 0; i < controls_->count(); ++i) {
    QWidget* widget = controls_->itemAt(i)->widget();
    if (widget == nullptr) continue;
    int row = 0, column = 0, rows = 0, columns = 0;
    controls_->getItemPosition(i, &row, &column, &rows, &columns);
    placed.push_back({row, column, widget});
  }
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  });
  std::vector<QWidget*> chain;
  for (const Placed& p : placed) {
    // A radio group takes the focus through its buttons.
    if (p.widget->focusPolicy() & Qt::TabFocus) {
      chain.push_back(p.widget);
      continue;
    }
    for (QWidget* inside : p.widget->findChildren<QWidget*>())
      if (inside->focusPolicy() & Qt::TabFocus) chain.push_back(inside);
  }
  chain.insert(chain.end(), {OKBtn_, CancelBtn_, HelpBtn_});
  for (std::size_t k = 1; k < chain.size(); ++k) setTabOrder(chain[k - 1], chain[k]);
}

void AnalysisDialog::montrer(const QString& ProgramLabel, const QString& ModeCaption, int) {
  closeAllowed_ = true;
  setWindowTitle(ModeCaption);
  showModeControls();
  SetDefaultResultName();
  programLabel_ = ProgramLabel;
  prompts_.exec(*this);
}

void AnalysisDialog::SetDefaultResultName() {
  nomfich_->setText(DefaultResultName(QFile::decodeName(doc_.CurrentFileName.c_str())));
}

void AnalysisDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  nomfich_->setFocus();
}

void AnalysisDialog::closeEvent(QCloseEvent* event) {
  if (!closeAllowed_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void AnalysisDialog::reject() {
  closeAllowed_ = true;
  QDialog::reject();
}

void AnalysisDialog::CancelBtnClick() { reject(); }

void AnalysisDialog::tell(const QString& text) { prompts_.tell(this, QMessageBox::NoIcon, text); }

void AnalysisDialog::OKBtnClick() {
  const QString name = nomfich_->text();
  if (!acceptResultName(name)) {
    closeAllowed_ = false;
    return;
  }
  doc_.AnalysisFileReady = false;
  // After an error box (writing or running) the close flag stays as it was; a run that ended,
  // or a cancelled subset chooser, lets the dialog close even after an earlier refused OK.
  if (writeAnalysisFile()) {
    bool ended = true;
    if (!doc_.AnalysisFileReady) {
      tell(QString::fromUtf8("Traitement annulé !"));
    } else {
      ended = runAnalysis(name);
    }
    if (ended) {
      doc_.AnalysisFileReady = false;
      closeAllowed_ = true;
    }
  }
  if (closeAllowed_) accept();
}

bool AnalysisDialog::acceptResultName(const QString& name) {
  if (name.trimmed().isEmpty()) {
    tell(QString::fromUtf8("Nom du fichier résultat absent !"));
    return false;
  }
  const QString refused =
      RefusedResultName(name, QFile::decodeName(doc_.CurrentFileName.c_str()), runScratch());
  if (!refused.isEmpty()) {
    tell(refused);
    return false;
  }
  if (QFileInfo::exists(name) &&
      prompts_.ask(this, QMessageBox::Information, "Overwrite this file ?",
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::No) {
    return false;
  }
  return true;
}

bool AnalysisDialog::writeAnalysisFile() {
  PromptMessages messages(prompts_, this);
  try {
    if (choix_trait_->itemIndex() == 1) {
      Tpoploclist chooser(doc_, prompts_, this);
      prompts_.exec(chooser);
    } else {
      SaveNativeFile(doc_, kAnalysisFileName, messages, FileReplacement::Sync::kNone);
    }
    return true;
  } catch (const std::exception& e) {
    prompts_.error(this, QString::fromUtf8(e.what()));
    return false;
  }
}

bool AnalysisDialog::runAnalysis(const QString& name) {
  PromptMessages messages(prompts_, this);
  WindowProgress progress;
  RunContext context{messages, progress, ProcessRandom()};
  try {
    startRun(QFile::encodeName(name).toStdString(), context);
    return true;
  } catch (const std::exception& e) {
    progress.Close();
    prompts_.error(this, QString::fromUtf8(e.what()));
    return false;
  }
}

}  // namespace relakin
