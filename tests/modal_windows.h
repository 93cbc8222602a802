// Answering the modal windows of GUI tests (a dialog's exec(), a message box) without ever
// hanging: whoever waits for a modal window closes it on any failure or time-out and reports
// the failure, so a broken test fails in seconds instead of waiting for ctest to kill it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <functional>
#include <string>

namespace gui_testing {

// "QMessageBox « title »", for failure messages.
inline std::string Describe(const QWidget* window) {
  return std::string(window->metaObject()->className()) + " « " +
         window->windowTitle().toStdString() + " »";
}

// Closes `window`: a dialog is rejected (which ends its exec() whatever buttons it has), any
// other widget closed, and hidden if it refuses.
inline void CloseModal(QWidget* window) {
  if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->reject();
  } else {
    window->close();
  }
  if (window->isVisible()) window->hide();
}

// Closes every modal window, the top one first; returns how many there were.
inline int CloseModalWindows() {
  int closed = 0;
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (++closed > 32) break;  // a window that will not close: stop rather than spin
    CloseModal(modal);
  }
  return closed;
}

// Answers the next modal window with `act` while it lives: the next one opened above the window
// that was modal when the answer was made (an answer made inside another's `act` waits for the
// window its own clicks open). `act` should close the window; one it leaves open (an ASSERT that
// returned early, a click that missed) is closed and the failure reported. A window that does not
// come within `timeoutMs`, or by the time the answer is destroyed, is reported too. Keep the
// answer alive across the call that opens the window:
//
//   ModalAnswer answer([](QWidget* dialog) { ...; ClickButton(dialog, "OKBtn"); });
//   ClickMenu(window, "Changes1", "Nbclasses1");
class ModalAnswer {
 public:
  using Act = std::function<void(QWidget*)>;

  explicit ModalAnswer(Act act, int timeoutMs = 10000)
      : act_(std::move(act)), timeoutMs_(timeoutMs), below_(QApplication::activeModalWidget()) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    clock_.start();
    timer_.start(10);
  }
  ~ModalAnswer() {
    timer_.stop();
    if (!answered_ && !gaveUp_) ADD_FAILURE() << "no modal window came";
  }
  ModalAnswer(const ModalAnswer&) = delete;
  ModalAnswer& operator=(const ModalAnswer&) = delete;

  bool answered() const { return answered_; }

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != below_ && modal->isVisible()) {
      timer_.stop();
      answered_ = true;
      Answer(modal);
    } else if (clock_.elapsed() > timeoutMs_) {
      timer_.stop();
      gaveUp_ = true;
      ADD_FAILURE() << "no modal window came within " << timeoutMs_ << " ms";
    }
  }

  void Answer(QWidget* modal) {
    const QPointer<QWidget> window(modal);
    const std::string name = Describe(modal);
    try {
      act_(modal);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "answering " << name << " threw: " << e.what();
    } catch (...) {
      ADD_FAILURE() << "answering " << name << " threw";
    }
    // A close the window queues for itself gets a moment to happen.
    const auto closed = [&window] { return !window || !window->isVisible(); };
    if (!closed() && !QTest::qWaitFor(closed, 1000)) {
      ADD_FAILURE() << name << " was left open; closed it";
      CloseModal(window);
    }
  }

  Act act_;
  int timeoutMs_;
  QPointer<QWidget> below_;
  QTimer timer_;
  QElapsedTimer clock_;
  bool answered_ = false;
  bool gaveUp_ = false;
};

// The last resort of every GUI test program (tests/gui_main.cpp): a modal window that stays open
// for `limitMs` (no helper answered it, or one gave up too early) is reported and closed, with
// every modal window above it.
class ModalWatchdog : public QObject {
 public:
  explicit ModalWatchdog(int limitMs = 20000) : limitMs_(limitMs) {
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start(200);
  }

 protected:
  // A window shown again (a dialog run in a loop) starts a new count.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == watched_ && event->type() == QEvent::Hide) Forget();
    return false;
  }

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != watched_) {
      Forget();
      if (modal == nullptr) return;
      watched_ = modal;
      modal->installEventFilter(this);
      since_.start();
      return;
    }
    if (modal == nullptr || since_.elapsed() < limitMs_) return;
    ADD_FAILURE() << Describe(modal) << " stayed open " << limitMs_
                  << " ms with nobody to answer it; closed it";
    Forget();
    CloseModalWindows();
  }

  void Forget() {
    if (watched_) watched_->removeEventFilter(this);
    watched_ = nullptr;
  }

  int limitMs_;
  QTimer timer_;
  QPointer<QWidget> watched_;
  QElapsedTimer since_;
};

}  // namespace gui_testing
