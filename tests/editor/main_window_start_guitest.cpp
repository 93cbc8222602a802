// The main window as the program starts: caption, hidden grid, status line, and every menu
// item, popup item and tool button with its caption, shortcut, hint and state.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>

#include "core/new_table.h"
#include "main_window_fixture.h"

namespace relakin::test {
namespace {

using StartTest = MainWindowTest;

struct ItemCase {
  const char* name;
  const char* caption;
  const char* shortcut;
  bool on;
  const char* hint;
};

const ItemCase kItems[] = {
    {"File1", "&File", "", true, ""},
    {"new1", "&New", "Ctrl+N", true, "Créer un nouveau fichier"},
    {"open1", "&Open", "Ctrl+O", true, "Ouvrir un fichier existant"},
    {"Importer1", "&Import", "", true, ""},
    {"Save1", "&Save", "Ctrl+S", false, "Enregistrer le fichier courant sur disque"},
    {"Saveas1", "Save &As..", "Ctrl+A", false, "Enregistrer sous un nouveau nom de fichier"},
    {"Quit1", "&Quit", "", true, "Quitter Bravolt"},
    {"Edit1", "&Edit", "", true, ""},
    {"Cut1", "&Cut", "Ctrl+X", false,
     "placer le contenu des cellules seléctionnées dans le presse papier"},
    {"Copy1", "Co&py", "Ctrl+C", false,
     "copier le contenu des cellules seléctionnées dans le presse papier"},
    {"Past1", "&Paste", "Ctrl+V", false, "Inserts data  that has been copied to the Clipboard."},
    {"Delete1", "&Delete", "Del", false, "Erases the currently selected cells"},
    {"Findtext1", "&Find", "Ctrl+F", false, "Searches for specified text"},
    {"Replace1", "&Replace", "Ctrl+R", false,
     "Search for a specified text and replaces it with new text"},
    {"GotoindivN1", "Go To Individual N°...", "Ctrl+I", false,
     "Moves to the row containing the i (th) individu"},
    {"ReachpopN1", "Go to population N°", "Ctrl+P", false,
     "Selects the first ind. of the specified population"},
    {"Insert1", "&Insert", "", false, "Insérer une ligne vide au niveau du curseur"},
    {"AddRowandcols1", "Add Individus and/or loci", "", false,
     "Ajouter des lignes à la fin de la feuile et des colonnes à droite"},
    {"Remove1", "Delete selected individu or locus", "", false, ""},
    {"Row1", "Individu", "", true, "Supprimer la ligne courante"},
    {"Column1", "Locus", "", true, "Supprimer la colonne courante"},
    {"KeystoPopulations1", "Edit Population's name", "", false, "Editer le nom des populations"},
    {"Trait1", "&Calc.", "", false, ""},
    {"Identit1", "&Relatedness ...", "", true, ""},
    {"Permutationsuridentit1", "Permutation test ...", "", true, ""},
    {"IC1", "I.C", "", true, ""},
    {"Tools1", "&Tools", "", true, ""},
    {"Conversion1", "&Conversion", "", false, "Utilitaire de conversion de format de fichiers"},
    {"Genpop1", "GENEPOP", "", true,
     "Conversion du fichier courant au format GENEPOP (attention les allèles vont être "
     "renumérotés !!)"},
    {"Fstat1", "FSTAT", "", true,
     "Conversion du fichier courant au format FSTAT (attention les allèles vont être "
     "renumérotés !!)"},
    {"BIOSYS1", "BIOSYS", "", true,
     "Conversion du fichier courant au format BIOSYS (attention les allèles vont être recodés "
     "en caractères !!)"},
    {"Diagnostique1", "&Diagnostic", "", false,
     "Liste des populations, locus ... du fichier en cours d'édition"},
    {"VoirImprimer1", "&View File content ...", "", true, "Afficher et imprimer un fichier texte"},
    {"About1", "&About ...", "", true, ""},
    {"Plotingdistribution1", "Ploting distribution", "", true, ""},
    // Popup: the shortcut shows in the caption only.
    {"Cut2", "Couper\tCtrl+X", "", true,
     "Effacer et copier dans le presse-papier, le contenu de la sélection"},
    {"Copy2", "&Copier\tCtrl+C", "", true,
     "Copier le contenu de la sélection dans le presse-papier"},
    {"Paste1", "Coller\tCtrl+V", "", true, "Copier le contenu du presse-papier"},
    {"Delete2", "Effacer\tDel", "", true, "Effacer la ou les cellules sélectionnées."},
    {"InsertaRow1", "&Inserer une ligne", "", true,
     "Inserer  une ligne avant la cellule selectionnée"},
};

struct ButtonCase {
  const char* name;
  const char* hint;
  bool on;
};

const ButtonCase kButtons[] = {
    {"New_b", "Créer un nouveau fichier", true},
    {"open_b", "Ouvrir un fichier existant", true},
    {"save_b", "Enregistrer", false},
    {"cut_b", "Couper les cellules sélectionnées", false},
    {"copy_b", "Copier les cellules seléctionnées", false},
    {"paste_b", "Coller", false},
    {"SpeedButton1", "Aide", true},
    {"quit_b", "Quitter", true},
};

TEST_F(StartTest, WindowStartsEmptyWithTheDesignCaption) {
  EXPECT_EQ(window->windowTitle(), "RELAKIN  1.1.5");
  EXPECT_FALSE(window->grid()->isVisible());
  EXPECT_EQ(window->statusText(), "Ready");
  EXPECT_FALSE(window->isModified());
  EXPECT_TRUE(window->currentFileName().isEmpty());
  EXPECT_TRUE(window->document().CurrentFileName.empty());
  EXPECT_EQ(window->grid()->objectName(), "StringGrid1");
}

TEST_F(StartTest, MenuItemsHaveTheirCaptionsShortcutsHintsAndStates) {
  for (const ItemCase& c : kItems) {
    SCOPED_TRACE(c.name);
    QAction* a = window->action(c.name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(a->shortcut(), QKeySequence(c.shortcut));
    EXPECT_EQ(a->statusTip(), QString::fromUtf8(c.hint));
    EXPECT_EQ(a->isEnabled(), c.on);
  }
}

TEST_F(StartTest, MenusKeepTheirOrder) {
  QStringList top;
  for (QAction* a : window->menuBar()->actions()) top << a->objectName();
  EXPECT_EQ(top, QStringList({"File1", "Edit1", "Trait1", "Tools1"}));
  QStringList file;
  for (QAction* a : window->action("File1")->menu()->actions()) file << a->objectName();
  EXPECT_EQ(file, QStringList({"new1", "open1", "Importer1", "Save1", "Saveas1", "N1", "Quit1"}));
  EXPECT_TRUE(window->action("N1")->isSeparator());
  QStringList tools;
  for (QAction* a : window->action("Tools1")->menu()->actions()) tools << a->objectName();
  EXPECT_EQ(tools, QStringList({"Conversion1", "Diagnostique1", "VoirImprimer1", "About1",
                                "Plotingdistribution1"}));
  QStringList popup;
  for (QAction* a : window->popupMenu()->actions()) popup << a->objectName();
  EXPECT_EQ(popup, QStringList({"Cut2", "Copy2", "Paste1", "Delete2", "InsertaRow1"}));
}

TEST_F(StartTest, ToolButtonsHaveTheirHintsAndStates) {
  for (const ButtonCase& c : kButtons) {
    SCOPED_TRACE(c.name);
    QAction* a = window->action(c.name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->toolTip(), QString::fromUtf8(c.hint));
    EXPECT_EQ(a->statusTip(), QString::fromUtf8(c.hint));
    EXPECT_EQ(a->isEnabled(), c.on);
    EXPECT_FALSE(a->icon().pixmap(16, 16).isNull());
  }
}

TEST_F(StartTest, HighlightedMenuItemShowsItsHintInTheStatusLine) {
  QMenu* file = window->action("File1")->menu();
  window->menuBar()->setActiveAction(window->action("File1"));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
  for (int i = 0; i < 3 && file->activeAction() != window->action("open1"); ++i) {
    QTest::keyClick(file, Qt::Key_Down);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(window->statusText(), "Ouvrir un fichier existant");
  file->hide();
  QCoreApplication::processEvents();
  EXPECT_EQ(window->statusText(), "");

  QMenu* popup = window->popupMenu();
  popup->popup(window->mapToGlobal(QPoint(20, 20)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
  popup->setActiveAction(window->action("Copy2"));
  EXPECT_EQ(window->statusText(), "Copier le contenu de la sélection dans le presse-papier");
  popup->hide();
  EXPECT_EQ(window->statusText(), "");
}

TEST_F(StartTest, AboutShowsTheAboutBox) {
  QString caption;
  prompts.onDialog["AboutBox"] = [&caption](QDialog& d) {
    caption = d.windowTitle();
    QTest::mouseClick(d.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    return d.result();
  };
  trigger("About1");
  EXPECT_EQ(prompts.dialogs, QStringList({"AboutBox"}));
  EXPECT_EQ(caption, "A propos");
  EXPECT_FALSE(window->isModified());
}

TEST_F(StartTest, PlotterThatCannotBeFoundIsReported) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", dir.path().toLocal8Bit());
  trigger("Plotingdistribution1");
  qputenv("PATH", path);
  ASSERT_EQ(prompts.errors().size(), 1);
  EXPECT_TRUE(prompts.errors()[0].contains("vodave"));
}

TEST_F(StartTest, HelpDoesNothing) {
  trigger("SpeedButton1");
  EXPECT_TRUE(prompts.told.empty());
  EXPECT_TRUE(prompts.dialogs.isEmpty());
}

}  // namespace
}  // namespace relakin::test
