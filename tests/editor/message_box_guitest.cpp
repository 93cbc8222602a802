// The program's message boxes show their text as it is: a file name or a typed text that looks
// like markup keeps its tags.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "editor/prompts.h"

namespace relakin {
namespace {

struct Seen {
  Qt::TextFormat format = Qt::AutoText;
  QString text;
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
      seen = {box->textFormat(), box->text(), true};
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

}  // namespace
}  // namespace relakin
