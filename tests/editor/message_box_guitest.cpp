// The program's message boxes show their text as it is: a file name or a typed text that looks
// like markup keeps its tags; and they are no narrower than their caption.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "widgets/prompts.h"

namespace relakin {
namespace {

struct Seen {
  Qt::TextFormat format = Qt::AutoText;
  QString text;
  QString title;
  int width = 0;
  QFont font;
  bool shown = false;
};

// Runs `show` while a timer answers the first message box that comes up; any modal window left
// open is closed too, so a failure cannot hang the test.
Seen Answer(const std::function<void()>& show) {
  Seen seen;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&seen] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen = {box->textFormat(), box->text(), box->windowTitle(), box->width(), box->font(), true};
      box->done(QMessageBox::Ok);
    } else {
      modal->close();
    }
  });
  poll.start();
  show();
  return seen;
}

TEST(MessageBoxes, ShowMarkupAsPlainText) {
  const QString text = QString::fromUtf8("Ne peut trouver \"<b>x</b>\".");
  QtPrompts prompts;
  const Seen told = Answer([&] { prompts.tell(nullptr, QMessageBox::NoIcon, text); });
  const Seen asked = Answer([&] {
    prompts.ask(nullptr, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No);
  });
  for (const Seen& seen : {told, asked}) {
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.text, text);
  }
}

// A window manager puts the caption in a title bar beside the window's icon and three buttons:
// a box of a short message leaves room for them all.
TEST(MessageBoxes, AreNoNarrowerThanTheirCaption) {
  QtPrompts prompts;
  const Seen told = Answer([&] { prompts.tell(nullptr, QMessageBox::NoIcon, "Vide !"); });
  const Seen asked = Answer([&] {
    prompts.ask(nullptr, QMessageBox::NoIcon, "Oui ?", QMessageBox::Yes | QMessageBox::No);
  });
  for (const Seen& seen : {told, asked}) {
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "RELAKIN");
    QFont bold = seen.font;
    bold.setBold(true);
    EXPECT_GE(seen.width, QFontMetrics(bold).horizontalAdvance(seen.title) + 4 * 24);
  }
}

}  // namespace
}  // namespace relakin
