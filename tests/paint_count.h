// Counts the paint events a widget gets, for tests of what reaches the screen while the thread
// is busy.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace gui_testing {

class PaintCount : public QObject {
 public:
  explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
};

}  // namespace gui_testing
