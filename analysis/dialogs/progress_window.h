// The progress window the analysis runs show while they work, and the run-side Progress that
// drives it. The window has no close box and no cancel: a run cannot be stopped.
#pragma once

#include <QWidget>
#include <memory>

#include "analysis/run_context.h"

class QLabel;
class QProgressBar;

namespace relakin {

class TForm_progress : public QWidget {
  Q_OBJECT

 public:
  // A top-level window, centred on the screen, with its design texts.
  explicit TForm_progress(QWidget* parent = nullptr);

  QLabel* Label1;
  QProgressBar* Bar1;
};

// Creates the window at Open and frees it at Close. Show sets the bar's maximum and the label
// (an empty label keeps the text it had), shows the window and repaints it at once; Step
// advances the bar by one and repaints it. No user input is processed meanwhile. Main thread.
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

 private:
  std::unique_ptr<TForm_progress> window_;
};

}  // namespace relakin
