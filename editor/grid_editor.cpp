#include "editor/grid_editor.h"

#include "editor/main_window.h"

namespace relakin {

GridEditor::GridEditor(MainWindow&) {}
GridEditor::~GridEditor() = default;

}  // namespace relakin
