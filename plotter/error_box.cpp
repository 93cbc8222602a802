#include "plotter/error_box.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSpacerItem>

namespace vodave {
namespace {

// What a window manager's title bar holds beside the caption: the window's icon and its
// buttons, with their margins.
constexpr int kTitleBarControls = 160;

}  // namespace

void ShowErrorBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);  // the text names a file: never read it as markup
  // No narrower than the caption, which a window manager would cut.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    QFont font = box.font();
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarControls;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
}

}  // namespace vodave
