// The helpers that answer modal windows in GUI tests (tests/modal_windows.h): however an answer
// goes wrong, the window is closed and the failure reported, so no test can hang on it.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>
#include <string>
#include <vector>

#include "modal_windows.h"

namespace {

using gui_testing::ModalAnswer;
using gui_testing::ModalWatchdog;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::ScopedFakeTestPartResultReporter;
using ::testing::TestPartResultArray;

std::vector<std::string> Messages(const TestPartResultArray& results) {
  std::vector<std::string> out;
  for (int i = 0; i < results.size(); ++i) out.emplace_back(results.GetTestPartResult(i).message());
  return out;
}

// Runs a message box with an OK button only (closing it is ignored) while `act` answers it;
// returns the failures reported meanwhile.
std::vector<std::string> RunBoxAnsweredBy(ModalAnswer::Act act) {
  TestPartResultArray results;
  QMessageBox box(QMessageBox::NoIcon, "Titre", "Texte", QMessageBox::Ok);
  {
    const ScopedFakeTestPartResultReporter reporter(
        ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    const ModalAnswer answer(std::move(act));
    box.exec();
  }
  EXPECT_FALSE(box.isVisible());
  return Messages(results);
}

TEST(ModalAnswerTest, ClosesAndReportsAWindowItsAnswerLeftOpen) {
  const struct {
    const char* how;
    ModalAnswer::Act act;
    std::vector<std::string> said;
  } cases[] = {
      {"clicks OK",
       [](QWidget* w) { static_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click(); },
       {}},
      {"does nothing", [](QWidget*) {}, {"QMessageBox « Titre » was left open; closed it"}},
      {"stops at a failed assertion",
       [](QWidget* w) {
         ASSERT_TRUE(qobject_cast<QFileDialog*>(w));
         static_cast<QDialog*>(w)->accept();
       },
       {"qobject_cast<QFileDialog*>(w)", "was left open"}},
      {"throws", [](QWidget*) { throw std::runtime_error("boom"); }, {"threw: boom", "left open"}},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> messages = RunBoxAnsweredBy(c.act);
    EXPECT_EQ(messages.size(), c.said.size()) << c.how;
    for (const std::string& part : c.said)
      EXPECT_THAT(messages, Contains(HasSubstr(part))) << c.how;
  }
}

TEST(ModalAnswerTest, ReportsAWindowThatNeverCame) {
  TestPartResultArray results;
  {
    const ScopedFakeTestPartResultReporter reporter(
        ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    {
      const ModalAnswer gone([](QWidget*) {});
    }
    const ModalAnswer late([](QWidget*) {}, 50);
    QTest::qWait(200);
  }
  EXPECT_THAT(Messages(results), ElementsAre(EndsWith("\nno modal window came"),
                                             EndsWith("\nno modal window came within 50 ms")));
}

// An answer made inside another's act waits for the window above, even while the event loop runs
// before that window opens.
TEST(ModalAnswerTest, AnAnswerMadeInsideAnotherAnswersTheWindowAbove) {
  QDialog dialog;
  dialog.setWindowTitle("Dessous");
  QString boxText;
  const ModalAnswer outer([&boxText](QWidget* below) {
    const ModalAnswer inner([&boxText](QWidget* above) {
      boxText = static_cast<QMessageBox*>(above)->text();
      static_cast<QMessageBox*>(above)->button(QMessageBox::Ok)->click();
    });
    QTest::qWait(50);
    QMessageBox::information(below, "Dessus", "Au-dessus");
    static_cast<QDialog*>(below)->accept();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(boxText, "Au-dessus");
}

TEST(ModalWatchdogTest, ClosesAWindowNobodyAnswers) {
  TestPartResultArray results;
  QMessageBox box(QMessageBox::NoIcon, "Seule", "Texte", QMessageBox::Ok);
  {
    const ScopedFakeTestPartResultReporter reporter(
        ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    const ModalWatchdog watchdog(300);
    box.exec();
  }
  EXPECT_FALSE(box.isVisible());
  EXPECT_THAT(Messages(results), ElementsAre(HasSubstr("QMessageBox « Seule » stayed open")));
}

// A dialog run again and again (as a test does in a loop) is not one window left open.
TEST(ModalWatchdogTest, CountsEachShowingOnItsOwn) {
  TestPartResultArray results;
  QDialog dialog;
  {
    const ScopedFakeTestPartResultReporter reporter(
        ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    const ModalWatchdog watchdog(3000);
    for (int i = 0; i < 16; ++i) {
      QTimer::singleShot(250, &dialog, &QDialog::accept);
      dialog.exec();
    }
  }
  EXPECT_TRUE(Messages(results).empty());
}

}  // namespace
