// The progress window the analysis runs show while they work, and the run-side Progress that
// drives it. The window has no border icons and no cancel: a run cannot be stopped.
#pragma once

#include <QWidget>
#include <chrono>
#include <memory>

#include "analysis/run_context.h"

class QLabel;
class QProgressBar;

namespace relakin {

class TForm_progress : public QWidget {
  Q_OBJECT

 public:
  // A top-level window, centred on the screen, with its design texts. No window manager frame:
  // the window shows its caption itself, above the label and the bar.
  explicit TForm_progress(QWidget* parent = nullptr);

  QLabel* Caption;
  QLabel* Label1;
  QProgressBar* Bar1;

 protected:
  void changeEvent(QEvent* event) override;
};

// Creates the window at Open and frees it at Close. Show sets the bar's maximum and the label
// (an empty label keeps the text it had); the first Show waits, at most kExposeWait, until the
// window manager has put the window on the screen, and paints it. Show and Step then let
// paint and expose events through at most every kRefreshInterval, and raise the window above
// the dialog it keeps waiting; clicks, keys and closing wait until the run has ended, so no
// other command can start meanwhile. Main thread.
class WindowProgress : public Progress {
 public:
  WindowProgress();
  ~WindowProgress() override;
  void Open() override;
  void Show(unsigned maximum, const std::string& label) override;
  void Step() override;
  void Close() override;

  // The window while the run has it open; null otherwise.
  TForm_progress* window() const { return window_.get(); }

  static constexpr std::chrono::milliseconds kExposeWait{1000};
  static constexpr std::chrono::milliseconds kRefreshInterval{50};

 private:
  // The window's pending paint and expose events, when kRefreshInterval has passed since the
  // last time: a clock read per step otherwise.
  void Refresh();

  std::unique_ptr<TForm_progress> window_;
  std::chrono::steady_clock::time_point refreshed_;
};

}  // namespace relakin
