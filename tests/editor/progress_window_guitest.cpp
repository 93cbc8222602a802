// The runs' progress window as the runs drive it: made at Open, shown with a maximum and a
// label, stepped, freed at Close; no border icons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <string>

#include "analysis/dialogs/progress_window.h"
#include "paint_count.h"

namespace relakin {
namespace {

using ::gui_testing::PaintCount;

int ProgressWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    n += qobject_cast<TForm_progress*>(w) != nullptr;
  return n;
}

// A window manager's title bar would bring its buttons: the window has none and shows its
// caption itself.
TEST(ProgressWindow, DesignTextsAndNoBorderIcons) {
  TForm_progress w;
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Permutation sur Identité"));
  EXPECT_EQ(w.size(), QSize(472, 133));
  EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
  for (const Qt::WindowType hint :
       {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
        Qt::WindowMaximizeButtonHint, Qt::WindowTitleHint}) {
    EXPECT_FALSE(w.windowFlags() & hint) << std::hex << hint;
  }
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.Caption->text(), w.windowTitle());
  EXPECT_TRUE(w.Caption->isVisible());
  EXPECT_GE(w.Caption->width(), w.Caption->fontMetrics().horizontalAdvance(w.windowTitle()));
  const QRect caption(w.Caption->mapTo(&w, QPoint(0, 0)), w.Caption->size());
  const QRect label(w.Label1->mapTo(&w, QPoint(0, 0)), w.Label1->size());
  const QRect bar(w.Bar1->mapTo(&w, QPoint(0, 0)), w.Bar1->size());
  EXPECT_LE(caption.bottom(), label.top());
  EXPECT_LE(label.bottom(), bar.top());
  EXPECT_TRUE(w.rect().contains(bar));
  EXPECT_EQ(w.Label1->text(), "Label1");
  EXPECT_EQ(w.Bar1->minimum(), 0);
  EXPECT_EQ(w.Bar1->maximum(), 100);
  EXPECT_EQ(w.Bar1->value(), 0);
  EXPECT_EQ(w.Bar1->size(), QSize(297, 33));
  EXPECT_EQ(w.Bar1->orientation(), Qt::Horizontal);
}

TEST(ProgressWindow, RunDrivesItFromOpenToClose) {
  WindowProgress progress;
  EXPECT_EQ(progress.window(), nullptr);
  progress.Open();
  ASSERT_NE(progress.window(), nullptr);
  EXPECT_FALSE(progress.window()->isVisible());

  progress.Show(11, "Sur données réelles");
  TForm_progress* w = progress.window();
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isModal());
  EXPECT_EQ(w->Bar1->maximum(), 11);
  EXPECT_EQ(w->Label1->text(), QString::fromUtf8("Sur données réelles"));
  progress.Step();
  EXPECT_EQ(w->Bar1->value(), 1);

  progress.Show(11, "Permutation :1");
  progress.Step();
  EXPECT_EQ(w->Label1->text(), "Permutation :1");
  EXPECT_EQ(w->Bar1->value(), 2);
  progress.Show(11, "");  // an empty label keeps the text
  EXPECT_EQ(w->Label1->text(), "Permutation :1");
  EXPECT_EQ(ProgressWindows(), 1);

  progress.Close();
  EXPECT_EQ(progress.window(), nullptr);
  EXPECT_EQ(ProgressWindows(), 0);
}

// A run blocks the thread between its steps: the window is on the screen from the first Show,
// and the label's new texts are painted as the run steps, while the events are let through no
// more than every 50 ms.
TEST(ProgressWindow, IsExposedAtOnceAndPaintedAsTheRunSteps) {
  using std::chrono::steady_clock;
  WindowProgress progress;
  ProgressScope scope(progress);
  progress.Show(1000, "Sur données réelles");
  TForm_progress* w = progress.window();
  ASSERT_NE(w->windowHandle(), nullptr);
  EXPECT_TRUE(w->windowHandle()->isExposed());

  const PaintCount label(w->Label1);
  int passes = 0;  // a zero timer fires once for each pass of the event loop
  QTimer loop;
  loop.setInterval(0);
  QObject::connect(&loop, &QTimer::timeout, [&passes] { ++passes; });
  loop.start();
  const auto start = steady_clock::now();
  unsigned k = 0;
  while (steady_clock::now() - start < std::chrono::milliseconds(300)) {
    progress.Show(1000, "Permutation :" + std::to_string(++k));
    progress.Step();
    const auto busy = steady_clock::now() + std::chrono::milliseconds(1);
    while (steady_clock::now() < busy) {
    }
  }
  const auto elapsed = steady_clock::now() - start;
  loop.stop();

  EXPECT_EQ(w->Bar1->value(), static_cast<int>(k));
  EXPECT_GE(label.paints, 2);
  EXPECT_GE(passes, 2);
  EXPECT_LE(passes, elapsed / WindowProgress::kRefreshInterval + 1);
}

}  // namespace
}  // namespace relakin
