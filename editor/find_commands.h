// The Edit menu's Find ("Findtext1") and Replace ("Replace1"): each shows its modeless dialog,
// made once with the window; the dialogs' buttons then search and replace from whatever cell is
// current at that moment (core/cell_search.h). A find text that the cells' code page cannot hold
// matches nothing. A search that finds nothing says "Ne peut trouver "<text>"." (Replace All says
// nothing). Replacements set Modified and are announced to the view once.
//
// Constructed once by the main window, which owns it.
#pragma once

#include <QObject>

#include "core/cell_search.h"

namespace relakin {

class FindReplaceDialog;
class MainWindow;

class FindCommands : public QObject {
  Q_OBJECT

 public:
  explicit FindCommands(MainWindow& window);

  FindReplaceDialog& findDialog() const { return *find_; }
  FindReplaceDialog& replaceDialog() const { return *replace_; }

  void showFind();
  void showReplace();
  // The dialog's Find Next: searches for its text after the current cell.
  void find(FindReplaceDialog& dialog);
  // The replace dialog's Replace (all = false) and Replace All buttons.
  void replace(bool all);

 private:
  CellPos currentCell() const;
  void moveTo(CellPos cell);
  // Told over `dialog`, which is active again afterwards: the next Return searches on.
  void notFound(FindReplaceDialog& dialog);
  static void showModeless(FindReplaceDialog& dialog);

  MainWindow& window_;
  FindReplaceDialog* find_;
  FindReplaceDialog* replace_;
};

}  // namespace relakin
