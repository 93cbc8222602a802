// Helpers of vodave's GUI tests: driving menus and modal windows with simulated clicks, and
// data files written into a test's own temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "modal_windows.h"
#include "plotter/plotter_windows.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace vodave::testing {

inline QString TestData(const char* name) {
  return QString(RELAKIN_TEST_DATA) + "/plotter/" + name;
}

// Answers the next modal window (a dialog's exec() or a message box) with `act` while the
// returned answer lives; `act` must close it. A window left open, or none at all, fails the test
// and is closed (tests/modal_windows.h).
[[nodiscard]] inline std::unique_ptr<gui_testing::ModalAnswer> WhenModal(
    std::function<void(QWidget*)> act) {
  return std::make_unique<gui_testing::ModalAnswer>(std::move(act));
}

// Clicks the menu bar's `menuName` menu, then its `actionName` item.
inline void ClickMenu(QMainWindow& window, const char* menuName, const char* actionName) {
  auto* menu = window.findChild<QMenu*>(menuName);
  auto* action = window.findChild<QAction*>(actionName);
  ASSERT_TRUE(menu && action) << menuName << " " << actionName;
  QMenuBar* bar = window.menuBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
  ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  if (menu->isVisible()) menu->close();  // a disabled item leaves its menu open
}

// Clicks the push button named `name` in `window`.
inline void ClickButton(QWidget* window, const char* name) {
  auto* button = window->findChild<QPushButton*>(name);
  ASSERT_TRUE(button) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

// Closes the next message box with OK while it lives, and keeps its title and text.
struct BoxSeen {
  QString title;
  QString text;
  int width = 0;
  QFont font;
  bool seen = false;
  std::unique_ptr<gui_testing::ModalAnswer> answer;
};
[[nodiscard]] inline std::unique_ptr<BoxSeen> CloseNextMessageBox() {
  auto seen = std::make_unique<BoxSeen>();
  seen->answer = WhenModal([box = seen.get()](QWidget* w) {
    auto* message = qobject_cast<QMessageBox*>(w);
    ASSERT_TRUE(message) << w->metaObject()->className();
    box->title = message->windowTitle();
    box->text = message->text();
    box->width = message->width();
    box->font = message->font();
    box->seen = true;
    QTest::mouseClick(message->button(QMessageBox::Ok), Qt::LeftButton);
  });
  return seen;
}

// The plotter's windows with the open dialog replaced by a chooser that gives `next_file`.
class PlotterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Form1.SetFileChooser([this](QWidget*) { return next_file; });
    w.Form1.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.Form1));
  }

  void Open(const QString& path) {
    next_file = path;
    ClickMenu(w.Form1, "File1", "Open1");
  }

  // Writes `content` into the test's folder; returns the path.
  QString WriteFile(const char* name, const std::string& content) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content.data(), static_cast<qint64>(content.size()));
    return path;
  }

  QTemporaryDir dir;
  PlotterWindows w;
  QString next_file;
};

}  // namespace vodave::testing
