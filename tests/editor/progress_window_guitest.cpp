// The runs' progress window as the runs drive it: made at Open, shown with a maximum and a
// label, stepped, freed at Close; no close box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "analysis/dialogs/progress_window.h"

namespace relakin {
namespace {

int ProgressWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    n += qobject_cast<TForm_progress*>(w) != nullptr;
  return n;
}

TEST(ProgressWindow, DesignTextsAndNoCloseBox) {
  TForm_progress w;
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Permutation sur Identité"));
  EXPECT_EQ(w.size(), QSize(472, 133));
  EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(w.windowFlags() & Qt::WindowSystemMenuHint);
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

}  // namespace
}  // namespace relakin
