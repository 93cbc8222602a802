// The dialogs kept for the session on a real X server with a window manager, which frames a
// window in its own time: Qt places a dialog anew at each showing from what it knows of the
// frames, and that differs from one showing to the next (the offscreen platform has no frames).
// Without an X server and a window manager the test skips itself; ctest runs it on a desktop of
// its own (scripts/x11-session.sh: Xvfb with openbox).
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QRect>
#include <QTest>
#include <QWindow>
#include <ostream>
#include <vector>

#include "editor/main_window.h"
#include "modal_windows.h"
#include "x11_desktop.h"

inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.width() << "x" << r.height() << " at " << r.x() << "," << r.y();
}

namespace relakin::test {
namespace {

using gui_testing::ModalAnswer;
using gui_testing::ScreenFrame;

// Each dialog, shown three times over the maximised main window as the user shows it, stands
// on the screen where it stood the first time, frame and all.
TEST(SessionDialogsOnADesktop, AppearWhereTheyFirstAppeared) {
  SKIP_WITHOUT_DESKTOP();
  MainWindow window;
  window.loadNativeFile(QString(RELAKIN_TEST_DATA) + "/dialogs/five_pops.bvt");
  window.showMaximized();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 5000));
  for (const char* command : {"GotoindivN1", "Identit1", "AddRowandcols1"}) {
    SCOPED_TRACE(command);
    std::vector<QRect> frames;
    for (int k = 0; k < 3; ++k) {
      const ModalAnswer answer([&frames](QWidget* dialog) {
        // The window manager has framed and placed it once its frame stays where it is.
        bool placed = false;
        for (int wait = 0; wait < 30 && !placed; ++wait) {
          const QRect before = ScreenFrame(dialog);
          QTest::qWait(100);
          placed = before.size() != dialog->size() && ScreenFrame(dialog) == before;
        }
        EXPECT_TRUE(placed);
        frames.push_back(ScreenFrame(dialog));
        static_cast<QDialog*>(dialog)->reject();
      });
      window.action(command)->trigger();
    }
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1], frames[0]);
    EXPECT_EQ(frames[2], frames[0]);
  }
}

}  // namespace
}  // namespace relakin::test
