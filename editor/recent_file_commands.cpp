#include "editor/recent_file_commands.h"

#include <QAction>
#include <QSettings>

#include "editor/main_window.h"
#include "editor/mru_file_list_menu.h"
#include "editor/mru_storage.h"

namespace relakin {

RecentFileCommands::RecentFileCommands(MainWindow& window) : QObject(&window), window_(window) {
  QAction* anchor = window.action("N1");
  list_ = new MRUFileListMenu(window.action("File1")->menu(), anchor, this);
  list_->Assign(LoadMRUPaths(*UserMRUSettings()));
  connect(&window, &MainWindow::recentFileCandidate, list_, &MRUFileListMenu::AddItem);
  connect(list_, &MRUFileListMenu::MRUItemClick, this, &RecentFileCommands::reopen);
}

RecentFileCommands::~RecentFileCommands() {
  // The window is going: the menus may be gone, the list is still here.
  SaveMRUPaths(*UserMRUSettings(), list_->paths());
}

void RecentFileCommands::reopen(const QString& path) {
  window_.runGuarded([this, &path] {
    if (!window_.querySaveChanges()) return;
    window_.offerRecent(window_.currentFileName());  // the file being left
    window_.loadNativeFile(path);
  });
}

}  // namespace relakin
