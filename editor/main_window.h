// relakin's main window: the genotype grid, the main menu, the grid's popup menu, the tool bar
// and the status line, with the file commands (New, Open, Save, Save As, closing, Diagnostic),
// the save question, the caption and the Modified flag.
//
// Every QAction carries the component name of its menu item or tool button as objectName
// ("Save1", "Insert1", "save_b", "Cut2", ...); action(name) finds it. Commands that belong to
// other parts of the program are present with their captions, hints and states but left
// unconnected: their owners connect them (the grid editing in GridEditor, built at the end of
// the constructor).
//
// Commands run through runGuarded(): it first commits an open cell editor, so the command sees
// the typed text; a relakin::Error or std::exception then ends the command with an error box
// titled "RELAKIN" and the program goes on.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "analysis/dialogs/analysis_commands.h"
#include "core/data_description.h"
#include "core/document.h"
#include "widgets/prompts.h"

class QLabel;
class QMenu;
class QTableView;

namespace relakin {

class DescriptionWindow;
class DimensionDialog;
class GenotypeTableModel;
class GridEditor;

class MainWindow : public QMainWindow, public AnalysisWindow {
  Q_OBJECT

 public:
  static constexpr const char* kDesignCaption = "RELAKIN  1.1.5";
  static constexpr const char* kUntitled = "Untitled";

  // `prompts` answers every modal exchange (file dialogs, boxes, modal dialogs); it must outlive
  // the window. Null: the real dialogs.
  explicit MainWindow(Prompts* prompts = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The action named `name` (menu item, popup item, tool button, or a menu's own action such as
  // "Edit1", "Trait1", "Remove1", "Conversion1"); null when there is none.
  QAction* action(const char* name) const override;
  QMenu* popupMenu() const { return popup_; }

  Document& document() override { return doc_; }
  GenotypeTableModel* model() const { return model_; }
  QTableView* grid() const { return grid_; }
  Prompts& prompts() const override { return *prompts_; }
  DescriptionWindow* descriptionWindow() const { return description_; }
  DimensionDialog* dimensionDialog() const { return dimension_; }

  // The status line (Panel1).
  void setStatusText(const QString& text);
  QString statusText() const;

  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

  // The table's file name; Document::CurrentFileName follows it (file-system bytes).
  QString currentFileName() const { return fileName_; }
  void setCurrentFileName(const QString& name);
  // Caption := the current file name, or the design caption while there is none.
  void refreshCaption();
  // The name of an imported foreign file: Save then asks for a native name, as for a new table.
  void setImportedFileName(const QString& name);
  // Offers `path` to the recent-files list: absolute paths only, and never the name of an
  // imported foreign file, which the list would later open as a native file.
  void offerRecent(const QString& path);

  // Enables the commands of a loaded table; New leaves Save1 as it is.
  void enableTableCommands(bool includingSave = true);
  // Empties every cell but the row labels (table size unchanged) and tells the view.
  void clearGrid();
  // The grid shown again after a table was made, read or imported; the view told of it.
  void showTable();

  // May the command go on? Asks "Fichier %s a été modifié. Sauvegarder ?" when needed. Yes goes
  // through Save As and lets the command go on only when the table was saved.
  bool querySaveChanges();

  // The file commands; each catches its own errors.
  void newTable();
  void openFile();
  // Open once a path is chosen (also a recent file): reads the native file at `path` into the
  // window. Throws when the file cannot be read, leaving the table, its name, the caption and
  // Modified as they were; run it through runGuarded.
  void loadNativeFile(const QString& path);
  bool save();
  bool saveAs();
  void diagnostic();
  void about();
  void startPlotter();

  // Writes the whole table to `path` and shows the data-description window of what was
  // written; false (after the error box) when the save failed. The caller sets the file name.
  // A scratch file (Diagnostic's analysis file) is not flushed to disk.
  bool saveDescribed(const QString& path, bool scratch = false);

  // Commits an open cell editor, then runs `command`, showing any error in the "RELAKIN" error
  // box (the native reader's not-a-native-file refusal in a plain box); false when it threw.
  // Every command that reads or changes the table runs through here.
  bool runGuarded(const std::function<void()>& command) override;
  // The same without the commit, for what runs while a cell is being typed (the genotype check).
  bool runWhileEditing(const std::function<void()>& command);

 signals:
  // A path for the recent-files list, where the list takes one (absolute paths only).
  void recentFileCandidate(const QString& path);
  // The document holds a new table (New, Open); the view has been reset.
  void tableReplaced();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildGrid();
  void buildMenus();
  void buildToolBar();
  void connectCommands();
  bool saveUnder(const QString& path);

  Document doc_;
  std::unique_ptr<Prompts> ownPrompts_;
  Prompts* prompts_;
  bool modified_ = false;
  bool importedName_ = false;
  QString fileName_;
  int nameWidth_ = 100;
  GenotypeTableModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QMenu* popup_ = nullptr;
  QLabel* panel1_ = nullptr;
  DescriptionWindow* description_ = nullptr;
  DimensionDialog* dimension_ = nullptr;
  std::unique_ptr<GridEditor> editor_;
};

}  // namespace relakin
