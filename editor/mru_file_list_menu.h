// The recent-files list in a menu: a separator and the submenu "Réouvrir" just before an anchor
// item, holding one numbered entry per path ("&1 " + the path, newest first), each path
// shortened to MaxCaptionWidth() pixels of the menu font (0: shown whole). The entries are
// rebuilt whenever the list changes; an empty list shows neither separator nor submenu.
//
// A clicked entry leaves the list first, then MRUItemClick carries its path.
#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "core/mru_file_list.h"

namespace relakin {

class MRUFileListMenu : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDefaultCaptionWidth = 200;
  static constexpr const char* kSubmenuName = "Réouvrir";

  // The entries go into `menu` just before `anchor`, one of its items. Both belong to the window
  // that owns this object; entries are left alone once the menu is gone.
  MRUFileListMenu(QMenu* menu, QAction* anchor, QObject* parent = nullptr);

  // The paths, newest first.
  QStringList fileList() const;
  const std::vector<std::string>& paths() const { return list_.FileList(); }

  void AddItem(const QString& path);
  // Replaces the whole list (as loaded from the settings file).
  void Assign(const std::vector<std::string>& paths);
  void setMaximum(int maximum);
  int maximum() const { return list_.Maximum(); }
  void setMaxCaptionWidth(int pixels);
  int maxCaptionWidth() const { return maxCaptionWidth_; }

  // The submenu "Réouvrir"; null while the list is empty.
  QMenu* submenu() const { return submenu_; }

 signals:
  void MRUItemClick(const QString& path);

 private:
  void BuildMenu();
  void RemoveMenuItems();
  void ItemClicked(int fileIndex);
  QString shortened(const std::string& path) const;

  MRUFileList list_;
  int maxCaptionWidth_ = kDefaultCaptionWidth;
  QPointer<QMenu> menu_;
  QPointer<QAction> anchor_;
  QPointer<QAction> separator_;
  QPointer<QMenu> submenu_;
};

}  // namespace relakin
