// A main window answered by FakePrompts, shown and active, in a temporary current directory.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "editor/dimension_dialog.h"
#include "editor/genotype_table_model.h"
#include "editor/main_window.h"
#include "fake_prompts.h"

namespace relakin::test {

inline QString TestData(const char* name) { return QString(RELAKIN_TEST_DATA) + "/editor/" + name; }

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    window = std::make_unique<MainWindow>(&prompts);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // "Defaut" unless a test says otherwise.
    prompts.onDialog["dimension"] = [](QDialog& d) { return ClickDefaut(d); };
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir);
  }

  static int ClickDefaut(QDialog& d) {
    QTest::mouseClick(static_cast<DimensionDialog&>(d).defaultButton(), Qt::LeftButton);
    return d.result();
  }

  void keys(Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
    window->activateWindow();
    QTest::keyClick(window.get(), key, mods);
    QCoreApplication::processEvents();
  }
  void trigger(const char* name) { window->action(name)->trigger(); }
  // Types `text` into grid cell (col, row) as a user does: a click on the cell, the keys (the
  // first one, a digit, opens the cell editor), then Return.
  void typeIntoCell(int col, int row, const QString& text) {
    QTableView* grid = window->grid();
    const QModelIndex index = window->model()->tableIndex(col, row);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(index).center());
    for (const QChar c : text) {
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
      QTest::keyClicks(target, QString(c));
    }
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
    QTest::keyClick(target, Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  QString path(const QString& name) const { return dir.filePath(name); }
  std::string cell(int col, int row) { return window->document().Cells.Cells(col, row); }

  // New with "Defaut", then one edit through the grid's model.
  void newEditedTable() {
    keys(Qt::Key_N);
    window->model()->setData(window->model()->tableIndex(1, 2), "Ind01");
  }
  void openFixture(const char* name = "two_pops.bvt") {
    prompts.openNames.push_back(TestData(name));
    keys(Qt::Key_O);
  }

  QTemporaryDir dir;
  QString previousDir;
  FakePrompts prompts;
  std::unique_ptr<MainWindow> window;
};

}  // namespace relakin::test
