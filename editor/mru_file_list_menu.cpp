#include "editor/mru_file_list_menu.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>

#include "core/minimize_name.h"

namespace relakin {

MRUFileListMenu::MRUFileListMenu(QMenu* menu, QAction* anchor, QObject* parent)
    : QObject(parent), menu_(menu), anchor_(anchor) {}

QStringList MRUFileListMenu::fileList() const {
  QStringList out;
  for (const std::string& path : list_.FileList()) out << QString::fromStdString(path);
  return out;
}

void MRUFileListMenu::AddItem(const QString& path) {
  list_.AddItem(path.toStdString());
  BuildMenu();
}

void MRUFileListMenu::Assign(const std::vector<std::string>& paths) {
  list_.Assign(paths);
  BuildMenu();
}

void MRUFileListMenu::setMaximum(int maximum) {
  list_.SetMaximum(maximum);
  BuildMenu();
}

void MRUFileListMenu::setMaxCaptionWidth(int pixels) {
  if (pixels == maxCaptionWidth_) return;
  maxCaptionWidth_ = pixels;
  BuildMenu();
}

void MRUFileListMenu::RemoveMenuItems() {
  // An entry may be removed from inside its own triggered signal: delete later.
  if (separator_) {
    if (menu_) menu_->removeAction(separator_);
    separator_->deleteLater();
  }
  if (submenu_) {
    if (menu_) menu_->removeAction(submenu_->menuAction());
    submenu_->deleteLater();
  }
  separator_ = nullptr;
  submenu_ = nullptr;
}

void MRUFileListMenu::BuildMenu() {
  if (!menu_ || !anchor_) return;
  RemoveMenuItems();
  if (list_.FileList().empty()) return;
  separator_ = menu_->insertSeparator(anchor_);
  separator_->setObjectName("MRUSeparator");
  submenu_ = new QMenu(QString::fromUtf8(kSubmenuName), menu_);
  submenu_->setObjectName("MRUSubmenu");
  submenu_->menuAction()->setObjectName("MRUSubmenu");
  menu_->insertMenu(anchor_, submenu_);
  int n = 0;
  for (const std::string& path : list_.FileList()) {
    ++n;
    const QString number = QString::number(n);
    QAction* entry = submenu_->addAction(QString("&%1 %2").arg(number, shortened(path)));
    entry->setObjectName("MRUItem" + number);
    entry->setProperty("FullCaption", QString("&%1 %2").arg(number, QString::fromStdString(path)));
    connect(entry, &QAction::triggered, this, [this, n] { ItemClicked(n); });
  }
}

QString MRUFileListMenu::shortened(const std::string& path) const {
  std::string shown = path;
  if (maxCaptionWidth_ > 0) {
    const QFontMetrics metrics(submenu_->font());
    shown = MinimizeName(path, maxCaptionWidth_, [&metrics](const std::string& text) {
      return metrics.horizontalAdvance(QString::fromStdString(text));
    });
  }
  // A "&" of the path is text, not the mark of a keyboard accelerator.
  return QString::fromStdString(shown).replace('&', "&&");
}

void MRUFileListMenu::ItemClicked(int fileIndex) {
  if (fileIndex < 1 || static_cast<std::size_t>(fileIndex) > list_.FileList().size()) return;
  const QString path = QString::fromStdString(list_.TakeItem(fileIndex - 1));
  BuildMenu();
  emit MRUItemClick(path);
}

}  // namespace relakin
