// vodave's windows as a window manager frames them: each as wide as its caption, and the
// dialogs kept for the session shown again where they first appeared.
#include <QFontMetrics>
#include <QWidget>

#include "plotter_gui_helpers.h"

namespace vodave::testing {
namespace {

using VodaveWindowLayoutTest = PlotterTest;

// The least room a title bar needs for `caption` whole: the text in bold (as window managers
// draw captions), the window's icon and three buttons.
int TitleBarNeeds(const QString& caption) {
  QFont bold = QApplication::font();
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(caption) + 100;
}

TEST_F(VodaveWindowLayoutTest, EveryWindowIsAsWideAsItsCaption) {
  for (QWidget* window : {static_cast<QWidget*>(&w.Form1), static_cast<QWidget*>(&w.AboutBox),
                          static_cast<QWidget*>(&w.BtnRightDlg),
                          static_cast<QWidget*>(&w.distrib)}) {
    SCOPED_TRACE(window->windowTitle().toStdString());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_GE(window->width(), TitleBarNeeds(window->windowTitle()));
    if (window != &w.Form1) window->hide();
  }
}

// Qt places a dialog anew at each showing from the windows around it, which a window manager
// moves and frames in its own time: the dialogs stay where they first appeared, also when the
// main window has moved and when the user dragged them in a later showing.
TEST_F(VodaveWindowLayoutTest, DialogsAppearWhereTheyFirstAppeared) {
  const QPoint home = w.Form1.pos();
  for (QWidget* dialog : {static_cast<QWidget*>(&w.AboutBox),
                          static_cast<QWidget*>(&w.BtnRightDlg),
                          static_cast<QWidget*>(&w.distrib)}) {
    SCOPED_TRACE(dialog->objectName().toStdString());
    w.Form1.move(home);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const QPoint first = dialog->pos();
    dialog->hide();
    for (const QPoint shift : {QPoint(10, 40), QPoint(20, 80)}) {
      w.Form1.move(home + shift);
      dialog->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
      EXPECT_EQ(dialog->pos(), first);
      dialog->move(first + QPoint(30, 30));  // the user drags it
      dialog->hide();
    }
  }
  w.Form1.move(home);
}

}  // namespace
}  // namespace vodave::testing
