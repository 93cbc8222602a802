// The main window's recent-files list (File > "Réouvrir"): loaded from the user's settings file
// when the window is built, fed with the paths the window offers (after Save and Save As, on
// closing), written back when the window is destroyed. A clicked entry is reopened: after the
// save question, the file being left goes to the top of the list, then the clicked file is
// read; a file that cannot be read leaves the previous table in place.
#pragma once

#include <QObject>
#include <QString>

namespace relakin {

class MainWindow;
class MRUFileListMenu;

class RecentFileCommands : public QObject {
  Q_OBJECT

 public:
  // Child of `window`; its entries go before the File menu's separator "N1".
  explicit RecentFileCommands(MainWindow& window);
  ~RecentFileCommands() override;

  MRUFileListMenu& list() const { return *list_; }

 private:
  void reopen(const QString& path);

  MainWindow& window_;
  MRUFileListMenu* list_;
};

}  // namespace relakin
