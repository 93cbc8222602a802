#include "analysis/dialogs/poploclist_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "core/codepage.h"
#include "core/selection_file.h"
#include "widgets/prompt_messages.h"
#include "widgets/prompts.h"

namespace relakin {
namespace {

constexpr int kWidth = 616;
constexpr int kHeight = 261;

QFont ListFont() {
  QFont font("MS Sans Serif", 8);
  font.setBold(true);
  return font;
}

QListWidget* MakeList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setSortingEnabled(false);
  return list;
}

QPushButton* MakeMoveButton(QWidget* parent, const char* name, const char* text, const char* hint,
                            bool enabled) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setToolTip(QString::fromUtf8(hint));
  button->setEnabled(enabled);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedWidth(32);
  return button;
}

// One group: source list, four buttons, destination list under its caption.
QGroupBox* MakeGroup(QWidget* parent, const char* caption, QListWidget* source,
                     QPushButton* const (&buttons)[4], QLabel* destinationLabel,
                     QListWidget* destination) {
  auto* group = new QGroupBox(caption, parent);
  QFont groupFont("Times New Roman");
  groupFont.setBold(true);
  group->setFont(groupFont);
  auto* column = new QVBoxLayout;
  column->addStretch();
  for (QPushButton* b : buttons) column->addWidget(b);
  column->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(destinationLabel);
  right->addWidget(destination);
  auto* layout = new QHBoxLayout(group);
  layout->addWidget(source);
  layout->addLayout(column);
  layout->addLayout(right);
  for (QWidget* w : std::initializer_list<QWidget*>{source, destinationLabel, destination})
    w->setFont(ListFont());
  for (QPushButton* b : buttons) b->setFont(ListFont());
  return group;
}

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

// The width that shows every item of `list` whole beside a vertical scroll bar.
int WholeItemsWidth(const QListWidget* list) {
  return std::max(list->sizeHintForColumn(0), 0) + 2 * list->frameWidth() +
         list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
}

// The number before an item's first "-".
std::size_t ItemNumber(const QString& text) { return text.section('-', 0, 0).toULongLong(); }

}  // namespace

Tpoploclist::Tpoploclist(Document& doc, Prompts& prompts, QWidget* parent)
    : QDialog(parent), doc_(doc), prompts_(prompts) {
  setObjectName("poploclist");
  setWindowTitle("Choose populations and/or loci");
  buildLists();
  fillLists();
  fitLists();
}

void Tpoploclist::buildLists() {
  SrcList = MakeList(this, "SrcList");
  DstList = MakeList(this, "DstList");
  srcloc = MakeList(this, "srcloc");
  dstloc = MakeList(this, "dstloc");
  IncludeBtn = MakeMoveButton(this, "IncludeBtn", ">", "Sélectionner une population", true);
  IncAllBtn = MakeMoveButton(this, "IncAllBtn", ">>", "Séléctionnez toutes les populations", true);
  ExcludeBtn = MakeMoveButton(this, "ExcludeBtn", "<",
                              "Enlever la population courante de la sélection", false);
  ExAllBtn = MakeMoveButton(this, "ExAllBtn", "<<",
                            "Enlever toutes les populations de la sélection", false);
  SpeedButton1 = MakeMoveButton(this, "SpeedButton1", ">", "Sélectionner le locus courant", true);
  SpeedButton2 = MakeMoveButton(this, "SpeedButton2", ">>", "Sélectionner tous les locus", true);
  SpeedButton3 = MakeMoveButton(this, "SpeedButton3", "<",
                                "Supprimer le locus courant de la sélection", false);
  SpeedButton4 = MakeMoveButton(this, "SpeedButton4", "<<", "Supprimer tous les locus", false);
  auto* dstLabel = new QLabel("Pop. to analyse :", this);
  dstLabel->setObjectName("DstLabel");
  auto* label1 = new QLabel("Selected Loci :", this);
  label1->setObjectName("Label1");

  connect(IncludeBtn, &QPushButton::clicked, this, [this] { moveOne(SrcList, DstList); });
  connect(ExcludeBtn, &QPushButton::clicked, this, [this] { moveOne(DstList, SrcList); });
  connect(IncAllBtn, &QPushButton::clicked, this, [this] { moveAll(SrcList, DstList); });
  connect(ExAllBtn, &QPushButton::clicked, this, [this] { moveAll(DstList, SrcList); });
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { moveOne(srcloc, dstloc); });
  connect(SpeedButton3, &QPushButton::clicked, this, [this] { moveOne(dstloc, srcloc); });
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { moveAll(srcloc, dstloc); });
  connect(SpeedButton4, &QPushButton::clicked, this, [this] { moveAll(dstloc, srcloc); });

  OKBtn = new QPushButton("OK", this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setAutoDefault(false);
  HelpBtn = new QPushButton("&Help", this);  // no help topic: does nothing
  HelpBtn->setObjectName("HelpBtn");
  HelpBtn->setAutoDefault(false);
  for (QPushButton* b : {OKBtn, CancelBtn, HelpBtn}) b->setFont(ListFont());
  connect(OKBtn, &QPushButton::clicked, this, &Tpoploclist::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &Tpoploclist::reject);

  auto* groups = new QHBoxLayout;
  groups->addWidget(MakeGroup(this, "POPULATIONS", SrcList,
                              {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn}, dstLabel, DstList));
  groups->addWidget(MakeGroup(this, "LOCI", srcloc,
                              {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4}, label1,
                              dstloc));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  buttons->addWidget(HelpBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups, 1);
  layout->addLayout(buttons);
}

void Tpoploclist::fillLists() {
  PromptMessages messages(prompts_, parentWidget());
  for (const std::string& item : FillLocusList(doc_, messages))
    srcloc->addItem(QString::fromStdString(Cp1252ToUtf8(item)));
  for (std::size_t p = 1; p <= doc_.NbPops; ++p) {
    const std::string name = p < doc_.PopNames.size() ? doc_.PopNames[p] : std::string();
    SrcList->addItem(QString::number(p) + "-" + QString::fromStdString(Cp1252ToUtf8(name)));
  }
  doc_.PopSelection.assign(doc_.NbPops + 1, false);
  doc_.LocusSelection.assign(std::max(doc_.Cells.ColCount() - 1, 1), false);
}

// Items move between the two lists of a group, so both take the width of the group's widest
// item; the chooser widens to hold them (616 pixels at least), up to the screen's width.
void Tpoploclist::fitLists() {
  int pops = WholeItemsWidth(SrcList);
  int loci = WholeItemsWidth(srcloc);
  const auto apply = [this](int popWidth, int locusWidth) {
    for (QListWidget* list : {SrcList, DstList}) list->setMinimumWidth(popWidth);
    for (QListWidget* list : {srcloc, dstloc}) list->setMinimumWidth(locusWidth);
  };
  apply(pops, loci);
  layout()->activate();
  // Everything but the four lists: buttons, frames, margins.
  const int rest = layout()->minimumSize().width() - 2 * (pops + loci);
  const QScreen* screen =
      parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  const int most = screen ? screen->availableGeometry().width() * 95 / 100 : kWidth;
  if (rest + 2 * (pops + loci) > most) {
    // Too wide for the screen: every list gives up the same share; the rest scrolls sideways.
    const double share = std::max(0, most - rest) / (2.0 * (pops + loci));
    pops = static_cast<int>(pops * share);
    loci = static_cast<int>(loci * share);
    apply(pops, loci);
  }
  setFixedSize(std::max(kWidth, rest + 2 * (pops + loci)), kHeight);
}

void Tpoploclist::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  OKBtn->setFocus();
}

void Tpoploclist::closeEvent(QCloseEvent* event) {
  if (!PopLocListCloseAllowed) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void Tpoploclist::reject() {
  PopLocListCloseAllowed = true;
  QDialog::reject();
}

void Tpoploclist::moveOne(QListWidget* source, QListWidget* destination) {
  const int index = GetFirstSelection(source);
  MoveSelected(source, destination);
  SetItem(source, index);
}

void Tpoploclist::moveAll(QListWidget* source, QListWidget* destination) {
  destination->addItems(Texts(source));
  source->clear();
  SetItem(source, 0);
}

void Tpoploclist::MoveSelected(QListWidget* list, QListWidget* destination) {
  for (int i = list->count() - 1; i >= 0; --i) {
    if (!list->item(i)->isSelected()) continue;
    destination->addItem(list->item(i)->text());
    delete list->takeItem(i);
  }
}

int Tpoploclist::GetFirstSelection(QListWidget* list) {
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->isSelected()) return i;
  }
  return -1;
}

void Tpoploclist::SetItem(QListWidget* list, int index) {
  list->setFocus();
  if (index == -1) {
    index = 0;
  } else if (index > list->count() - 1) {
    index = list->count() - 1;
  }
  if (index >= 0 && index < list->count())
    list->setCurrentItem(list->item(index), QItemSelectionModel::Select);
  SetButtons();
}

void Tpoploclist::SetButtons() {
  IncludeBtn->setEnabled(SrcList->count() > 0);
  IncAllBtn->setEnabled(SrcList->count() > 0);
  ExcludeBtn->setEnabled(DstList->count() > 0);
  ExAllBtn->setEnabled(DstList->count() > 0);
  SpeedButton1->setEnabled(srcloc->count() > 0);
  SpeedButton2->setEnabled(srcloc->count() > 0);
  SpeedButton3->setEnabled(dstloc->count() > 0);
  SpeedButton4->setEnabled(dstloc->count() > 0);
}

void Tpoploclist::OKBtnClick() {
  PopLocListCloseAllowed = false;
  if (DstList->count() == 0) {
    prompts_.tell(this, QMessageBox::NoIcon, "Il faut au moins une population !!");
    return;
  }
  if (dstloc->count() == 0) {
    prompts_.tell(this, QMessageBox::NoIcon, "Il faut au moins un locus !!");
    return;
  }
  std::fill(doc_.PopSelection.begin(), doc_.PopSelection.end(), false);
  std::fill(doc_.LocusSelection.begin(), doc_.LocusSelection.end(), false);
  for (const QString& text : Texts(DstList)) {
    const std::size_t n = ItemNumber(text);
    if (n < doc_.PopSelection.size()) doc_.PopSelection[n] = true;
  }
  for (const QString& text : Texts(dstloc)) {
    const std::size_t n = ItemNumber(text);
    if (n < doc_.LocusSelection.size()) doc_.LocusSelection[n] = true;
  }
  PromptMessages messages(prompts_, this);
  try {
    WriteSelectionFile(doc_, messages);
  } catch (const std::exception& e) {
    prompts_.error(this, QString::fromUtf8(e.what()));
    return;
  }
  doc_.PopSelection.clear();
  doc_.LocusSelection.clear();
  PopLocListCloseAllowed = true;
  accept();
}

}  // namespace relakin
