// A main window with the five-population fixture open (a copy in the test's own directory,
// which is the current directory), and the analysis runs called straight, for comparison.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>

#include "analysis/confidence_run.h"
#include "analysis/dialogs/analysis_commands.h"
#include "analysis/dialogs/boots_jack_dialog.h"
#include "analysis/dialogs/ficres_dialog.h"
#include "analysis/dialogs/poploclist_dialog.h"
#include "analysis/dialogs/progress_window.h"
#include "analysis/permutation_run.h"
#include "analysis/relatedness_run.h"
#include "core/native_file.h"
#include "main_window_fixture.h"
#include "widgets/radio_group.h"

namespace relakin::test {

inline QString DialogsData(const char* name) {
  return QString(RELAKIN_TEST_DATA) + "/dialogs/" + name;
}

class AnalysisDialogsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QFile::copy(DialogsData("five_pops.bvt"), path("five_pops.bvt")));
    prompts.openNames.push_back(path("five_pops.bvt"));
    keys(Qt::Key_O);
    ASSERT_EQ(window->document().NbPops, 5);
  }

  // Shows the dialog of `command` and lets `handler` work in it.
  template <class Dialog>
  void run(const char* command, const char* form, std::function<void(Dialog&)> handler) {
    prompts.onDialog[form] = [handler](QDialog& d) {
      handler(static_cast<Dialog&>(d));
      return d.result();
    };
    trigger(command);
  }
  void relatedness(std::function<void(Tficres&)> handler) {
    run<Tficres>("Identit1", "ficres", std::move(handler));
  }
  void permutation(std::function<void(Tficres&)> handler) {
    run<Tficres>("Permutationsuridentit1", "ficres", std::move(handler));
  }
  void confidence(std::function<void(Tboots_jack&)> handler) {
    run<Tboots_jack>("IC1", "boots_jack", std::move(handler));
  }

  static void setName(AnalysisDialog& d, const QString& name) {
    d.nomfich()->setFocus();
    d.nomfich()->selectAll();
    if (name.isEmpty()) {
      QTest::keyClick(d.nomfich(), Qt::Key_Delete);
    } else {
      QTest::keyClicks(d.nomfich(), name);
    }
  }
  static void ok(AnalysisDialog& d) { QTest::mouseClick(d.OKBtn(), Qt::LeftButton); }
  // Clicks the button's indicator (its text may not reach the middle of the widget).
  static void pick(RadioGroup* group, int index) {
    QRadioButton* b = group->button(index);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    ASSERT_EQ(group->itemIndex(), index);
  }

  // The texts the window told, in order, whatever the icon.
  QStringList toldTexts() const {
    QStringList texts;
    for (const FakePrompts::Told& t : prompts.told) texts << t.text;
    return texts;
  }

  // The whole table as the core writes it, into `dataFile` of the current directory.
  void writeCoreAnalysisFile(const std::string& dataFile) {
    Document copy = window->document();
    SilentMessages quiet;
    SaveNativeFile(copy, dataFile, quiet);
  }

  struct CoreRun {
    RecordedMessages said;
    Progress progress;
    RandomGenerator random;
    RunContext context{said, progress, random};
  };

  static bool progressWindowLeft() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (qobject_cast<TForm_progress*>(w)) return true;
    }
    return false;
  }
};

}  // namespace relakin::test
