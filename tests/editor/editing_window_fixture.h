// A shown main window holding a small table (tests/core/editing_fixture.h), answered by
// FakePrompts, with helpers to click, type and drag in its grid.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>
#include <memory>

#include "core/editing_fixture.h"
#include "editor/genotype_table_model.h"
#include "editor/main_window.h"
#include "fake_prompts.h"

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace relakin::test {

class EditingWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { open(std::make_unique<MainWindow>(&prompts)); }

  void open(std::unique_ptr<MainWindow> w) {
    window = std::move(w);
    window->document() = testing::MakeTable(12, 5, {2, 8}, {"Nord", "Sud"});
    window->showTable();
    grid().setColumnWidth(0, 100);
    window->enableTableCommands();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::setActiveWindow(window.get());
    grid().setFocus();
    window->setModified(false);
  }

  QTableView& grid() { return *window->grid(); }
  Document& doc() { return window->document(); }
  GenotypeTableModel& model() { return *window->model(); }
  QModelIndex index(int col, int row) { return model().tableIndex(col, row); }
  QPoint centre(int col, int row) { return grid().visualRect(index(col, row)).center(); }

  void click(int col, int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, mods, centre(col, row));
    QCoreApplication::processEvents();
  }
  // Types text into `target`, accented letters included (QTest's key tables are ASCII only).
  static void typeInto(QWidget* target, const QString& text) {
    for (QChar c : text) {
      if (c.unicode() < 128) {
        QTest::keyClicks(target, QString(c));
        continue;
      }
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(target, &press);
      QCoreApplication::sendEvent(target, &release);
    }
  }
  // Keys go to whatever has the focus: the grid, or its cell editor once open.
  void type(const QString& text) {
    for (QChar c : text) {
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &grid();
      typeInto(target, QString(c));
    }
    QCoreApplication::processEvents();
  }
  void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &grid();
    QTest::keyClick(target, k, mods);
    QCoreApplication::processEvents();
  }
  QLineEdit* openEditor() {
    return qobject_cast<QLineEdit*>(grid().indexWidget(grid().currentIndex()));
  }

  // Drags header section `from` onto section `to` with the mouse.
  static void drag(QHeaderView& header, int from, int to) {
    const auto at = [&header](int section) {
      const int pos = header.sectionViewportPosition(section) + header.sectionSize(section) / 2;
      return header.orientation() == Qt::Horizontal ? QPoint(pos, header.height() / 2)
                                                    : QPoint(header.width() / 2, pos);
    };
    QWidget* surface = header.viewport();
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, at(from));
    // Just past the middle of the target, towards where the section comes from.
    const int quarter = header.sectionSize(to) / 4 * (to < from ? -1 : 1);
    const QPoint start = at(from);
    const QPoint end =
        at(to) + (header.orientation() == Qt::Horizontal ? QPoint(quarter, 0) : QPoint(0, quarter));
    for (int step = 1; step <= 8; ++step)
      QTest::mouseMove(surface, start + (end - start) * step / 8);
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, end);
    QCoreApplication::processEvents();
  }

  FakePrompts prompts;
  std::unique_ptr<MainWindow> window;
};

}  // namespace relakin::test
