// The grid's editing handlers and row and column commands, attached to the main window.
#pragma once

namespace relakin {

class MainWindow;

class GridEditor {
 public:
  explicit GridEditor(MainWindow& window);
  ~GridEditor();
};

}  // namespace relakin
