// What the window manager's frame asks of the windows of both programs (relakin and vodave, which
// includes this header alone of widgets/): a window as wide as its caption, and a window kept
// for the session shown again where it appeared the first time.
#pragma once

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace relakin {

// What a window manager's title bar holds beside the caption: the window's icon and its
// buttons, with their margins.
inline constexpr int kTitleBarControls = 160;

// The width that shows `caption` whole in a title bar, measured in the larger of the window's
// font and the application's, bold, as window managers draw captions.
inline int CaptionWidth(const QWidget& window, const QString& caption) {
  int text = 0;
  for (QFont font : {window.font(), QApplication::font()}) {
    font.setBold(true);
    text = std::max(text, QFontMetrics(font).horizontalAdvance(caption));
  }
  return text + kTitleBarControls;
}

// Makes `window` no narrower than its caption: a window manager cuts the caption of a narrow
// window. Never wider than the screen. A grid or a top-to-bottom box takes the width as a row of
// its own; another layout must leave the window's minimum width to it (not a fixed-size one).
// Call again when the caption changes: the width follows the last caption.
inline void KeepCaptionWhole(QWidget& window) {
  int width = CaptionWidth(window, window.windowTitle());
  if (const QScreen* screen = window.screen()) {
    width = std::min(width, screen->availableGeometry().width());
  }
  const QString name = QStringLiteral("captionWidth");
  auto* spacer = window.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
  if (spacer == nullptr) {
    // An empty widget rather than a spacer item, so that it can be found and set again.
    spacer = new QWidget(&window);
    spacer->setObjectName(name);
    spacer->setFixedHeight(0);
    if (auto* grid = qobject_cast<QGridLayout*>(window.layout())) {
      grid->addWidget(spacer, grid->rowCount(), 0, 1, std::max(grid->columnCount(), 1));
    } else if (auto* box = qobject_cast<QBoxLayout*>(window.layout());
               box != nullptr && box->direction() == QBoxLayout::TopToBottom) {
      box->addWidget(spacer);
    } else {
      delete spacer;
      // An explicit minimum width replaces the layout's own: never below it.
      const int laidOut = window.layout() ? window.layout()->totalMinimumSize().width() : 0;
      window.setMinimumWidth(std::max(width, laidOut));
      return;
    }
  }
  spacer->setMinimumWidth(width);
}

// Shows `window`, a window kept for the session, at every later showing where its first showing
// had it when it closed. Qt places a window anew at each showing from guesses of the frame's size,
// which differ from one showing to the next under a window manager, so that the window wanders.
class FirstPlace : public QObject {
 public:
  explicit FirstPlace(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    if (event->spontaneous()) return false;
    if (event->type() == QEvent::Show && place_) {
      // The client area's place, which the window manager keeps: Qt takes a frame's place
      // from the frame it last knew of, and forgets that frame when the window is hidden. An
      // explicit place skips the dialog's own centring.
      window->setGeometry(QRect(*place_, window->size()));
    } else if (event->type() == QEvent::Hide && !place_) {
      // By now the window manager has framed and placed it: the client area stands where it is.
      place_ = window->geometry().topLeft();
    }
    return false;
  }

 private:
  std::optional<QPoint> place_;
};

inline void KeepFirstPlace(QWidget& window) { new FirstPlace(window); }

}  // namespace relakin
