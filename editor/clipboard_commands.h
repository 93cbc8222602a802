// The Edit menu's Copy, Cut, Paste and Delete on the main window's grid, with their popup items
// and tool buttons. They act on the grid's selection (Copy, Cut, Delete) or from its current cell
// (Paste); the text layout and the cell changes are core/clipboard_text.h's. Each change is
// announced to the view once, whatever the number of cells.
//
// Constructed once by the main window, which owns it; it connects itself to the window's actions
// "Cut1", "Cut2", "cut_b", "Copy1", "Copy2", "copy_b", "Past1", "Paste1", "paste_b", "Delete1" and
// "Delete2".
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "core/cell_block.h"

namespace relakin {

class MainWindow;

class ClipboardCommands : public QObject {
  Q_OBJECT

 public:
  explicit ClipboardCommands(MainWindow& window);

  // Hands a text to the system clipboard; false when it could not. Tests put a failing one in.
  using ClipboardWriter = std::function<bool(const QString&)>;
  void setClipboardWriter(ClipboardWriter writer) { writer_ = std::move(writer); }

  // Copy: true when the text reached the clipboard. A block whose size count is too large stops
  // with the error box; one whose text cannot be made or handed over shows "Sélection trop
  // large !". Sets Modified in every case.
  bool copy();
  // Copy, then Delete only when the copy succeeded.
  void cut();
  // Pastes the clipboard's text from the current cell; nothing at the corner cell (1, 1) or when
  // the clipboard holds no text.
  void paste();
  // Every selected cell becomes one blank.
  void deleteCells();

  // The selection's bounding block in table coordinates, the current cell when nothing is
  // selected; false when the grid has no current cell either.
  bool selectedBlock(CellBlock& block) const;

 private:
  void tableChanged(const CellBlock& block);

  MainWindow& window_;
  ClipboardWriter writer_;
};

}  // namespace relakin
