#include "formats/dialogs/fictext_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

#include "core/codepage.h"
#include "core/file_bytes.h"
#include "formats/delimited_text_import.h"
#include "formats/dialogs/preview_model.h"
#include "formats/import_text.h"
#include "widgets/prompts.h"
#include "widgets/radio_group.h"

namespace relakin {
namespace {

constexpr int kAutre = 3;
const char* const kSeparators[] = {" ", "\t", ";"};

QString s_textSeparator;

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* text) {
  auto* box = new QCheckBox(QString::fromUtf8(text), parent);
  box->setObjectName(name);
  box->setChecked(true);
  return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

std::string Bytes(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

}  // namespace

QString Tf_fictext::TextSeparator() { return s_textSeparator; }
void Tf_fictext::setTextSeparator(const QString& separator) { s_textSeparator = separator; }

Tf_fictext::Tf_fictext(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName("f_fictext");
  setWindowTitle("Import: format texte");
  setSizeGripEnabled(true);

  separateur_ = new RadioGroup("separateur", "SEPARATEUR", {"Espace", "Tabulation", ";", "Autre"},
                               this, RadioGroup::kNoItem);
  Editsepar_ = new QLineEdit(this);
  Editsepar_->setObjectName("Editsepar");
  Editsepar_->setMaxLength(1);
  nbchiffre_ = new RadioGroup("nbchiffre", QString::fromUtf8("Allèles codés par"),
                              {"1 chiffre", "2 chiffres", "3 chiffres"}, this, RadioGroup::kNoItem);
  liglocus_ = MakeCheck(this, "liglocus", "La première ligne contient les noms des locus");
  identpop_ = MakeCheck(this, "identpop", "La première colonne est l'identifiant des populations");
  identcol_ = MakeCheck(this, "identcol", "La seconde colonne est l'identifiant des individus");
  OKBtn_ = MakeButton(this, "OKBtn", "OK");
  OKBtn_->setDefault(true);
  CancelBtn_ = MakeButton(this, "CancelBtn", "Cancel");
  HelpBtn_ = MakeButton(this, "HelpBtn", "Help");  // no help file: does nothing

  preview_ = new PreviewModel(this);
  Grid1_ = new QTableView(this);
  Grid1_->setObjectName("Grid1");
  Grid1_->setModel(preview_);
  Grid1_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  Grid1_->horizontalHeader()->setDefaultSectionSize(64);
  Grid1_->verticalHeader()->setFixedWidth(64);
  Grid1_->setColumnWidth(0, 435);
  connect(preview_, &QAbstractItemModel::modelReset, this,
          [this] { Grid1_->setColumnWidth(0, 435); });

  auto* options = new QGridLayout;
  options->addWidget(separateur_, 0, 0, 2, 1);
  options->addWidget(Editsepar_, 1, 1, Qt::AlignBottom);  // beside "Autre"
  options->addWidget(nbchiffre_, 0, 2, 2, 1);
  auto* checks = new QVBoxLayout;
  for (QCheckBox* box : {liglocus_, identpop_, identcol_}) checks->addWidget(box);
  options->addLayout(checks, 0, 3, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {OKBtn_, CancelBtn_, HelpBtn_}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(options);
  layout->addWidget(Grid1_, 1);
  layout->addLayout(buttons);
  resize(720, 480);

  connect(separateur_, &RadioGroup::itemClicked, this, &Tf_fictext::separateurClick);
  connect(Editsepar_, &QLineEdit::textChanged, this, &Tf_fictext::EditseparChange);
  for (QCheckBox* box : {liglocus_, identpop_, identcol_})
    connect(box, &QCheckBox::clicked, this, &Tf_fictext::liglocusClick);
  connect(OKBtn_, &QPushButton::clicked, this, &Tf_fictext::OKBtnClick);
  connect(CancelBtn_, &QPushButton::clicked, this, &Tf_fictext::CancelBtnClick);
}

void Tf_fictext::PrepareTextImport(const QString& FileName) {
  closeAllowed_ = true;
  done_ = false;
  imported_.reset();
  fileName_ = FileName;
  // The preview shows the text as the import reads it, and is refused as the import would be.
  const std::string path = QFile::encodeName(FileName).toStdString();
  content_ = ImportedText(ReadFileBytes(path), path, nullptr);
  preview_->setRows(RawLinePreview(content_));
  prompts_.exec(*this);
}

std::optional<Document> Tf_fictext::takeImported() {
  std::optional<Document> taken = std::move(imported_);
  imported_.reset();
  return taken;
}

void Tf_fictext::separateurClick(int item) {
  if (item == kAutre) {
    Editsepar_->setFocus();
  } else {
    s_textSeparator = QString::fromUtf8(kSeparators[item]);
  }
  PreviewDelimitedText(s_textSeparator);
}

void Tf_fictext::EditseparChange(const QString& text) {
  if (!text.isEmpty()) PreviewDelimitedText(text);
}

void Tf_fictext::liglocusClick() {
  const int item = separateur_->itemIndex();
  QString S;
  if (item == kAutre) {
    S = Editsepar_->text();
  } else if (item >= 0) {
    S = QString::fromUtf8(kSeparators[item]);
  }
  if (!S.isEmpty()) PreviewDelimitedText(S);
}

void Tf_fictext::PreviewDelimitedText(const QString& S) {
  // The locus names stand above their genotype columns.
  const int offset = liglocus_->isChecked()
                         ? static_cast<int>(identpop_->isChecked()) + identcol_->isChecked()
                         : 0;
  preview_->setRows(relakin::PreviewDelimitedText(content_, Bytes(S), offset));
}

void Tf_fictext::OKBtnClick() {
  const int digits = nbchiffre_->itemIndex();
  if (digits < 0) {
    prompts_.tell(this, QMessageBox::NoIcon,
                  QString::fromUtf8("Vous devez spécifier le nombre de chiffres codant les "
                                    "allèles !!"));
    closeAllowed_ = false;
    return;
  }
  const QString S = separateur_->itemIndex() == kAutre ? Editsepar_->text() : s_textSeparator;
  if (S.isEmpty()) {
    // Nothing would cut the lines: each would become a population without data.
    prompts_.tell(this, QMessageBox::NoIcon,
                  QString::fromUtf8("Vous devez spécifier le séparateur des champs !!"));
    closeAllowed_ = false;
    return;
  }
  const DelimitedTextOptions options{Bytes(S), liglocus_->isChecked(), identcol_->isChecked(),
                                     identpop_->isChecked(), static_cast<std::uint8_t>(digits + 1)};
  try {
    warnings_.clear();
    imported_ = ReadDelimitedText(QFile::encodeName(fileName_).toStdString(), options, &warnings_);
    done_ = true;
    closeAllowed_ = true;
  } catch (const std::exception& e) {
    prompts_.error(this, QString::fromUtf8(e.what()));
  }
  if (closeAllowed_) accept();
}

void Tf_fictext::CancelBtnClick() { reject(); }

void Tf_fictext::reject() {
  closeAllowed_ = true;
  done_ = false;
  imported_.reset();
  QDialog::reject();
}

void Tf_fictext::closeEvent(QCloseEvent* event) {
  if (!closeAllowed_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace relakin
