// relakin: the genotype-table editor with its relatedness analyses. Takes no arguments.
#include <QApplication>

#include "editor/main_window.h"
#include "editor/prompts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(relakin::kAppTitle);
  relakin::MainWindow window;
  window.showMaximized();
  return QApplication::exec();
}
