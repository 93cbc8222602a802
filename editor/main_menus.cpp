// The main window's menus, popup menu and tool bar: captions, shortcuts, hints and the state
// each item has when the program starts.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>

#include "editor/main_window.h"

namespace relakin {
namespace {

struct Item {
  const char* name;
  const char* caption;  // nullptr: a separator
  const char* shortcut;
  bool on;
  const char* hint;
};

QAction* AddItem(QMenu* menu, const Item& item) {
  QAction* action =
      item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
  action->setObjectName(item.name);
  if (item.shortcut && *item.shortcut) action->setShortcut(QKeySequence(item.shortcut));
  action->setStatusTip(QString::fromUtf8(item.hint ? item.hint : ""));
  action->setEnabled(item.on);
  return action;
}

template <std::size_t N>
void AddItems(QMenu* menu, const Item (&items)[N]) {
  for (const Item& item : items) AddItem(menu, item);
}

QMenu* AddMenu(QWidget* owner, QMenu* parentMenu, QMenuBar* bar, const Item& item) {
  auto* menu = new QMenu(QString::fromUtf8(item.caption), owner);
  menu->setObjectName(item.name);
  QAction* action = menu->menuAction();
  action->setObjectName(item.name);
  action->setStatusTip(QString::fromUtf8(item.hint ? item.hint : ""));
  action->setEnabled(item.on);
  if (bar) bar->addMenu(menu);
  if (parentMenu) parentMenu->addMenu(menu);
  return menu;
}

constexpr Item kFileItems1[] = {
    {"new1", "&New", "Ctrl+N", true, "Créer un nouveau fichier"},
    {"open1", "&Open", "Ctrl+O", true, "Ouvrir un fichier existant"},
    {"Importer1", "&Import", "", true, ""},
    {"Save1", "&Save", "Ctrl+S", false, "Enregistrer le fichier courant sur disque"},
    {"Saveas1", "Save &As..", "Ctrl+A", false, "Enregistrer sous un nouveau nom de fichier"},
    {"N1", nullptr, "", true, ""},
    {"Quit1", "&Quit", "", true, "Quitter Bravolt"},
};

constexpr Item kEditItems[] = {
    {"Cut1", "&Cut", "Ctrl+X", false,
     "placer le contenu des cellules seléctionnées dans le presse papier"},
    {"Copy1", "Co&py", "Ctrl+C", false,
     "copier le contenu des cellules seléctionnées dans le presse papier"},
    {"Past1", "&Paste", "Ctrl+V", false, "Inserts data  that has been copied to the Clipboard."},
    {"Delete1", "&Delete", "Del", false, "Erases the currently selected cells"},
    {"N3", nullptr, "", false, ""},
    {"Findtext1", "&Find", "Ctrl+F", false, "Searches for specified text"},
    {"Replace1", "&Replace", "Ctrl+R", false,
     "Search for a specified text and replaces it with new text"},
    {"GotoindivN1", "Go To Individual N°...", "Ctrl+I", false,
     "Moves to the row containing the i (th) individu"},
    {"ReachpopN1", "Go to population N°", "Ctrl+P", false,
     "Selects the first ind. of the specified population"},
    {"N2", nullptr, "", false, ""},
    {"Insert1", "&Insert", "", false, "Insérer une ligne vide au niveau du curseur"},
    {"AddRowandcols1", "Add Individus and/or loci", "", false,
     "Ajouter des lignes à la fin de la feuile et des colonnes à droite"},
};
constexpr Item kRemoveMenu = {"Remove1", "Delete selected individu or locus", "", false, ""};
constexpr Item kRemoveItems[] = {
    {"Row1", "Individu", "", true, "Supprimer la ligne courante"},
    {"Column1", "Locus", "", true, "Supprimer la colonne courante"},
};
constexpr Item kKeysItem = {"KeystoPopulations1", "Edit Population's name", "", false,
                            "Editer le nom des populations"};

constexpr Item kCalcItems[] = {
    {"Identit1", "&Relatedness ...", "", true, ""},
    {"Permutationsuridentit1", "Permutation test ...", "", true, ""},
    {"IC1", "I.C", "", true, ""},
};

constexpr Item kConversionMenu = {"Conversion1", "&Conversion", "", false,
                                  "Utilitaire de conversion de format de fichiers"};
constexpr Item kConversionItems[] = {
    {"Genpop1", "GENEPOP", "", true,
     "Conversion du fichier courant au format GENEPOP (attention les allèles vont être "
     "renumérotés !!)"},
    {"Fstat1", "FSTAT", "", true,
     "Conversion du fichier courant au format FSTAT (attention les allèles vont être "
     "renumérotés !!)"},
    {"BIOSYS1", "BIOSYS", "", true,
     "Conversion du fichier courant au format BIOSYS (attention les allèles vont être recodés "
     "en caractères !!)"},
};
constexpr Item kToolsItems[] = {
    {"Diagnostique1", "&Diagnostic", "", false,
     "Liste des populations, locus ... du fichier en cours d'édition"},
    {"VoirImprimer1", "&View File content ...", "", true, "Afficher et imprimer un fichier texte"},
    {"About1", "&About ...", "", true, ""},
    {"Plotingdistribution1", "Ploting distribution", "", true, ""},
};

// The popup's shortcuts belong to the main menu; the popup only shows their text (two actions
// with one shortcut would cancel each other).
constexpr Item kPopupItems[] = {
    {"Cut2", "Couper\tCtrl+X", "", true,
     "Effacer et copier dans le presse-papier, le contenu de la sélection"},
    {"Copy2", "&Copier\tCtrl+C", "", true,
     "Copier le contenu de la sélection dans le presse-papier"},
    {"Paste1", "Coller\tCtrl+V", "", true, "Copier le contenu du presse-papier"},
    {"Delete2", "Effacer\tDel", "", true, "Effacer la ou les cellules sélectionnées."},
    {"InsertaRow1", "&Inserer une ligne", "", true,
     "Inserer  une ligne avant la cellule selectionnée"},
};

struct Button {
  const char* name;
  const char* hint;
  bool on;
  QStyle::StandardPixmap icon;
  const char* text;
};

constexpr Button kButtons[] = {
    {"New_b", "Créer un nouveau fichier", true, QStyle::SP_FileIcon, "Nouveau"},
    {"open_b", "Ouvrir un fichier existant", true, QStyle::SP_DialogOpenButton, "Ouvrir"},
    {"save_b", "Enregistrer", false, QStyle::SP_DialogSaveButton, "Enregistrer"},
    {"cut_b", "Couper les cellules sélectionnées", false, QStyle::SP_CustomBase, "Couper"},
    {"copy_b", "Copier les cellules seléctionnées", false, QStyle::SP_CustomBase, "Copier"},
    {"paste_b", "Coller", false, QStyle::SP_CustomBase, "Coller"},
    {"SpeedButton1", "Aide", true, QStyle::SP_DialogHelpButton, "Aide"},
    {"quit_b", "Quitter", true, QStyle::SP_DialogCloseButton, "Quitter"},
};

}  // namespace

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");

  QMenu* file = AddMenu(this, nullptr, bar, {"File1", "&File", "", true, ""});
  AddItems(file, kFileItems1);

  QMenu* edit = AddMenu(this, nullptr, bar, {"Edit1", "&Edit", "", true, ""});
  AddItems(edit, kEditItems);
  QMenu* remove = AddMenu(this, edit, nullptr, kRemoveMenu);
  AddItems(remove, kRemoveItems);
  AddItem(edit, kKeysItem);

  QMenu* calc = AddMenu(this, nullptr, bar, {"Trait1", "&Calc.", "", false, ""});
  AddItems(calc, kCalcItems);

  QMenu* tools = AddMenu(this, nullptr, bar, {"Tools1", "&Tools", "", true, ""});
  QMenu* conversion = AddMenu(this, tools, nullptr, kConversionMenu);
  AddItems(conversion, kConversionItems);
  AddItems(tools, kToolsItems);

  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  AddItems(popup_, kPopupItems);
  // A popup opened from the grid has no menu bar to carry its hints to the window.
  connect(popup_, &QMenu::hovered, this, [this](QAction* a) { setStatusText(a->statusTip()); });
  connect(popup_, &QMenu::aboutToHide, this, [this] { setStatusText({}); });
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popup_->popup(grid_->viewport()->mapToGlobal(pos)); });
}

void MainWindow::buildToolBar() {
  auto* toolbar = new QToolBar(this);
  toolbar->setObjectName("Panel2");
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->toggleViewAction()->setEnabled(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addToolBar(Qt::TopToolBarArea, toolbar);
  for (const Button& b : kButtons) {
    QIcon icon = b.icon == QStyle::SP_CustomBase ? QIcon(QString(":/icons/%1.xpm").arg(b.name))
                                                 : style()->standardIcon(b.icon);
    QAction* action = toolbar->addAction(icon, QString::fromUtf8(b.text));
    action->setObjectName(b.name);
    action->setToolTip(QString::fromUtf8(b.hint));
    action->setStatusTip(QString::fromUtf8(b.hint));
    action->setEnabled(b.on);
  }
}

}  // namespace relakin
