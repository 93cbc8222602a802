#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QtCharts/QBarSet>

#include "plotter/histogram_chart.h"
#include "plotter_gui_helpers.h"

namespace vodave::testing {
namespace {

using VodaveClassDialogTest = PlotterTest;

TEST_F(VodaveClassDialogTest, HasItsCaptionsAndStartsAtTenClasses) {
  const TBtnRightDlg& d = w.BtnRightDlg;
  EXPECT_EQ(d.windowTitle(), "Changement du nombre de classes");
  EXPECT_EQ(d.findChild<QLabel*>("Label1")->text(), "Nombre de classes :");
  auto* spin = d.findChild<QSpinBox*>("SpinEdit1");
  EXPECT_EQ(spin->minimum(), 5);
  EXPECT_EQ(spin->maximum(), 20);
  EXPECT_EQ(d.NbClasses(), 10);
  for (const char* button : {"OKBtn", "CancelBtn", "HelpBtn"})
    EXPECT_TRUE(d.findChild<QPushButton*>(button)) << button;
}

// What the user leaves in the spin edit, confirmed with OK, gives the next drawing's classes.
TEST_F(VodaveClassDialogTest, BringsWhatWasTypedIntoFiveToTwenty) {
  struct Case {
    const char* typed;
    int classes;
  } cases[] = {{"12", 12},           {"3", 5},   {"", 5},    {"x", 5},
               {"20", 20},           {"25", 20}, {"40", 20}, {"7", 7},
               {"123456789012", 20}, {"0", 5}};
  Open(TestData("permutation12.res"));
  for (const Case& c : cases) {
    const auto answer = WhenModal([&c](QWidget* dialog) {
      auto* spin = dialog->findChild<QSpinBox*>("SpinEdit1");
      spin->setFocus();
      QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(spin, Qt::Key_Delete);
      QTest::keyClicks(spin, c.typed);
      ClickButton(dialog, "OKBtn");
    });
    ClickMenu(w.Form1, "Changes1", "Nbclasses1");
    EXPECT_EQ(w.Form1.Chart1()->Bars()->count(), c.classes) << c.typed;
  }
}

TEST_F(VodaveClassDialogTest, HelpDoesNothing) {
  Open(TestData("permutation12.res"));
  const auto answer = WhenModal([](QWidget* dialog) {
    ClickButton(dialog, "HelpBtn");
    EXPECT_TRUE(dialog->isVisible());
    ClickButton(dialog, "CancelBtn");
  });
  ClickMenu(w.Form1, "Changes1", "Nbclasses1");
  EXPECT_EQ(w.Form1.Chart1()->Bars()->count(), 10);
}

// Return is OK wherever the focus is: after a click on "Aide", which leaves the focus there, and
// in the dialog's next showing, where the focus comes back to it.
TEST_F(VodaveClassDialogTest, ReturnIsOkAfterAClickOnHelp) {
  Open(TestData("permutation12.res"));
  for (int classes : {12, 15}) {
    const auto answer = WhenModal([classes](QWidget* dialog) {
      dialog->findChild<QSpinBox*>("SpinEdit1")->setValue(classes);
      if (classes == 12) ClickButton(dialog, "HelpBtn");  // the next showing gives it the focus
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus != nullptr ? focus : dialog, Qt::Key_Return);
    });
    ClickMenu(w.Form1, "Changes1", "Nbclasses1");
    EXPECT_EQ(w.Form1.Chart1()->Bars()->count(), classes);
  }
}

}  // namespace
}  // namespace vodave::testing
