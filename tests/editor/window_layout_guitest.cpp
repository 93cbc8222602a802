// relakin's windows as a window manager frames them: each as wide as its caption, the dialogs
// kept for the session shown again where they first appeared, and Tab in the analysis dialogs
// going through the controls as the layout shows them.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "analysis_dialogs_fixture.h"
#include "editor/about_box.h"
#include "editor/find_replace_dialog.h"
#include "editor/import_commands.h"
#include "editor/popkeys_dialog.h"
#include "editor/result_viewer.h"
#include "formats/dialogs/fictext_dialog.h"
#include "formats/dialogs/import_dialog.h"

// Readable captions and control names in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace relakin::test {
namespace {

// The least room a title bar needs for `caption` whole: the text in bold (as window managers
// draw captions), the window's icon and three buttons.
int TitleBarNeeds(const QString& caption) {
  QFont bold = QApplication::font();
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(caption) + 100;
}

using WindowLayoutTest = AnalysisDialogsTest;

// The dialogs the main window keeps for the session, by object name.
const char* const kSessionDialogs[] = {"dimension",   "BtnBottomDlg", "editname",  "MultPageDlg",
                                       "f_descript",  "ficres",       "boots_jack"};

std::vector<QWidget*> SessionDialogs(MainWindow& window) {
  std::vector<QWidget*> dialogs;
  for (const char* name : kSessionDialogs) {
    QWidget* dialog = window.findChild<QWidget*>(name);
    EXPECT_NE(dialog, nullptr) << name;
    if (dialog != nullptr) dialogs.push_back(dialog);
  }
  for (FindReplaceDialog* dialog : window.findChildren<FindReplaceDialog*>())
    dialogs.push_back(dialog);
  EXPECT_EQ(dialogs.size(), std::size(kSessionDialogs) + 2);
  return dialogs;
}

TEST_F(WindowLayoutTest, EveryWindowIsAsWideAsItsCaption) {
  auto* imports = window->findChild<ImportCommands*>();
  ASSERT_NE(imports, nullptr);
  // The windows made for one command, and the session's dialogs under each of their captions.
  const std::vector<std::function<std::unique_ptr<QWidget>()>> made = {
      [&] { return std::make_unique<AboutBox>(window.get()); },
      [&] { return std::make_unique<PopKeysDialog>(window->document(), window.get()); },
      [&] { return std::make_unique<Tpoploclist>(window->document(), prompts, window.get()); },
      [&] { return std::make_unique<TForm_progress>(); },
      [&] {
        return std::make_unique<ResultViewer>(
            path("permutation_des_genotypes_sur_la_moyenne_des_paires_de_la_population_nord.res"),
            "1 2 3\n", window.get());
      },
      [&] { return std::make_unique<Tf_import>(*imports, window.get()); },
      [&] { return std::make_unique<Tf_fictext>(prompts, window.get()); },
  };
  const auto check = [](QWidget& w) {
    SCOPED_TRACE(w.windowTitle().toStdString());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_GE(w.width(), TitleBarNeeds(w.windowTitle()));
    w.hide();
  };
  for (const auto& make : made) {
    const std::unique_ptr<QWidget> w = make();
    check(*w);
  }
  for (QWidget* dialog : SessionDialogs(*window)) {
    if (dialog->objectName() == "ficres") {
      for (const char* caption : {"Relatedness", "Permutation test"}) {
        dialog->setWindowTitle(caption);
        check(*dialog);
      }
    } else {
      if (dialog->objectName() == "boots_jack") dialog->setWindowTitle("Confidence Interval");
      check(*dialog);
    }
  }
}

// Qt places a dialog anew at each showing from the windows around it, which a window manager
// moves and frames in its own time: a dialog kept for the session stays where it first appeared,
// also when the main window beneath has moved and when the user dragged it in a later showing.
TEST_F(WindowLayoutTest, SessionDialogsAppearWhereTheyFirstAppeared) {
  const QPoint home = window->pos();
  for (QWidget* dialog : SessionDialogs(*window)) {
    SCOPED_TRACE(dialog->objectName().toStdString());
    window->move(home);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const QPoint first = dialog->pos();
    dialog->hide();
    for (const QPoint shift : {QPoint(10, 40), QPoint(20, 80)}) {
      window->move(home + shift);
      dialog->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
      EXPECT_EQ(dialog->pos(), first);
      dialog->move(first + QPoint(30, 30));  // the user drags it
      dialog->hide();
    }
  }
  window->move(home);
}

// The controls Tab reaches from the result name until it comes back, a radio group named once.
QStringList TabbedThrough(QDialog& d) {
  QStringList seen;
  d.activateWindow();
  if (!QTest::qWaitForWindowActive(&d)) return {"the dialog is not active"};
  d.findChild<QWidget*>("nomfich")->setFocus();
  for (int k = 0; k < 40; ++k) {
    QWidget* focus = d.focusWidget();
    if (focus == nullptr) break;
    QString name = focus->objectName();
    if (qobject_cast<QRadioButton*>(focus) != nullptr) name = focus->parentWidget()->objectName();
    if (k > 0 && name == "nomfich") break;
    if (seen.isEmpty() || seen.back() != name) seen << name;
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  return seen;
}

TEST_F(WindowLayoutTest, TabFollowsTheLayoutOfTheAnalysisDialogs) {
  struct Case {
    const char* command;
    const char* form;
    QStringList order;
  };
  const Case cases[] = {
      {"Permutationsuridentit1", "ficres",
       {"nomfich", "precision", "nbperm", "Indice", "type_perm", "choix_trait", "type_sortie",
        "OKBtn", "CancelBtn", "HelpBtn"}},
      {"Identit1", "ficres",
       {"nomfich", "precision", "Indice", "choix_trait", "OKBtn", "CancelBtn", "HelpBtn"}},
      {"IC1", "boots_jack",
       {"nomfich", "precision", "Indice", "boo_or_jack", "choix_trait", "detail", "OKBtn",
        "CancelBtn", "HelpBtn"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    QStringList seen;
    prompts.onDialog[c.form] = [&seen](QDialog& d) {
      seen = TabbedThrough(d);
      d.reject();
      return d.result();
    };
    trigger(c.command);
    EXPECT_EQ(seen, c.order);
  }
}

}  // namespace
}  // namespace relakin::test
