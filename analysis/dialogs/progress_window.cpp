#include "analysis/dialogs/progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <thread>

namespace relakin {
namespace {

constexpr QEventLoop::ProcessEventsFlags kNoUserInput = QEventLoop::ExcludeUserInputEvents;

// A window manager maps and exposes a new window in its own time, after show() has returned;
// a run that went on at once would leave the window unpainted until its end.
void WaitUntilExposed(QWidget& window, std::chrono::milliseconds bound) {
  const auto until = std::chrono::steady_clock::now() + bound;
  for (;;) {
    QCoreApplication::processEvents(kNoUserInput);
    const QWindow* handle = window.windowHandle();
    if (handle == nullptr || handle->isExposed() || std::chrono::steady_clock::now() >= until)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace

TForm_progress::TForm_progress(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("Form_progress");
  setWindowTitle(QString::fromUtf8("Permutation sur Identité"));
  setFont(QFont("MS Sans Serif", 8));
  setFixedSize(472, 133);
  Label1 = new QLabel("Label1", this);
  Label1->setObjectName("Label1");
  Bar1 = new QProgressBar(this);
  Bar1->setObjectName("Bar1");
  Bar1->setOrientation(Qt::Horizontal);
  Bar1->setRange(0, 100);
  Bar1->setValue(0);
  Bar1->setTextVisible(false);
  Bar1->setFixedSize(297, 33);
  auto* layout = new QVBoxLayout(this);
  layout->addStretch();
  layout->addWidget(Label1, 0, Qt::AlignHCenter);
  layout->addWidget(Bar1, 0, Qt::AlignHCenter);
  layout->addStretch();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

WindowProgress::WindowProgress() = default;
WindowProgress::~WindowProgress() = default;

void WindowProgress::Open() { window_ = std::make_unique<TForm_progress>(); }

void WindowProgress::Show(unsigned maximum, const std::string& label) {
  if (!window_) Open();
  window_->Bar1->setMaximum(static_cast<int>(maximum));
  if (!label.empty()) window_->Label1->setText(QString::fromStdString(label));
  if (window_->isVisible()) {
    Refresh();
    return;
  }
  // Transient for the window the run keeps waiting (its analysis dialog): a window manager
  // stacks it above that modal window, not beneath it.
  if (QWidget* waiting = QApplication::activeModalWidget()) {
    window_->winId();
    window_->windowHandle()->setTransientParent(waiting->windowHandle());
  }
  window_->show();
  WaitUntilExposed(*window_, kExposeWait);
  window_->repaint();
  refreshed_ = std::chrono::steady_clock::now();
}

void WindowProgress::Step() {
  if (!window_) return;
  // The bar repaints itself when the step shows on it.
  window_->Bar1->setValue(window_->Bar1->value() + 1);
  Refresh();
}

void WindowProgress::Refresh() {
  const auto now = std::chrono::steady_clock::now();
  if (now - refreshed_ < kRefreshInterval) return;
  refreshed_ = now;
  QCoreApplication::processEvents(kNoUserInput);
}

void WindowProgress::Close() { window_.reset(); }

}  // namespace relakin
