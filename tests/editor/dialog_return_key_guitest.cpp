// Return in relakin's dialogs presses the dialog's default button wherever the focus is: a
// button the user tabbed to or clicked does not become the default, so Return never repeats
// what that button did (Replace All, Cancel, a Help that does nothing).
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <map>
#include <memory>

#include "analysis/dialogs/poploclist_dialog.h"
#include "editor/find_replace_dialog.h"
#include "editor/import_commands.h"
#include "editor/popkeys_dialog.h"
#include "formats/dialogs/fictext_dialog.h"
#include "formats/dialogs/import_dialog.h"
#include "main_window_fixture.h"

namespace relakin::test {
namespace {

using DialogReturnKey = MainWindowTest;

TEST_F(DialogReturnKey, PressesTheDefaultButtonWhereverTheFocusIs) {
  keys(Qt::Key_N);  // a table of 10 individuals and 5 loci for the dialogs to show
  ASSERT_TRUE(window->grid()->isVisible());
  // The dialogs made for one command, as their commands make them.
  PopKeysDialog popkeys(window->document(), window.get());
  Tpoploclist chooser(window->document(), prompts, window.get());
  Tf_import import(*window->findChild<ImportCommands*>(), window.get());
  Tf_fictext text(prompts, window.get());
  const auto kept = [this](const char* name) { return window->findChild<QDialog*>(name); };
  const struct {
    QDialog* dialog;
    const char* defaultButton;
  } cases[] = {
      {kept("dimension"), "OKBtn"},
      {kept("BtnBottomDlg"), "OKBtn"},
      {kept("MultPageDlg"), "OKBtn"},
      {kept("f_descript"), "OKBtn"},
      {kept("FindDialog1"), "FindNext"},
      {kept("ReplaceDialog1"), "FindNext"},
      {kept("ficres"), "OKBtn"},
      {kept("boots_jack"), "OKBtn"},
      {&popkeys, "BitBtn1"},
      {&chooser, "OKBtn"},
      {&import, "OKBtn"},
      {&text, "OKBtn"},
  };
  for (const auto& c : cases) {
    ASSERT_NE(c.dialog, nullptr);
    SCOPED_TRACE(c.dialog->objectName().toStdString());
    // The search buttons wait for a text; the analysis dialogs refuse an empty result name.
    if (auto* find = qobject_cast<FindReplaceDialog*>(c.dialog)) find->findEdit()->setText("zz");
    if (auto* name = c.dialog->findChild<QLineEdit*>("nomfich")) name->clear();
    int focused = 0;
    for (QPushButton* button : c.dialog->findChildren<QPushButton*>()) {
      c.dialog->show();
      QApplication::setActiveWindow(c.dialog);
      if (button->objectName() == c.defaultButton || !button->isVisible() || !button->isEnabled() ||
          button->focusPolicy() == Qt::NoFocus) {
        continue;
      }
      SCOPED_TRACE(button->objectName().toStdString());
      ++focused;
      std::map<QPushButton*, std::unique_ptr<QSignalSpy>> clicks;
      for (QPushButton* b : c.dialog->findChildren<QPushButton*>())
        clicks[b] = std::make_unique<QSignalSpy>(b, &QPushButton::clicked);
      button->setFocus(Qt::TabFocusReason);
      ASSERT_EQ(QApplication::focusWidget(), button);
      QTest::keyClick(button, Qt::Key_Return);
      auto* defaultButton = c.dialog->findChild<QPushButton*>(c.defaultButton);
      ASSERT_NE(defaultButton, nullptr);
      EXPECT_TRUE(defaultButton->isDefault());
      for (const auto& [b, spy] : clicks)
        EXPECT_EQ(spy->count(), b == defaultButton ? 1 : 0) << b->objectName().toStdString();
    }
    EXPECT_GT(focused, 0);
    c.dialog->hide();
  }
}

}  // namespace
}  // namespace relakin::test
