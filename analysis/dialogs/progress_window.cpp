#include "analysis/dialogs/progress_window.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
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
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("Form_progress");
  setFont(QFont("MS Sans Serif", 8));
  setFixedSize(472, 133);
  // A window manager puts its buttons in every title bar it draws (openbox a close box
  // whatever the window asks): the window draws its own caption inside a frame of its own.
  auto* frame = new QFrame(this);
  frame->setObjectName("Frame");
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(2);
  Caption = new QLabel(frame);
  Caption->setObjectName("Caption");
  QFont bold = font();
  bold.setBold(true);
  Caption->setFont(bold);
  Caption->setAutoFillBackground(true);
  Caption->setBackgroundRole(QPalette::Highlight);
  Caption->setForegroundRole(QPalette::HighlightedText);
  Caption->setAlignment(Qt::AlignCenter);
  Caption->setFixedHeight(Caption->fontMetrics().height() + 6);
  setWindowTitle(QString::fromUtf8("Permutation sur Identité"));
  Label1 = new QLabel("Label1", frame);
  Label1->setObjectName("Label1");
  Bar1 = new QProgressBar(frame);
  Bar1->setObjectName("Bar1");
  Bar1->setOrientation(Qt::Horizontal);
  Bar1->setRange(0, 100);
  Bar1->setValue(0);
  Bar1->setTextVisible(false);
  Bar1->setFixedSize(297, 33);
  auto* inside = new QVBoxLayout(frame);
  inside->setContentsMargins(2, 2, 2, 2);
  inside->addWidget(Caption);
  inside->addStretch();
  inside->addWidget(Label1, 0, Qt::AlignHCenter);
  inside->addWidget(Bar1, 0, Qt::AlignHCenter);
  inside->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(frame);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TForm_progress::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowTitleChange) Caption->setText(windowTitle());
  QWidget::changeEvent(event);
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
  // A click on the modal dialog beneath, or on the main window, has the window manager raise
  // that dialog above its own transient window: stand above it again, while the program is the
  // user's (not over the window of another program the user went to).
  if (QGuiApplication::applicationState() == Qt::ApplicationActive) window_->raise();
}

void WindowProgress::Close() { window_.reset(); }

}  // namespace relakin
