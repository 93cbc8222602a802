#include "analysis/dialogs/progress_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace relakin {

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
  window_->show();
  // Lets the window be mapped and painted; clicks and keys wait until the run has ended.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  window_->repaint();
}

void WindowProgress::Step() {
  if (!window_) return;
  window_->Bar1->setValue(window_->Bar1->value() + 1);
  window_->Bar1->repaint();
}

void WindowProgress::Close() { window_.reset(); }

}  // namespace relakin
